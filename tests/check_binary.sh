#!/bin/sh
# Drapeno.exe must run on a clean Windows and never open a console: GUI
# subsystem, only system DLLs imported (nothing that could be planted beside
# it), ASLR, high-entropy VA, NX and Remote Desktop awareness set, Vista's
# header versions. It starts without the C runtime, so nothing in it may need
# the runtime's start-up: no constructor list (which the linker folds into
# .text, so the link map is read), no .CRT or TLS. Usage:
# check_binary.sh OBJDUMP EXE MAP
objdump=$1
exe=$2
map=$3
fail() { echo "$exe: $*" >&2; exit 1; }
dump=$("$objdump" -p "$exe") || fail "objdump failed"
field() { echo "$dump" | sed -n "s/^$1[[:space:]]*//p"; }

echo "$dump" | grep -q '^Subsystem.*(Windows GUI)' || fail "not the Windows GUI subsystem"

for dll in $(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case $dll in
        kernel32.dll | user32.dll | msvcrt.dll) ;;
        *) fail "imports $dll" ;;
    esac
done

flags=0x$(field DllCharacteristics)
for bit in 0x20:high-entropy-VA 0x40:ASLR 0x100:NX 0x8000:TERMINAL_SERVER_AWARE; do
    [ $((flags & ${bit%%:*})) -ne 0 ] || fail "${bit#*:} not set"
done
for version in OSystem Subsystem; do
    [ "$(field "Major${version}Version").$(field "Minor${version}Version")" = 6.0 ] || fail "${version} version not 6.0"
done

echo "$dump" | grep -q '^Entry 9 0*[[:space:]]0*[[:space:]]' || fail "has a TLS directory"
"$objdump" -h "$exe" | grep -E '^ +[0-9]+ +\.(CRT|ctors|dtors|init_array|tls)' && fail "has a start-up section"
# Input sections of the link with a size; a long name wraps onto the next line.
grep -q '^Linker script and memory map' "$map" || fail "no link map in $map"
sed -n '/^Linker script and memory map/,$p' "$map" | sed -E '/^ ?\.[^ ]+$/{N;s/\n +/ /;}' |
    grep -E '^ ?\.(ctors|dtors|init_array|fini_array|CRT|tls)[^ ]* +0x[0-9a-f]+ +0x0*[1-9a-f]' &&
    fail "links in code for the C runtime's start-up"
echo "$exe: GUI subsystem 6.0, system DLLs only, ASLR, high-entropy VA, NX, TS-aware, no start-up code"
