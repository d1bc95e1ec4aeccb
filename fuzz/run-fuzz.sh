#!/bin/sh
# Runs libFuzzer targets one after the other for a set time each.
# Usage: run-fuzz.sh BUILD_DIR SECONDS TARGET...
# Each target grows a working corpus in BUILD_DIR/corpus/TARGET, seeded
# from fuzz/corpus/TARGET; crashers are saved to fuzz/crashers/TARGET.
set -e
build=$1; seconds=$2; shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$@"; do
  work="$build/corpus/$target"
  mkdir -p "$work" "$root/fuzz/crashers/$target"
  echo "== $target for $seconds s"
  "$build/$target" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=4096 \
    -artifact_prefix="$root/fuzz/crashers/$target/" "$work" "$root/fuzz/corpus/$target" || status=1
done
exit $status
