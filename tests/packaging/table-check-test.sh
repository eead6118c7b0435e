#!/usr/bin/env bash
# The table check passes the package as built and fails it once one component GUID changed.
#
#   tests/packaging/table-check-test.sh <source-dir> <package.msi> <version>
set -eu

root=${1:?} package=${2:?} version=${3:?}
check="$root/tools/check-msi-tables.sh"
copy="$root/packaging/msi-tables.txt"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$check" "$package" "$version" "$copy" || { echo "FAIL: the package as built fails the check"; exit 1; }
cp "$package" "$scratch/changed.msi"
msibuild "$scratch/changed.msi" -q \
    "UPDATE \`Component\` SET \`ComponentId\` = '{00000000-0000-0000-0000-000000000001}' WHERE \`Component\` = 'fnkey.exe'"
if "$check" "$scratch/changed.msi" "$version" "$copy" 2>"$scratch/report"; then
    echo "FAIL: a changed component GUID passes the check"
    exit 1
fi
grep -q '{00000000-0000-0000-0000-000000000001}' "$scratch/report" ||
    { echo "FAIL: the report does not name the changed row:"; cat "$scratch/report"; exit 1; }
