#!/bin/sh
# setuppack lays a spanned product onto 720 KB floppies: the archive
# continues on the next disk, SETUP.inf lies on every disk, every image
# lists under mtools, and the checker finds the set clean.
# Usage: setuppack_test.sh BUILD_HOST_DIR
set -e
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source="$work/source"
mkdir -p "$source/product/32" "$source/product/16"
printf 'MZ stand-in' > "$source/SETUP.EXE"
printf '[Installation]\r\nProgram=Paqu\351\r\n[Destination]\r\nDir=c:\\packed\r\n[VersionCheck]\r\nVernum=2\r\n[install]\r\n1=read me.txt\r\n2=product.zip,Z\r\n3=after.txt\r\n' > "$source/SETUP.inf"
printf 'read me\r\n' > "$source/read me.txt"
printf 'after\r\n' > "$source/after.txt"
printf 'small\r\n' > "$source/product/FIRST.TXT"
python3 -c "import random,sys; sys.stdout.buffer.write(random.Random(5).randbytes(1000000))" > "$source/product/32/DATA.BIN"
chmod a-w "$source/product/32/DATA.BIN"
"$build/setuppack" --medium 720 "$source" "$work/out" > "$work/log" || { cat "$work/log"; exit 1; }
cat "$work/log"
[ -f "$work/out/disk1.img" ] || { echo "the archive did not continue on a second disk"; exit 1; }
for image in "$work"/out/disk*.img; do
  mdir -i "$image" :: | grep -q 'SETUP    inf' || { echo "no SETUP.inf on $image"; exit 1; }
done
mdir -i "$work/out/disk0.img" :: | grep -q 'SETUP    EXE' || { echo "no SETUP.EXE on the first disk"; exit 1; }
grep -q 'asked for as "disk number 1"' "$work/out/labels.txt"
# The read-only attribute travels with the member (external attribute bit 0).
python3 -c "
import struct,sys
blob=open('$work/out/disk0/product.zip','rb').read()
at=blob.find(b'PK\x01\x02')
found={}
while at>=0 and blob[at:at+4]==b'PK\x01\x02':
    n,e,c=struct.unpack_from('<3H',blob,at+28); attr=struct.unpack_from('<L',blob,at+38)[0]
    found[blob[at+46:at+46+n]]=attr; at+=46+n+e+c
assert found[b'32/DATA.BIN']&1 and not found[b'FIRST.TXT']&1, found
assert list(found)[0]==b'FIRST.TXT', list(found)
"
# The text report speaks the terminal's character set: code page 1252 in
# SETUP.inf becomes UTF-8 under a UTF-8 locale.
LC_ALL=C.UTF-8 "$build/setupcheck" --quiet "$work/out/disk0" | grep -q "Paqué" || { echo "the title is not UTF-8"; exit 1; }
