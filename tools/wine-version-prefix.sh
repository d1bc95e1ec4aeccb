#!/bin/sh
# Makes a Wine prefix that reports an older Windows (win95, nt351, nt40)
# once, from the build's prefix; later calls return at once.
# Usage: wine-version-prefix.sh BASE_PREFIX VERSION PREFIX
# The registry, the Windows folder's files and the user profile are copied;
# the System folder's programs and the side-by-side store (nearly all of a
# prefix's 600 MB, and only ever read) are hard links to the base's.
base=$1; version=$2; prefix=$3
[ -f "$prefix/.ready" ] && exit 0
"$(dirname "$0")/wine-prefix.sh" "$base" || exit 1
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.ready" ] && exit 0
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
# The base's registry as its server last saved it.
WINEPREFIX="$base" wineserver -w
rm -rf "$prefix"
mkdir -p "$prefix"
(cd "$base" && tar cf - --exclude=./.ready --exclude=./wineserver \
   --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/winsxs .) | (cd "$prefix" && tar xf -) || exit 1
cp -al "$base/drive_c/windows/system32" "$base/drive_c/windows/winsxs" "$prefix/drive_c/windows/" || exit 1
export WINEPREFIX="$prefix"
wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >/dev/null 2>&1 ||
  { echo "could not set $version in $prefix" >&2; exit 1; }
wineserver -w
touch "$prefix/.ready"
