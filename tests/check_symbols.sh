#!/bin/sh
# The Linux program runs on the oldest systems it is released for: nothing it
# takes from the C library is newer than glibc 2.34 (RHEL 9, Amazon Linux
# 2023), nothing from GCC's run-time libraries newer than GCC 11's (RHEL 9's:
# libstdc++ 3.4.29 and its ABI 1.3.13, libgcc_s 7.0.0); what it takes from
# libwayland-client was there in wayland 1.20 and what it binds of libsystemd
# by name in systemd 249 (Ubuntu 22.04; RHEL 9 has 252). libwayland-client's
# symbols carry no version, and the sd-bus calls are looked up at run time, so
# the release that brought each one is read from Debian's symbols file of its
# package. Usage: check_symbols.sh OBJDUMP PROGRAM
set -u
objdump=$1
program=$2
fail() { echo "$program: $*" >&2; exit 1; }
dump=$("$objdump" -T "$program") || fail "objdump failed"

# Prints each "VERSION NAME" of standard input whose VERSION is newer than $1.
newer() {
    { echo "$1 ="; cat; } | sort -V -s -k1,1 | awk -v limit="$1" 'past && $1 != limit; $0 == limit " =" { past = 1 }'
}
versioned=$(echo "$dump" | sed -n 's/.*(\([A-Z]*_[0-9.]*\)) *\([^ ]*\)$/\1 \2/p')
echo "$versioned" | grep -q '^GLIBC_' || fail "no versioned C library symbol read"
late=$(for limit in GLIBC_2.34 GLIBCXX_3.4.29 CXXABI_1.3.13 GCC_7.0.0; do
    family=${limit%_*}
    echo "$versioned" | sed -n "s/^${family}_\([0-9]\)/\1/p" | newer "${limit##*_}" | sed "s/^/${family}_/"
done)
[ -z "$late" ] || fail "needs symbols newer than its oldest systems have: $late"

symbols() { dpkg-query --control-path "$1" symbols 2>/dev/null | grep . || fail "no symbols file of $1"; }
wayland=$(symbols libwayland-client0) || exit 1
systemd=$(symbols libsystemd0) || exit 1
# The release that brought each name of standard input, by the symbols file
# $1, as "RELEASE NAME"; a name the file lacks is of release 999.
brought() {
    awk 'NR == FNR { split($1, at, "@"); release[at[1]] = $2; next }
         { print ($1 in release ? release[$1] : 999), $1 }' "$1" -
}
late=$(echo "$dump" | awk '$NF ~ /^wl_/ { print $NF }' | brought "$wayland" | newer 1.20.0)
[ -z "$late" ] || fail "takes from libwayland-client what wayland 1.20 lacks: $late"
bound=$(strings -a "$program" | grep -x 'sd_[a-z0-9_]*')
[ -n "$bound" ] || fail "no sd-bus call named"
late=$(echo "$bound" | brought "$systemd" | newer 249)
[ -z "$late" ] || fail "binds of libsystemd what systemd 249 lacks: $late"
echo "$program: glibc 2.34, GCC 11's libraries, wayland 1.20 and systemd 249 have all it needs"
