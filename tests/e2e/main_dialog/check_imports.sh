#!/usr/bin/env bash
# The program must run on a bare Windows: it may import only system DLLs.
# With SUBSYSTEM, its PE subsystem must be that one (2 windows, 3 console).
# With MAP (the link map of the same link), it must also carry its hardening:
# ASLR with high-entropy addresses and the relocations it needs, DEP,
# terminal-server awareness, and stack canaries (calls to the protector's
# failure routine in its code) whose guard is seeded without the CryptoAPI
# provider; a load configuration that keeps the loader's loads in System32
# and names the guard as its cookie; and no C++ exception runtime. With
# MAX_BYTES, the program is at most that large. With SUBSYSTEM, it carries
# its manifest (no elevation, the supported Windows versions; a windows
# program, SUBSYSTEM 2, per-monitor DPI awareness too) and the product's
# version resource. Neither program imports a library that serves only one
# rare action: those are loaded when used.
#   check_imports.sh OBJDUMP PROGRAM [SUBSYSTEM [MAP [MAX_BYTES]]]
set -u
objdump=${1:?objdump}; program=${2:?program}; subsystem=${3:-}; map=${4:-}; max_bytes=${5:-}
headers=$("$objdump" -p "$program")
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
[ -n "$imports" ] || { echo "no imports found in $program"; exit 1; }
allowed="advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll"
# The print and font dialogs, COM (for the annotations after the first
# report) and the web links: loaded at first use from System32.
when_used="comdlg32.dll ole32.dll shell32.dll"
status=0
for dll in $imports; do
  case " $allowed " in
    *" $dll "*) echo "import $dll" ;;
    *) case " $when_used " in
      *" $dll "*) echo "LOADED AT EVERY START: $dll (it is loaded at first use)"; status=1 ;;
      *) echo "NOT A SYSTEM DLL: $dll"; status=1 ;;
    esac ;;
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
for bit in 20:HIGH_ENTROPY_VA 40:DYNAMIC_BASE 100:NX_COMPAT 8000:TERMINAL_SERVER_AWARE; do
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
# The guard's seed: libssp's takes the CryptoAPI provider (rsaenh, crypt32,
# bcrypt and user32 loaded at every start); the program brings its own.
if grep -q 'libssp\.a(ssp\.o)' "$map" || grep -qE '^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+Crypt[A-Z]' <<<"$headers"; then
  echo "CRYPTO PROVIDER at start: libssp's guard set-up or a CryptoAPI import"; status=1
else
  echo "stack guard seeded without the crypto provider"
fi
# The load configuration: Windows wants the directory's size to be the
# structure's own Size field, which must reach past the cookie (0x58, 8 bytes);
# DependentLoadFlags (0x4E) LOAD_LIBRARY_SEARCH_SYSTEM32; the cookie the guard.
read_at() {  # RVA LENGTH: the little-endian number the image holds there
  local rva=$((16#$1)) base vma size offset
  base=$((16#$(awk '$1 == "ImageBase" {print $2}' <<<"$headers")))
  while read -r size vma offset; do
    vma=$((16#$vma - base))
    if (( rva >= vma && rva + $2 <= vma + 16#$size )); then
      od -An -t "u$2" -j $((16#$offset + rva - vma)) -N "$2" "$program" | tr -d ' '
      return
    fi
  done < <("$objdump" -h "$program" | awk '$1 ~ /^[0-9]+$/ {print $3, $4, $6}')
}
read -r config_rva config_size < <(awk '/Load Configuration Directory/ {print $3, $4}' <<<"$headers")
guard_at=$(awk '$2 == "__stack_chk_guard" && $1 ~ /^0x/ {sub(/^0x/, "", $1); print $1; exit}' "$map")
[ -z "$guard_at" ] || guard_at=$((16#$guard_at))
if [ -z "$config_size" ] || (( 16#$config_size == 0 )); then
  echo "NO LOAD CONFIGURATION"; status=1
else
  config_bytes=$(read_at "$config_rva" 4)
  flags_found=$(read_at "$(printf %x $((16#$config_rva + 0x4E)))" 2)
  cookie=$(read_at "$(printf %x $((16#$config_rva + 0x58)))" 8)
  echo "load configuration: $((16#$config_size)) bytes in the directory, Size ${config_bytes:-none}," \
    "DependentLoadFlags ${flags_found:-none}, SecurityCookie ${cookie:-none} (the guard at ${guard_at:-none})"
  [ "${config_bytes:-0}" = $((16#$config_size)) ] && (( config_bytes >= 0x60 )) ||
    { echo "LOAD CONFIGURATION SIZE does not match its directory or lacks the cookie"; status=1; }
  [ "${flags_found:-0}" = $((0x800)) ] || { echo "DEPENDENT LOADS not restricted to System32"; status=1; }
  [ -n "$guard_at" ] && [ "${cookie:-0}" = "$guard_at" ] || { echo "SECURITY COOKIE is not the stack guard"; status=1; }
fi
# The step after the link refuses a map naming other words (on a copy): the
# guard's line naming the structure, or the structure's the guard.
structure_at=$(awk '$2 == "_load_config_used" && $1 ~ /^0x/ {print $1; exit}' "$map")
wrong=$(mktemp -d)
for moved in "__stack_chk_guard $structure_at" "_load_config_used $(printf 0x%x "${guard_at:-0}")"; do
  cp "$program" "$wrong/image"
  sed -E "s/^([[:space:]]+)0x[0-9a-fA-F]+([[:space:]]+${moved% *}[[:space:]]*)$/\1${moved#* }\2/" "$map" >"$wrong/map"
  python3 "$(dirname "$0")/../../../tools/load_config/set_load_config.py" "$wrong/image" "$wrong/map" 2>&1 &&
    { echo "WRONG MAP TAKEN by the load-configuration step: $moved"; status=1; }
done
rm -rf "$wrong"
# The exception runtime comes with the demangler and winpthread.
if runtime=$(grep -m1 -oE '__cxa_demangle|libwinpthread[^ )]*' "$map"); then
  echo "C++ EXCEPTION RUNTIME linked: $runtime"; status=1
fi
if [ -n "$max_bytes" ]; then
  size=$(stat -c %s "$program")
  echo "size $size bytes (at most $max_bytes)"
  [ "$size" -le "$max_bytes" ] || status=1
fi
if [ -n "$subsystem" ]; then
  dpi=()
  [ "$subsystem" != 2 ] || dpi=('<dpiAwareness[^>]*>PerMonitorV2, PerMonitor<' '<dpiAware [^>]*>true<')
  # Vista, 7, 8, 8.1 and 10 (which stands for 11 too).
  for entry in "${dpi[@]}" '<requestedExecutionLevel level="asInvoker"' \
      e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a \
      4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 \
      8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
    if LC_ALL=C grep -aqE "$entry" "$program"; then
      echo "manifest: $entry"
    else
      echo "MANIFEST LACKS: $entry"; status=1
    fi
  done
  # The version resource: each string a UTF-16 key, its terminator and
  # padding, then the value.
  utf16() { printf %s "$1" | od -An -v -t x1 | tr -s ' \n' ' ' | sed 's/ \([0-9a-f][0-9a-f]\)/\\x\1\\x00/g; s/ *$//'; }
  for pair in ProductName=Farspan ProductVersion=1.0 "OriginalFilename=$(basename "$program")"; do
    if LC_ALL=C grep -aqP "$(utf16 "${pair%%=*}")\x00\x00(\x00\x00)?$(utf16 "${pair#*=}")" "$program"; then
      echo "version resource: $pair"
    else
      echo "VERSION RESOURCE LACKS: $pair"; status=1
    fi
  done
fi
exit $status
