#!/usr/bin/env bash
# Runs a Windows program under Wine with a throwaway prefix (Wine's own fonts, no Mono or
# Gecko prompts). CTest runs the Windows test programs through this script.
source "$(dirname "$0")/wine-prefix.sh"
prepare_wine_prefix
wine "$@"
status=$?
# A program whose wineserver ends under it (`wineserver -k` by another run on the same prefix)
# stops at once with status 1 and not a word of its own: name the prefix, so that such a failure
# is not taken for the program's.
if [ "$status" -ne 0 ]; then
  echo "wine-run.sh: $(basename "$1") ended with status $status under the Wine prefix $WINEPREFIX" >&2
fi
exit "$status"
