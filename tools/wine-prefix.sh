#!/bin/sh
# Creates the 32-bit Wine prefix of a build once; later calls return at once.
# Usage: wine-prefix.sh PREFIX
prefix=$1
[ -f "$prefix/.ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
lock="$prefix.lock"
# Several test programs may start at once; one of them makes the prefix.
exec 9>"$lock"
flock 9
[ -f "$prefix/.ready" ] && exit 0
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
wineboot -i >/dev/null 2>&1 || { echo "wineboot failed for $prefix" >&2; exit 1; }
# Without a window manager every hidden top-level window costs Wine a wait;
# unmanaged windows make the GUI tests far faster.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$prefix/.ready"
