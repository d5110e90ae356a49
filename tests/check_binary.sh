#!/bin/sh
# Drapeno.exe must run on a clean Windows and never open a console: GUI
# subsystem, only system DLLs imported (nothing that could be planted beside
# it), and ASLR, high-entropy VA and NX set. Usage: check_binary.sh OBJDUMP EXE
objdump=$1
exe=$2
fail() { echo "$exe: $*" >&2; exit 1; }
dump=$("$objdump" -p "$exe") || fail "objdump failed"

echo "$dump" | grep -q '^Subsystem.*(Windows GUI)' || fail "not the Windows GUI subsystem"

for dll in $(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case $dll in
        kernel32.dll | user32.dll | msvcrt.dll) ;;
        *) fail "imports $dll" ;;
    esac
done

flags=0x$(echo "$dump" | sed -n 's/^DllCharacteristics[[:space:]]*//p')
for bit in 0x20:high-entropy-VA 0x40:ASLR 0x100:NX; do
    [ $((flags & ${bit%%:*})) -ne 0 ] || fail "${bit#*:} not set"
done
echo "$exe: GUI subsystem, system DLLs only, ASLR, high-entropy VA, NX"
