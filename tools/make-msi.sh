#!/usr/bin/env bash
# Builds the Windows Installer package from packaging/KESTO-Hotkey.wxs with wixl, from the
# programs of build/bin (or of another folder) as staged for a release, then checks that it
# installs exactly the shipped files and that the tables that decide upgrades, removals and
# repairs are those of packaging/msi-tables.txt.
#
#   tools/make-msi.sh [--update-tables] <build-dir> <version> <output.msi> [<programs-dir>]
#
# --update-tables writes the package's tables into packaging/msi-tables.txt instead of
# checking them: for a deliberate change of the package, reviewed in the diff.
set -eu

update_tables=
if [ "${1:-}" = --update-tables ]; then
    update_tables=1
    shift
fi
usage="usage: make-msi.sh [--update-tables] <build-dir> <version> <output.msi> [<programs-dir>]"
build=$(cd "${1:?$usage}" && pwd)
version=${2:?$usage}
output=${3:?$usage}
programs=${4:-$build/bin}
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/pe-version.sh"
expected="HotkeyForm.exe fnkey.exe Hotkey.ini README.txt"

# Windows Installer takes at most 255.255.65535.65535 and would read a larger field as some
# other version, so that upgrades would go the wrong way.
IFS=. read -r major minor patch tweak extra <<<"$version"
if ! [[ $major =~ ^[0-9]+$ && $minor =~ ^[0-9]+$ && $patch =~ ^[0-9]+$ ]] ||
    [ -n "$extra" ] || { [ -n "$tweak" ] && ! [[ $tweak =~ ^[0-9]+$ ]]; } ||
    ((10#$major > 255 || 10#$minor > 255 || 10#$patch > 65535 || 10#${tweak:-0} > 65535)); then
    echo "make-msi: $version is no Windows Installer version (at most 255.255.65535.65535)" >&2
    exit 1
fi

stage=$(mktemp -d "$build/msi-stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT
"$root/tools/stage-dist.sh" "$build" "$stage" "$programs"
cp "$root/res/HotkeyForm.ico" "$stage/"
mkdir -p "$(dirname "$output")"
output=$(cd "$(dirname "$output")" && pwd)/$(basename "$output")
rm -f "$output"
# wixl finds the files named in the source in its working folder.
(cd "$stage" && wixl -a x64 -D Version="$version" -o "$output" "$root/packaging/KESTO-Hotkey.wxs")

# An exported table's rows follow its three header lines.
rows() { msiinfo export "$output" "$1" | tail -n +4 | tr -d '\r'; }
sql() { msibuild "$output" -q "$1"; }

# What wixl cannot express. The settings file's component is never overwritten once there
# (64-bit 256 + never overwrite 128). A build of this same version also replaces an installed
# one: the row that finds earlier products takes its maximum too (minimum and maximum
# inclusive, 256 + 512; the attributes are part of the row's key, so the row is replaced).
# The earlier product is removed inside the same transaction once this one's files and
# components are in (so the components both share keep a client and stay, the edited settings
# file with them), and before this one registers and publishes itself (Wine's removal clears
# the upgrade code's whole registration, this product's too had it been there).
sql "UPDATE \`Component\` SET \`Attributes\` = 384 WHERE \`Component\` = 'Hotkey.ini'"
IFS=$'\t' read -r code min max _ <<<"$(rows Upgrade | grep $'\tOLDERFOUND$')"
sql "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'OLDERFOUND'"
sql "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMin\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`) VALUES ('$code', '$min', '$max', 768, 'OLDERFOUND')"
sql "UPDATE \`InstallExecuteSequence\` SET \`Sequence\` = 6050 WHERE \`Action\` = 'InstallExecute'"
sql "UPDATE \`InstallExecuteSequence\` SET \`Sequence\` = 6060 WHERE \`Action\` = 'RemoveExistingProducts'"
# wixl places an action before AppSearch at 1 or at 26, as it happens.
for sequence in InstallExecuteSequence InstallUISequence; do
    sql "UPDATE \`$sequence\` SET \`Sequence\` = 40 WHERE \`Action\` = 'SetAsideAutostart'"
done
# The install folder must be known to "Installed apps" before the product registers itself;
# wixl appends the action at the end whatever it is told.
sql "UPDATE \`InstallExecuteSequence\` SET \`Sequence\` = 1010 WHERE \`Action\` = 'SetInstallLocation'"
# AUTOSTART=0 leaves the machine's Run value out. The property reaches the elevated part of
# the install only as a secure one.
sql "UPDATE \`Component\` SET \`Condition\` = 'AUTOSTART <> \"0\"' WHERE \`Component\` = 'RunAtLogon'"
secure=$(rows Property | grep '^SecureCustomProperties'$'\t' | cut -f2)
sql "UPDATE \`Property\` SET \`Value\` = '${secure:+$secure;}AUTOSTART' WHERE \`Property\` = 'SecureCustomProperties'"
# wixl leaves out the programs' versions, which would make Windows Installer treat them as
# files without one, replaced or kept by their dates rather than their versions, so that a
# new build of the same version stayed out. A versioned file carries no hash.
for program in HotkeyForm.exe fnkey.exe; do
    program_version=$(pe_file_version "$stage/$program") ||
        { echo "make-msi: $program has no version resource" >&2; exit 1; }
    sql "UPDATE \`File\` SET \`Version\` = '$program_version' WHERE \`File\` = '$program'"
    sql "DELETE FROM \`MsiFileHash\` WHERE \`File_\` = '$program'"
done

# The File table's third column is the file name.
listed=$(rows File | cut -f3 | sort)
wanted=$(printf '%s\n' $expected | sort)
if [ "$listed" != "$wanted" ]; then
    echo "make-msi: $output installs [${listed//$'\n'/ }], expected [${wanted//$'\n'/ }]" >&2
    exit 1
fi
tables="$root/packaging/msi-tables.txt"
"$root/tools/check-msi-tables.sh" ${update_tables:+--write} "$output" "$version" "$tables"
