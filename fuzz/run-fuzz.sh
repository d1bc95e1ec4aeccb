#!/bin/sh
# Runs libFuzzer targets side by side, as many at a time as the machine
# has cores (FUZZ_JOBS to choose), SECONDS each; then prints each
# target's executions, CPU time and coverage, and minimises its committed
# seed corpus fuzz/corpus/TARGET to the inputs that keep all the coverage
# found. Crashers are saved to
# fuzz/crashers/TARGET, which the test run replays.
# Usage: run-fuzz.sh BUILD_DIR SECONDS TARGET...
set -e
# An i686 build of a target (TARGET_i686, in BUILD/i686) shares the
# target's seeds and crashers.
program() { case $2 in *_i686) echo "$1/i686/$2" ;; *) echo "$1/$2" ;; esac; }
if [ "$1" = --one ]; then
  build=$2; seconds=$3; target=$4
  root=$(cd "$(dirname "$0")/.." && pwd)
  seeds=${target%_i686}
  work="$build/corpus/$target"
  mkdir -p "$work" "$root/fuzz/crashers/$seeds" "$root/fuzz/corpus/$seeds"
  extra=""
  [ "$target" = zip_archive_fuzzer ] && extra="$build/zip_fixtures"
  status=0
  /usr/bin/time -f '%U %S' -o "$build/$target.cpu" \
  "$(program "$build" "$target")" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$root/fuzz/crashers/$seeds/" "$work" "$root/fuzz/corpus/$seeds" $extra \
    >"$build/$target.log" 2>&1 || status=$?
  echo "$status" >"$build/$target.status"
  exit 0
fi
build=$1; seconds=$2; shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${FUZZ_JOBS:-$(nproc 2>/dev/null || echo 1)}
echo "fuzzing $# targets, $seconds s each, $jobs at a time"
printf '%s\n' "$@" | xargs -P "$jobs" -I{} "$0" --one "$build" "$seconds" {}
failed=0
for target in "$@"; do
  log="$build/$target.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1)
  status=$(cat "$build/$target.status")
  # The CPU time shows what a target really got when more targets than
  # cores ran side by side.
  cpu=$(awk 'END { printf "%.0f", ($1 + $2) / 60 }' "$build/$target.cpu" 2>/dev/null)
  verdict="no findings"
  if [ "$status" != 0 ]; then
    verdict="FINDING (exit $status): $(grep -o 'Test unit written to .*' "$log" | tail -1)"
    failed=1
  fi
  printf '%-28s %12s executions  %-22s %4s CPU-min  %s\n' "$target" "${runs:-?}" "${coverage:-cov: ?}" \
    "${cpu:-?}" "$verdict"
  # Keep the smallest set of inputs that covers what the seeds and this
  # run's corpus cover together; measured by the target's own build, not
  # by its i686 build, whose coverage is of other code.
  [ "${target%_i686}" = "$target" ] || continue
  minimal="$build/corpus/$target.min"
  rm -rf "$minimal" && mkdir -p "$minimal"
  extra=""
  [ "$target" = zip_archive_fuzzer ] && extra="$build/zip_fixtures"
  if "$build/$target" -merge=1 -rss_limit_mb=2048 -max_len=65536 "$minimal" "$root/fuzz/corpus/$target" \
      "$build/corpus/$target" $extra >"$build/$target.merge.log" 2>&1; then
    rm -rf "$root/fuzz/corpus/$target"
    mv "$minimal" "$root/fuzz/corpus/$target"
    echo "  seed corpus: $(ls "$root/fuzz/corpus/$target" | wc -l) inputs"
  fi
done
exit $failed
