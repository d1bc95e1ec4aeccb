#!/bin/sh
# The i386 program under qemu-user as processors of every fast-loop and CRC
# kind must print the host program's lines over every fixture archive.
# Usage: run_old_cpu.sh QEMU I386_PROGRAM HOST_PROGRAM WORK_DIR FIXTURE_DIR...
set -e
qemu=$1 program=$2 host=$3 work=$4
shift 4
ulimit -c 0  # qemu-user would leave a core file of a killed program

# Models and the kinds each must get: the 486 and the Pentium lack CMOV
# and SSE, Nehalem has SSE2 without PCLMULQDQ, qemu's newest model has both.
models="486:plain:tables pentium:plain:tables Nehalem:wide:tables max:wide:clmul"

# Every archive of the fixture folders, with the base and length that its
# listing's expectation gives (embedded archives); paths have no spaces.
archives=
for dir; do
  for f in "$dir"/*; do
    [ -f "$f" ] || continue
    case $f in *.expect | *.members | */stamp) continue ;; esac
    base=0 length=0
    [ -f "$f.expect" ] && read -r _ base length _ < "$f.expect"
    archives="$archives $f $base $length"
  done
done

[ -d "$work" ] && chmod -R u+w "$work"
rm -rf "$work"
mkdir -p "$work"

# Scratch folders of one length: an extraction path's length decides
# whether it fits.
mkdir "$work/s0"
"$host" "$work/s0" $archives > "$work/host.lines"
echo "host: $(wc -l < "$work/host.lines") lines"

failed=0
index=0
for entry in $models; do
  index=$((index + 1))
  model=${entry%%:*} rest=${entry#*:}
  loop=${rest%%:*} crc=${rest#*:}
  # qemu warns on stderr of 64-bit features a 32-bit process cannot have.
  kinds=$("$qemu" -cpu "$model" "$program" --kinds 2> "$work/$model.err") || true
  echo "$model: $kinds"
  if [ "$kinds" != "fast loop $loop, crc $crc" ]; then
    echo "$model: expected fast loop $loop, crc $crc"
    failed=1
  fi
  mkdir "$work/s$index"
  status=0
  "$qemu" -cpu "$model" "$program" "$work/s$index" $archives > "$work/$model.lines" 2> "$work/$model.err" ||
    status=$?
  if [ "$status" != 0 ]; then
    echo "$model: exit status $status"; cat "$work/$model.err"
    failed=1
  fi
  if diff -u "$work/host.lines" "$work/$model.lines" > "$work/$model.diff"; then
    echo "$model: $(wc -l < "$work/$model.lines") lines as the host's"
  else
    echo "$model: lines differ from the host's"; head -40 "$work/$model.diff"
    failed=1
  fi
done
exit $failed
