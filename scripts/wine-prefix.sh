#!/usr/bin/env bash
# prepare_wine_prefix [PREFIX]: exports WINEPREFIX (PREFIX, else $WINEPREFIX, else a prefix of
# our own for running the program) and the quiet Wine settings of wine-run.sh; creates the
# prefix when missing and gives it Wine's own fonts. Without them Debian's Wine draws
# "MS Sans Serif" (the dialogs' font) with a fontconfig fallback whose lines are a pixel
# shorter, so the dialog comes out 467 instead of 505 pixels high and the help picture, placed
# in pixels, is cut off at the bottom.
prepare_wine_prefix() {
  export WINEPREFIX=${1:-${WINEPREFIX:-/tmp/morvtxtmvg-wine-run-$(id -u)}}
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # Let that wineserver end: one started without a display breaks later windows.
    wineserver -w || true
  fi
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
    cp -n /usr/share/wine/fonts/* "$fonts"/ 2>/dev/null || true
  fi
}
