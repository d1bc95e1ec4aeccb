#!/bin/sh
# Makes the archives of the decoder tests with real archivers: Info-ZIP zip
# at levels 1, 6 and 9 (and stored), 7-Zip's own deflate encoder, and
# Python's zipfile. The originals stay beside them in src/.
# Usage: make_inflate_fixtures.sh OUTPUT_DIR SOURCE_ROOT
set -e
out=$1; root=$2
rm -rf "$out"; mkdir -p "$out/src"
cp "$root"/unzip/inflate.cpp "$root"/unzip/inflate_fast.cpp "$out/src/"
python3 - "$out/src" <<'PY'
import os, random, sys
d = sys.argv[1]
r = random.Random(5)
open(os.path.join(d, 'empty.bin'), 'wb').close()
open(os.path.join(d, 'one.txt'), 'wb').write(b'x')
open(os.path.join(d, 'noise.bin'), 'wb').write(bytes(r.getrandbits(8) for _ in range(150000)))
open(os.path.join(d, 'runs.bin'), 'wb').write(b''.join(bytes([i % 7]) * (i % 300) for i in range(2000)))
words = [b'setup', b'corvane', b'install', b'archive', b'\r\n', b'disk', b'window', b'member']
open(os.path.join(d, 'words.txt'), 'wb').write(b' '.join(r.choice(words) for _ in range(120000)))
# 32768 bytes exactly: one full window.
open(os.path.join(d, 'window.bin'), 'wb').write(bytes((i * 7 + (i >> 9)) & 0xFF for i in range(32768)))
PY
for dll in /usr/lib/i386-linux-gnu/wine/i386-windows/comctl32.dll /usr/lib/wine/i386-windows/comctl32.dll; do
  [ -f "$dll" ] && cp "$dll" "$out/src/binary.dll" && break
done
cd "$out/src"
for level in 0 1 6 9; do zip -q -X -$level "../zip$level.zip" *; done
7z a -bd -y -tzip -mm=Deflate -mx=9 ../sevenzip9.zip . >/dev/null
7z a -bd -y -tzip -mm=Deflate -mx=1 ../sevenzip1.zip . >/dev/null
python3 - <<'PY'
import os, zipfile
with zipfile.ZipFile('../pyzip.zip', 'w', zipfile.ZIP_DEFLATED, compresslevel=6) as z:
    for n in sorted(os.listdir('.')):
        z.write(n)
PY
