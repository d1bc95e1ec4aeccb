#!/bin/sh
# Fails when SETUP.EXE could not start on a Windows 95, NT 3.51 or NT 4.0
# loader: a DLL that Windows might load from beside the program, a function
# that the Windows 95 version of its DLL does not export (the lists in
# tools/win95-exports) or that the first release of NT 3.51 does not (the
# lists in tools/nt351-exports, for the DLLs that have one), headers of a
# later Windows, code that needs a C runtime to run before WinMain
# (static constructors), or a program over 64 KiB.
# Usage: check-imports.sh OBJDUMP NM EXE WIN95_LIST_DIR NT351_LIST_DIR [ARCHIVE_OR_OBJECT...]
objdump=$1; nm=$2; exe=$3; lists=$4; nt351_lists=$5
shift 5
# How the NT 3.51 list holds FUNCTION: "ok" on a line of its own, "note
# TEXT" when a note follows the name (the function came later, in a service
# pack), "missing" when it is not there.
nt351_entry() {
  awk -v f="$1" '
    /^[ \t]*#/ { next }
    $1 == f {
      hash = index($0, "#")
      if (hash) { note = substr($0, hash + 1); sub(/^[ \t]+/, "", note); print "note " note }
      else print "ok"
      found = 1; exit
    }
    END { if (!found) print "missing" }' "$2"
}
dump=$("$objdump" -p "$exe") || exit 1
status=0
imports=$(echo "$dump" | awk '
  /DLL Name:/ { dll = toupper($3) }
  /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll, $3 }')
for dll in $(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'a-z' 'A-Z'); do
  list="$lists/${dll%.DLL}.txt"
  if [ ! -f "$list" ]; then
    echo "forbidden import: $dll" >&2; status=1; continue
  fi
  nt351_list="$nt351_lists/${dll%.DLL}.txt"
  [ -f "$nt351_list" ] || nt351_list=
  count=0
  for function in $(echo "$imports" | awk -v d="$dll" '$1 == d { print $2 }'); do
    count=$((count + 1))
    grep -qx "$function" "$list" || { echo "$dll!$function is not among Windows 95's exports in $list" >&2; status=1; }
    [ -n "$nt351_list" ] || continue
    entry=$(nt351_entry "$function" "$nt351_list")
    case $entry in
      ok) ;;
      note*) echo "$dll!$function is not in the first release of Windows NT 3.51 (${entry#note }; $nt351_list)" >&2; status=1 ;;
      *) echo "$dll!$function is not among Windows NT 3.51's exports in $nt351_list" >&2; status=1 ;;
    esac
  done
  if [ -n "$nt351_list" ]; then
    echo "import $dll: $count functions (Windows 95 and NT 3.51 lists)"
  else
    echo "import $dll: $count functions (Windows 95 list; no NT 3.51 list)"
  fi
done
echo "$dump" | grep -q 'file format pei-i386' || { echo "not PE32 i386" >&2; status=1; }
echo "$dump" | grep -Eq 'Subsystem[[:space:]]+00000002' || { echo "not a GUI program" >&2; status=1; }
echo "$dump" | grep -Eq 'MajorSubsystemVersion[[:space:]]+4$' || { echo "subsystem version is not 4" >&2; status=1; }
echo "$dump" | grep -Eq 'MinorSubsystemVersion[[:space:]]+0$' || { echo "subsystem version is not 4.0" >&2; status=1; }
for code in "$@"; do
  if "$nm" -A "$code" 2>/dev/null | grep -q '_GLOBAL__sub_I_'; then
    echo "static constructor in $code: nothing runs it before WinMain" >&2
    "$nm" -A "$code" | grep '_GLOBAL__sub_I_' >&2
    status=1
  fi
done
# A setup program that once fit on a floppy beside its archives.
size=$(wc -c < "$exe")
echo "SETUP.EXE: $size bytes"
[ "$size" -le 65536 ] || { echo "SETUP.EXE is $size bytes, over its 64 KiB (65536 bytes)" >&2; status=1; }
exit $status
