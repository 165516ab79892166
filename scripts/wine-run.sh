#!/usr/bin/env bash
# Runs a Windows program under Wine with a throwaway prefix (Wine's own fonts, no Mono or
# Gecko prompts). CTest runs the Windows test programs through this script.
source "$(dirname "$0")/wine-prefix.sh"
prepare_wine_prefix
exec wine "$@"
