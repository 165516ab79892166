#!/usr/bin/env bash
# prepare_wine_prefix [PREFIX] [--unmanaged]: exports WINEPREFIX (PREFIX, else $WINEPREFIX,
# else a prefix of our own) and the quiet Wine settings, creates the prefix when missing and
# gives it Wine's own fonts. Without them Debian's Wine draws "MS Sans Serif" (the dialogs'
# font) with a fontconfig fallback whose lines are a pixel shorter, so the dialog comes out
# 467 instead of 505 pixels high and the help picture, placed in pixels, is cut off.
# --unmanaged makes Wine place its windows itself: without a window manager (Xvfb) Wine
# otherwise waits about 2 s each time a shown window goes away.
prepare_wine_prefix() {
  local prefix=${1:-}
  local unmanaged=${2:-}
  export WINEPREFIX=${prefix:-${WINEPREFIX:-/tmp/morvtxtmvg-wine-$(id -u)}}
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  local marker="$WINEPREFIX/.morvtxtmvg-ready"
  if [ -f "$marker" ] && { [ -z "$unmanaged" ] || [ -f "$marker-unmanaged" ]; }; then
    return 0
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
  fi
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
    cp -n /usr/share/wine/fonts/* "$fonts"/ 2>/dev/null || true
  fi
  if [ "$unmanaged" = "--unmanaged" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    touch "$marker-unmanaged"
  fi
  # Let that wineserver end: one started without a display breaks later windows.
  wineserver -w || true
  touch "$marker"
}
