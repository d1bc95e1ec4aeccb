#!/bin/sh
# SETUPCHK.EXE under Wine gives the same output, byte for byte, and the same
# exit status as the native setupcheck on the same distributions, as text
# and as JSON.
# Usage: same_output.sh NATIVE_SETUPCHECK WINEPREFIX SETUPCHK.EXE DISTS_DIR
native=$1 prefix=$2 program=$3 dists=$4
here=$(cd "$(dirname "$0")/../.." && pwd)
if [ ! -x "$native" ]; then
  echo "no native setupcheck at $native: build the host build first (make host)"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$dists" || exit 1
failures=0
run() {
  # Byte for byte: the native text stays in code page 1252 as on Windows.
  LC_ALL=C "$native" "$@" > "$work/native" 2>/dev/null
  native_status=$?
  "$here/tools/wine-run.sh" "$prefix" "$program" "$@" > "$work/wine" 2>/dev/null
  wine_status=$?
  if ! cmp -s "$work/native" "$work/wine" || [ $native_status != $wine_status ]; then
    echo "differs: setupcheck $* (exit $native_status native, $wine_status under Wine)"
    diff "$work/native" "$work/wine" | head -20
    failures=$((failures + 1))
  else
    echo "same: setupcheck $* (exit $native_status, $(wc -l < "$work/native") lines)"
  fi
}
run demo
run --json demo
run atlas
run --json --language 3 --version 16 atlas
run --quiet faulty
run --json faulty
run --disk orbit/disk1 --disk orbit/disk2 orbit/disk0
run --json --language 2 --other-languages no --disk orbit/disk1 --disk orbit/disk2 orbit/disk0
run orbit/disk0
run --disk orbit-no-inf-last/disk1 --disk orbit-no-inf-last/disk2 orbit-no-inf-last/disk0
run --json stopped
exit $failures
