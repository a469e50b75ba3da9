#!/usr/bin/env bash
# The program must run on a bare Windows: it may import only system DLLs.
# With SUBSYSTEM, its PE subsystem must be that one (2 windows, 3 console).
# With MAP (the link map of the same link), it must also carry its hardening:
# ASLR with high-entropy addresses and the relocations it needs, DEP, and
# stack canaries (calls to the protector's failure routine in its code).
#   check_imports.sh OBJDUMP PROGRAM [SUBSYSTEM [MAP]]
set -u
objdump=${1:?objdump}; program=${2:?program}; subsystem=${3:-}; map=${4:-}
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
[ -n "$map" ] || exit $status

# DllCharacteristics: 0x20 high-entropy VA, 0x40 dynamic base, 0x100 NX.
flags=$(awk '$1 == "DllCharacteristics" {print $2}' <<<"$headers")
for bit in 20:HIGH_ENTROPY_VA 40:DYNAMIC_BASE 100:NX_COMPAT; do
  if [ -n "$flags" ] && (( (16#$flags & 16#${bit%%:*}) != 0 )); then
    echo "dll characteristics ${bit#*:}"
  else
    echo "MISSING dll characteristic ${bit#*:} (DllCharacteristics ${flags:-none})"; status=1
  fi
done
# A relocatable image needs its base relocation table; without one Windows
# cannot move it, whatever DYNAMIC_BASE says.
relocs=$(awk '/Base Relocation Directory/ {print $4}' <<<"$headers")
if [ -n "$relocs" ] && (( 16#$relocs > 0 )); then
  echo "base relocations 0x$relocs bytes"
else
  echo "NO BASE RELOCATIONS"; status=1
fi
# Stripped, the program names no symbols: the map gives the address of the
# protector's failure routine, and the program's code must call it.
fail_at=$(awk '$2 == "__stack_chk_fail" && $1 ~ /^0x/ {sub(/^0x0*/, "", $1); print $1; exit}' "$map")
calls=0
[ -z "$fail_at" ] ||
  calls=$("$objdump" -d --no-show-raw-insn "$program" | grep -cE "call +(0x)?0*$fail_at( |$)")
if [ "$calls" -gt 0 ]; then
  echo "stack protector: $calls calls to __stack_chk_fail (0x$fail_at)"
else
  echo "NO STACK PROTECTOR: ${fail_at:+no call to __stack_chk_fail at 0x$fail_at}${fail_at:-__stack_chk_fail not linked}"
  status=1
fi
exit $status
