#!/bin/sh
# Runs a Windows program under the build's own Wine prefix.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
prefix=$1; shift
"$(dirname "$0")/wine-prefix.sh" "$prefix" || exit 1
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
exec wine "$@"
