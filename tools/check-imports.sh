#!/bin/sh
# Fails when SETUP.EXE imports a DLL that Windows might load from beside it,
# or when its headers do not fit a Windows 95 / NT 4.0 loader.
objdump=$1; exe=$2
dump=$("$objdump" -p "$exe") || exit 1
status=0
for dll in $(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
  case $(echo "$dll" | tr 'a-z' 'A-Z') in
    KERNEL32.DLL|USER32.DLL|GDI32.DLL|SHELL32.DLL|ADVAPI32.DLL|MSVCRT.DLL) echo "import $dll" ;;
    *) echo "forbidden import: $dll" >&2; status=1 ;;
  esac
done
echo "$dump" | grep -q 'file format pei-i386' || { echo "not PE32 i386" >&2; status=1; }
echo "$dump" | grep -Eq 'Subsystem[[:space:]]+00000002' || { echo "not a GUI program" >&2; status=1; }
echo "$dump" | grep -Eq 'MajorSubsystemVersion[[:space:]]+4$' || { echo "subsystem version is not 4" >&2; status=1; }
echo "$dump" | grep -Eq 'MinorSubsystemVersion[[:space:]]+0$' || { echo "subsystem version is not 4.0" >&2; status=1; }
exit $status
