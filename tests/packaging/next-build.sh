#!/usr/bin/env bash
# Makes the programs of the "next build" the upgrade test installs: copies of the built ones
# whose file and product versions are one build later, so that they really differ from what
# is installed and Windows Installer must replace the installed ones by their versions.
#
#   tests/packaging/next-build.sh <programs-dir> <next-dir>
set -eu

usage="usage: next-build.sh <programs-dir> <next-dir>"
from=${1:?$usage}
to=${2:?$usage}
source "$(dirname "$0")/../../tools/pe-version.sh"

# Writes the 16-bit number $3 little-endian at byte $2 of file $1.
poke_word() {
    printf "\\$(printf %03o $(($3 & 255)))\\$(printf %03o $(($3 >> 8)))" |
        dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

mkdir -p "$to"
for program in HotkeyForm.exe fnkey.exe; do
    cp "$from/$program" "$to/$program"
    at=$(fixed_version_offset "$to/$program")
    # The build is the low word of the second double word of each version: the file version's
    # at 12 bytes into the record, the product version's at 20.
    for field in 12 20; do
        build=$(od -An -j $((at + field)) -N 2 -t u2 "$to/$program")
        ((build < 65535)) || { echo "next-build: $program is at the last build" >&2; exit 1; }
        poke_word "$to/$program" $((at + field)) $((build + 1))
    done
done
