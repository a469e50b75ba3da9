#!/usr/bin/env bash
# The program must run on a bare Windows: it may import only system DLLs.
# With SUBSYSTEM, its PE subsystem must be that one (2 windows, 3 console).
#   check_imports.sh OBJDUMP PROGRAM [SUBSYSTEM]
set -u
objdump=${1:?objdump}; program=${2:?program}; subsystem=${3:-}
headers=$("$objdump" -p "$program")
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
[ -n "$imports" ] || { echo "no imports found in $program"; exit 1; }
allowed="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll"
status=0
for dll in $imports; do
  case " $allowed " in
    *" $dll "*) echo "import $dll" ;;
    *) echo "NOT A SYSTEM DLL: $dll"; status=1 ;;
  esac
done
if [ -n "$subsystem" ]; then
  found=$(awk '$1 == "Subsystem" {print $2 + 0}' <<<"$headers")
  echo "subsystem ${found:-none} (wanted $subsystem)"
  [ "$found" = "$subsystem" ] || status=1
fi
exit $status
