#!/usr/bin/env bash
# Checks the tables of a built package that decide what an install, an upgrade, a removal and
# a click on the shortcut do against a reviewed copy: the components with their GUIDs and key
# paths, the shortcut, the registry values, the upgrade rows, the custom actions and the two
# sequences. A changed component GUID orphans the files of every earlier install, an
# advertised shortcut asks for repairs, and a moved RemoveExistingProducts loses the edited
# settings; none of them shows in a quick install.
#
#   tools/check-msi-tables.sh [--write] <package.msi> <version> <copy.txt>
#
# --write writes the package's tables into the copy instead. The package's version reads as
# <version> in the copy, so that it holds for every version.
set -eu

write=
if [ "${1:-}" = --write ]; then
    write=1
    shift
fi
usage="usage: check-msi-tables.sh [--write] <package.msi> <version> <copy.txt>"
package=${1:?$usage}
version=${2:?$usage}
copy=${3:?$usage}
tables="Component Shortcut Registry Upgrade CustomAction InstallExecuteSequence InstallUISequence"

# One line per row, led by its table's name; an exported table's rows follow its three
# header lines, in no promised order.
dump() {
    local table line
    for table in $tables; do
        msiinfo export "$package" "$table" | tail -n +4 | tr -d '\r' | LC_ALL=C sort |
            while IFS= read -r line; do
                line=$'\t'$line$'\t'
                line=${line//$'\t'$version$'\t'/$'\t'<version>$'\t'}
                line=${line#$'\t'}
                printf '%s\t%s\n' "$table" "${line%$'\t'}"
            done
    done
}

actual=$(dump)
if [ -n "$write" ]; then
    printf '%s\n' "$actual" >"$copy"
    exit 0
fi
if [ "$actual" != "$(cat "$copy")" ]; then
    echo "check-msi-tables: $package differs from $copy (< only in the copy, > only in the package):" >&2
    comm -3 <(LC_ALL=C sort "$copy") <(printf '%s\n' "$actual" | LC_ALL=C sort) |
        while IFS= read -r line; do
            if [[ $line == $'\t'* ]]; then echo "> ${line#$'\t'}"; else echo "< $line"; fi
        done >&2
    echo "check-msi-tables: a deliberate change is recorded with tools/make-msi.sh --update-tables" >&2
    exit 1
fi
