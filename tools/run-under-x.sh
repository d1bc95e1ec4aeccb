#!/bin/sh
# Runs a command on a fresh Xvfb display (1024x768, 24 bits) with the build's
# Wine prefix, and stops the prefix's wineserver afterwards.
# Usage: run-under-x.sh PREFIX COMMAND [ARGS...]
prefix=$1; shift
export WINEPREFIX="$prefix" WINEDEBUG=-all
xvfb-run -a -s "-screen 0 1024x768x24" "$@"
status=$?
wineserver -k 2>/dev/null
exit $status
