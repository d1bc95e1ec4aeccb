#!/bin/sh
# Lays out the sample distribution in BUILD/demo and starts its SETUP.EXE
# under Wine. On $DISPLAY the user installs it; without a display it runs on
# Xvfb with the demo driver playing the user, and a screenshot of each step
# is saved in BUILD/demo (screenshot.png shows the progress dialog at work).
set -e
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
demo="$build/demo"
prefix="$build/wineprefix"
rm -rf "$demo"
mkdir -p "$demo"
cp "$build/SETUP.EXE" "$demo/"
python3 "$here/tools/make_demo_distribution.py" "$demo" "$build/win32/fixtures"
"$here/tools/wine-prefix.sh" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all
# Each demo starts from a machine without Corvane.
rm -rf "$prefix/drive_c/corvane" "$prefix/drive_c/windows/corvane.ini"
if [ -n "${DISPLAY:-}" ]; then
  cd "$demo" && exec wine SETUP.EXE
fi
"$here/tools/run-under-x.sh" "$prefix" sh -c "
  wine '$build/win32/demo_driver.exe' 'Z:$demo' &
  driver=\$!
  while kill -0 \$driver 2>/dev/null; do
    for request in '$demo'/*.request; do
      [ -e \"\$request\" ] || continue
      name=\$(basename \"\$request\" .request)
      xwd -root -silent > '$demo/shot.xwd'
      python3 '$here/tools/xwd2png.py' '$demo/shot.xwd' '$demo/screenshot-'\$name.png
      rm -f \"\$request\" '$demo/shot.xwd'
    done
    sleep 0.1
  done
  wait \$driver
  wineserver -k"
[ -f "$demo/screenshot-progress.png" ] && cp "$demo/screenshot-progress.png" "$demo/screenshot.png"
echo "screenshots: $(ls "$demo"/screenshot*.png | tr '\n' ' ')"
ls "$prefix/drive_c/corvane" 2>/dev/null | sed 's/^/installed: /'
