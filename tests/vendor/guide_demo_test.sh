#!/bin/sh
# The guide's examples run as written: setuppack puts the demo product onto
# a CD and onto 1.44 MB floppy images, setuptry installs both under Wine, the
# floppies swapped when SETUP.EXE asks, in agreement with the plan; the
# worked example's checker runs print what the guide shows.
# Usage: guide_demo_test.sh SOURCE_DIR (its build/ is the guide's)
set -e
cd "$1"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# The worked example's distribution, as `make demo` lays it out.
rm -rf build/demo && mkdir -p build/demo && cp build/SETUP.EXE build/demo/
python3 tools/make_demo_distribution.py build/demo build/win32/fixtures
python3 tools/run_guide_examples.py > "$log" 2>&1 || { cat "$log"; exit 1; }
cat "$log"
fail() { echo "$1"; exit 1; }
[ "$(grep -c 'installation agrees with the plan' "$log")" -eq 2 ] || fail "setuptry did not agree on both media"
grep -q 'disks swapped in: [1-9] of [1-9]' "$log" || fail "no floppy was swapped in"
[ -f build/demo-pack/disk1.img ] || fail "the demo does not span two floppies"
for image in build/demo-pack/disk*.img; do
  mdir -i "$image" :: | grep -q 'SETUP    inf' || fail "no SETUP.inf on $image"
done
ls build/demo-shots/floppies/*disk-1.png > /dev/null || fail "no screenshot of the disk prompt"
