#!/bin/sh
# The program built for the Pentium Pro under qemu-user as a 486 and a
# Pentium: it must die of SIGILL (status 132), and the instruction qemu
# could not decode is shown with its function.
# Usage: pentiumpro_probe.sh QEMU OBJDUMP PROGRAM WORK_DIR ARCHIVE...
qemu=$1 objdump=$2 program=$3 work=$4
shift 4
ulimit -c 0  # qemu-user would leave a core file of the killed program
rm -rf "$work"
args=
for archive; do args="$args $archive 0 0"; done
failed=0
for model in 486 pentium; do
  mkdir -p "$work/$model"
  "$qemu" -cpu "$model" -d in_asm,nochain -D "$work/$model.asm" "$program" "$work/$model" $args \
    > "$work/$model.lines" 2> "$work/$model.err"
  status=$?
  echo "$model: exit status $status after $(wc -l < "$work/$model.lines") member lines"
  cat "$work/$model.err"
  # The last block qemu translated ends at the first byte it could not decode.
  address=$(grep '\.byte' "$work/$model.asm" | tail -1 | cut -d: -f1)
  if [ -n "$address" ]; then
    "$objdump" -d "$program" --start-address="$address" --stop-address=$((address + 4)) | grep -A1 '^[0-9a-f]* <'
  fi
  [ "$status" = 132 ] || failed=1
done
if [ "$failed" = 0 ]; then echo "SIGILL on both, as expected"; else echo "expected SIGILL (status 132) on both"; fi
exit $failed
