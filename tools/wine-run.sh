#!/bin/sh
# Runs a Windows program under the build's own Wine prefix.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
prefix=$1; shift
"$(dirname "$0")/wine-prefix.sh" "$prefix" || exit 1
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
wine "$@"
status=$?
# Whatever the program left running in the session (the shell's folder
# window and link helpers after a program group was created) holds its
# output open; end the session so the caller sees the program end.
wineserver -k 2>/dev/null
exit $status
