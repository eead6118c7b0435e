#!/usr/bin/env bash
# `make dist`: packs the programs the tests ran (build/bin, not rebuilt), the sample settings
# and the Windows readme into build/dist/KESTO-Hotkey-<version>.zip and into the Windows
# Installer package build/dist/KESTO-Hotkey-<version>-x64.msi, the version being the programs'
# own (the CMake project's and the build number), then checks that each holds exactly those
# files.
#
#   tools/make-dist.sh <build-dir>
set -eu

build=$(cd "${1:?usage: make-dist.sh <build-dir>}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)

header="$build/generated/hotkey_version.h"
version=$(grep -m1 '^#define HOTKEY_VERSION_STRING ' "$header" | cut -d'"' -f2)
[ -n "$version" ] || { echo "make-dist: no version in $header" >&2; exit 1; }
zip_path="$build/dist/KESTO-Hotkey-$version.zip"
msi_path="$build/dist/KESTO-Hotkey-$version-x64.msi"
expected="HotkeyForm.exe fnkey.exe Hotkey.ini README.txt"

stage="$build/dist/stage"
rm -f "$zip_path"
"$root/tools/stage-dist.sh" "$build" "$stage"

# -X and -D leave out Unix attributes and folder entries, which Windows has no use for.
(cd "$stage" && zip -q -X -D "$zip_path" $expected)
rm -rf "$stage"

# The archive's own listing: its names are the lines indented by two blanks.
listed=$(zip -sf "$zip_path" | grep '^  ' |
    while IFS= read -r line; do echo "${line#  }"; done | sort)
wanted=$(printf '%s\n' $expected | sort)
if [ "$listed" != "$wanted" ]; then
    echo "make-dist: $zip_path holds [${listed//$'\n'/ }], expected [${wanted//$'\n'/ }]" >&2
    exit 1
fi
echo "$zip_path"
zip -sf "$zip_path"

"$root/tools/make-msi.sh" "$build" "$version" "$msi_path"
echo "$msi_path ($(wc -c <"$msi_path") bytes)"
