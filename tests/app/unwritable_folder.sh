#!/usr/bin/env bash
# Runs the unwritable-folder test program as a user who may not write the settings file's
# folder. Root writes everywhere, so as root the program runs as nobody, in a Wine prefix of
# nobody's own (Wine refuses a prefix owned by another user), made afresh for this run.
#
#   tests/app/unwritable_folder.sh <unwritable_folder_tests.exe>
set -u

exe=$1
work=$(mktemp -d)
prefix=""
run=()

cleanup() {
    # Only the server of this run's own prefix is asked to end.
    if [ -n "$prefix" ] && [ -d "$prefix" ]; then
        "${run[@]}" wineserver -k >/dev/null 2>&1
        "${run[@]}" wineserver -w >/dev/null 2>&1
    fi
    rm -rf "$work"
}
trap cleanup EXIT

mkdir "$work/install"
# Notepad's UTF-8 without a mark: a comment and a display name outside ASCII.
printf '; B\xc3\xbcro note\r\n[S2]\r\nDisplayName=B\xc3\xbcro\r\n' >"$work/install/Hotkey.ini"
chmod 755 "$work"
chmod 555 "$work/install"
if [ "$(id -u)" -eq 0 ]; then
    mkdir "$work/home"
    chown 65534:65534 "$work/home"
    prefix=$work/home/prefix
    run=(setpriv --reuid=65534 --regid=65534 --clear-groups
         env -u DISPLAY HOME="$work/home" WINEPREFIX="$prefix")
else
    run=(env)
fi
# Wine shows the host's root as drive Z:.
folder="Z:${work//\//\\}\\install"
"${run[@]}" HOTKEY_UNWRITABLE_FOLDER="$folder" wine "$exe"
