#!/usr/bin/env bash
# `make run`: starts HotkeyForm.exe in the Wine session that tools/wine-session.sh set up
# (WINEPREFIX and DISPLAY are already exported) and stays until the program ends.
#
#   tools/wine-session.sh <build-dir> tools/run-program.sh <build-dir>
set -u

build=$(cd "${1:?usage: run-program.sh <build-dir>}" && pwd)
tools=$(cd "$(dirname "$0")" && pwd)
exe="$build/app/HotkeyForm.exe"
fnkey="$build/tools/fnkey.exe"

if [ ! -f "$exe" ]; then
    echo "run-program: $exe is not built yet" >&2
    exit 1
fi

# Never overwrite an existing Hotkey.ini: it holds what the user assigned in earlier runs.
ini="$build/app/Hotkey.ini"
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
Exit from the tray menu, or press Ctrl+C here to stop everything.

TEXT

wait "$app"
