#!/usr/bin/env bash
# `make run`: starts HotkeyForm.exe in the Wine session that tools/wine-session.sh set up
# (WINEPREFIX and DISPLAY are already exported) and stays until the program ends.
#
#   tools/wine-session.sh <build-dir> tools/run-program.sh <build-dir>
set -u

build=$(cd "${1:?usage: run-program.sh <build-dir>}" && pwd)
tools=$(cd "$(dirname "$0")" && pwd)

# Programs go to bin/ when the build collects them there, else to their own folders.
find_program() {
    for candidate in "$build/bin/$1" "$build/$2/$1"; do
        [ -f "$candidate" ] && { echo "$candidate"; return; }
    done
    echo "run-program: $1 is not built yet (looked in $build/bin and $build/$2)" >&2
    exit 1
}
exe=$(find_program HotkeyForm.exe app) || exit 1
fnkey=$(find_program fnkey.exe tools) || exit 1

# Never overwrite an existing Hotkey.ini: it holds what the user assigned in earlier runs.
ini="$(dirname "$exe")/Hotkey.ini"
if [ ! -e "$ini" ]; then
    cp "$tools/sample-Hotkey.ini" "$ini"
    echo "run-program: wrote sample key assignments to $ini"
fi

wine "$exe" &
app=$!

cat <<TEXT

HotkeyForm is running (Wine prefix $WINEPREFIX, display $DISPLAY).
This shell waits for it. To press a function key, open another shell, enter the same
Wine session and deliver the key's code:

    export WINEPREFIX=$WINEPREFIX
    export DISPLAY=$DISPLAY
    export WINEDEBUG=-all
    wine $fnkey S2

Keys are S1..S5 or a numeric code (wine $fnkey --help).
Press Ctrl+C here to stop the program and everything the session started.

TEXT

# On Ctrl+C leave at once; the Wine session then stops the program and everything else.
trap 'exit 130' INT TERM
wait "$app"
