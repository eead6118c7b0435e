#!/usr/bin/env bash
# Builds the Windows Installer package from packaging/KESTO-Hotkey.wxs with wixl, from the
# programs of build/bin as staged for a release, then checks that it installs exactly the
# shipped files.
#
#   tools/make-msi.sh <build-dir> <version> <output.msi>
set -eu

usage="usage: make-msi.sh <build-dir> <version> <output.msi>"
build=$(cd "${1:?$usage}" && pwd)
version=${2:?$usage}
output=${3:?$usage}
root=$(cd "$(dirname "$0")/.." && pwd)
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
"$root/tools/stage-dist.sh" "$build" "$stage"
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
# wixl leaves out the version of HotkeyForm.exe (the project version, whatever the package's),
# which would make Windows Installer treat it as a file without one, replaced or kept by its
# dates rather than its version; a versioned file carries no hash.
file_version=$(grep -m1 '^CMAKE_PROJECT_VERSION:' "$build/CMakeCache.txt" | cut -d= -f2)
sql "UPDATE \`File\` SET \`Version\` = '$file_version' WHERE \`File\` = 'HotkeyForm.exe'"
sql "DELETE FROM \`MsiFileHash\` WHERE \`File_\` = 'HotkeyForm.exe'"
sql "UPDATE \`InstallExecuteSequence\` SET \`Sequence\` = 6050 WHERE \`Action\` = 'InstallExecute'"
sql "UPDATE \`InstallExecuteSequence\` SET \`Sequence\` = 6060 WHERE \`Action\` = 'RemoveExistingProducts'"

# The File table's third column is the file name.
listed=$(rows File | cut -f3 | sort)
wanted=$(printf '%s\n' $expected | sort)
if [ "$listed" != "$wanted" ]; then
    echo "make-msi: $output installs [${listed//$'\n'/ }], expected [${wanted//$'\n'/ }]" >&2
    exit 1
fi
if [ -z "$file_version" ] || [ "$(rows File | grep '^HotkeyForm.exe' | cut -f5)" != "$file_version" ] ||
    [ "$(rows Component | grep '^Hotkey.ini' | cut -f4)" != 384 ] ||
    [ "$(rows InstallExecuteSequence | grep '^RemoveExistingProducts' | cut -f3)" != 6060 ] ||
    [ "$(rows Upgrade | grep $'\tOLDERFOUND$' | cut -f5)" != 768 ]; then
    echo "make-msi: $output lacks its upgrade rules" >&2
    exit 1
fi
