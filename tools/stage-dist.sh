#!/usr/bin/env bash
# Puts what a release ships into one folder: the programs the tests ran (build/bin, not
# rebuilt, or the folder given), the sample settings as Hotkey.ini and the Windows readme as
# README.txt, both with CRLF line ends. The ZIP and the Windows Installer package are packed
# from it.
#
#   tools/stage-dist.sh <build-dir> <stage-dir> [<programs-dir>]
set -eu

usage="usage: stage-dist.sh <build-dir> <stage-dir> [<programs-dir>]"
build=$(cd "${1:?$usage}" && pwd)
stage=${2:?$usage}
programs=${3:-$build/bin}
root=$(cd "$(dirname "$0")/.." && pwd)

rm -rf "$stage"
mkdir -p "$stage"
cp "$programs/HotkeyForm.exe" "$programs/fnkey.exe" "$stage/"

# Notepad before Windows 10 shows a file with bare LF line ends as one long line.
to_crlf() {
    while IFS= read -r line || [ -n "$line" ]; do printf '%s\r\n' "${line%$'\r'}"; done <"$1" >"$2"
}
to_crlf "$root/tools/sample-Hotkey.ini" "$stage/Hotkey.ini"
to_crlf "$root/docs/README-Windows.txt" "$stage/README.txt"
for text in Hotkey.ini README.txt; do
    if grep -q $'[^\r]$' "$stage/$text"; then
        echo "stage-dist: $text has a line without CRLF" >&2
        exit 1
    fi
done
