#!/bin/sh
# Lays out the sample distribution in BUILD/demo and starts its SETUP.EXE
# under Wine: on $DISPLAY when there is one, otherwise on Xvfb, where a
# screenshot is saved to BUILD/demo/screenshot.png.
set -e
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
demo="$build/demo"
prefix="$build/wineprefix"
rm -rf "$demo"
mkdir -p "$demo"
cp "$build/SETUP.EXE" "$demo/"
cp "$here/tools/demo/"* "$demo/"
"$here/tools/wine-prefix.sh" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all
if [ -n "${DISPLAY:-}" ]; then
  cd "$demo" && exec wine SETUP.EXE
fi
"$here/tools/run-under-x.sh" "$prefix" sh -c "
  cd '$demo' && wine SETUP.EXE & sleep \${DEMO_SECONDS:-6}
  xwd -root -silent > '$demo/screenshot.xwd'
  python3 '$here/tools/xwd2png.py' '$demo/screenshot.xwd' '$demo/screenshot.png'
  rm -f '$demo/screenshot.xwd'
  wineserver -k"
echo "screenshot: $demo/screenshot.png"
