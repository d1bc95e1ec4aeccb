#!/bin/sh
# Runs the archive fuzz target (listing and extraction) for a while with
# libFuzzer, seeded with the test archives. Crashers land in
# fuzz/crashers/zip_archive, which the ordinary test run replays.
# Usage: tools/fuzz_zip.sh [SECONDS]
set -e
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCORVANE_FUZZ=ON >/dev/null
cmake --build "$build" --target zip_archive_fuzzer zip_fixtures -j 2 >/dev/null
corpus=$build/zip_corpus
mkdir -p "$corpus" "$root/fuzz/crashers/zip_archive"
find "$build/zip_fixtures" -maxdepth 1 -type f -size -200k ! -name '*.expect' ! -name '*.members' \
  -exec cp {} "$corpus" \;
"$build/zip_archive_fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=1024 \
  -artifact_prefix="$root/fuzz/crashers/zip_archive/" "$corpus"
