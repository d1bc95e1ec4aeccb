#!/bin/sh
# Peak heap of listing and extracting a large archive, measured with
# valgrind massif on a host build without sanitizers (build/host-plain).
# Usage: tools/measure_zip_memory.sh [MEMBERS] [BIG_MEGABYTES]
set -e
members=${1:-20000}
big=${2:-64}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/host-plain
work=$root/build/zip-memory
cmake -S "$root" -B "$build" -DCORVANE_SANITIZE=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target extract_archive -j 2 >/dev/null
rm -rf "$work"
mkdir -p "$work/tree/many" "$work/out"
python3 - "$work/tree" "$members" "$big" <<'PY'
import os, sys
root, members, big = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
for i in range(members):
    with open(os.path.join(root, "many", "member_%06d_with_a_longer_name.txt" % i), "w") as f:
        f.write("member %d\n" % i * (i % 50 + 1))
chunk = bytes((i * 131 + 7) & 0xFF for i in range(65536))
with open(os.path.join(root, "big.bin"), "wb") as f:
    for i in range(big * 16):
        f.write(chunk if i % 2 else bytes(65536))
with open(os.path.join(root, "stored.bin"), "wb") as f:
    f.write(os.urandom(big * 1024 * 1024 // 4))
PY
(cd "$work/tree" && zip -q -r ../large.zip many big.bin && zip -q -0 ../large.zip stored.bin)
ls -l "$work/large.zip"
unzip -Z -t "$work/large.zip" 2>/dev/null || true
python3 -c "import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); print('central directory bytes:', z.fp.seek(0, 2) - z.start_dir - 22)" "$work/large.zip"
valgrind --tool=massif --massif-out-file="$work/massif.out" --stacks=no \
  "$build/extract_archive" "$work/large.zip" "$work/out"
ms_print "$work/massif.out" | sed -n '1,40p'
echo "peak heap bytes: $(grep mem_heap_B "$work/massif.out" | sed 's/mem_heap_B=//' | sort -n | tail -1)"
