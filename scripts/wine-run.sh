#!/usr/bin/env bash
# Runs a Windows program under Wine with a throwaway prefix and no Mono/Gecko prompts.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEPREFIX=${WINEPREFIX:-/tmp/morvtxtmvg-wine-$(id -u)}
exec wine "$@"
