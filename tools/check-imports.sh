#!/bin/sh
# Fails when SETUP.EXE could not start on a Windows 95 / NT 4.0 loader:
# a DLL that Windows might load from beside the program, a function that
# the Windows 95 version of its DLL does not export (the lists in
# tools/win95-exports), headers of a later Windows, or code that needs a
# C runtime to run before WinMain (static constructors).
# Usage: check-imports.sh OBJDUMP NM EXE EXPORT_LIST_DIR [ARCHIVE_OR_OBJECT...]
objdump=$1; nm=$2; exe=$3; lists=$4
shift 4
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
  count=0
  for function in $(echo "$imports" | awk -v d="$dll" '$1 == d { print $2 }'); do
    count=$((count + 1))
    grep -qx "$function" "$list" || { echo "$dll!$function is not among Windows 95's exports in $list" >&2; status=1; }
  done
  echo "import $dll: $count functions"
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
echo "SETUP.EXE: $(wc -c < "$exe") bytes"
exit $status
