#!/usr/bin/env bash
# `make dist`: packs the programs the tests ran (build/bin, not rebuilt), the sample settings
# and the Windows readme into build/dist/KESTO-Hotkey-<version>.zip, the version being the
# CMake project's, then checks that the archive holds exactly those files.
#
#   tools/make-dist.sh <build-dir>
set -eu

build=$(cd "${1:?usage: make-dist.sh <build-dir>}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)

version=$(grep -m1 '^CMAKE_PROJECT_VERSION:' "$build/CMakeCache.txt" | cut -d= -f2)
[ -n "$version" ] || { echo "make-dist: no project version in $build/CMakeCache.txt" >&2; exit 1; }
zip_path="$build/dist/KESTO-Hotkey-$version.zip"
expected="HotkeyForm.exe fnkey.exe Hotkey.ini README.txt"

stage="$build/dist/stage"
rm -rf "$stage" "$zip_path"
mkdir -p "$stage"
cp "$build/bin/HotkeyForm.exe" "$build/bin/fnkey.exe" "$stage/"

# Notepad before Windows 10 shows a file with bare LF line ends as one long line.
to_crlf() {
    while IFS= read -r line || [ -n "$line" ]; do printf '%s\r\n' "${line%$'\r'}"; done <"$1" >"$2"
}
to_crlf "$root/tools/sample-Hotkey.ini" "$stage/Hotkey.ini"
to_crlf "$root/docs/README-Windows.txt" "$stage/README.txt"
for text in Hotkey.ini README.txt; do
    if grep -q $'[^\r]$' "$stage/$text"; then
        echo "make-dist: $text has a line without CRLF" >&2
        exit 1
    fi
done

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
