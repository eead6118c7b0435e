#!/usr/bin/env bash
# Runs one command inside a private Wine session: its own prefix in the build folder,
# a persistent wineserver, and a private Xvfb when there is no display. Everything the
# session started is stopped again by process id when the command ends, fails or is
# interrupted.
#
#   tools/wine-session.sh <build-dir> <command> [args...]
set -u

build_dir=$(cd "$1" && pwd)
shift

export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
# winemenubuilder would copy every shortcut an installer makes to the Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

xvfb_pid=""
server_pid=""

cleanup() {
    local rc=$?
    trap - EXIT INT TERM
    # Ask our own server (this prefix only) to end its clients, then make sure.
    if [ -n "$server_pid" ]; then
        wineserver -k >/dev/null 2>&1
        wineserver -w >/dev/null 2>&1 &
        local waiter=$!
        for _ in $(seq 1 50); do kill -0 "$waiter" 2>/dev/null || break; sleep 0.1; done
        kill "$waiter" 2>/dev/null
        kill "$server_pid" 2>/dev/null
    fi
    # Any process still carrying this prefix in its environment was started by us.
    for env in /proc/[0-9]*/environ; do
        pid=${env#/proc/}; pid=${pid%/environ}
        # Xvfb inherits the prefix too; it is stopped below so that it removes its lock.
        { [ "$pid" = "$$" ] || [ "$pid" = "${xvfb_pid:-}" ]; } && continue
        if { tr '\0' '\n' <"$env" | grep -qx "WINEPREFIX=$WINEPREFIX"; } 2>/dev/null; then
            kill -9 "$pid" 2>/dev/null
        fi
    done
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 140); do
        # A lock whose server is gone is stale; Xvfb takes such a display over.
        # The braces put the redirection of a missing lock file under 2>/dev/null too.
        lock_pid=$({ tr -d ' ' <"/tmp/.X$n-lock"; } 2>/dev/null)
        [ -n "$lock_pid" ] && kill -0 "$lock_pid" 2>/dev/null && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        xvfb_pid=$!
        # Ready once the display's lock names our server and its socket exists.
        for _ in $(seq 1 50); do
            kill -0 "$xvfb_pid" 2>/dev/null || break
            [ "$({ tr -d ' ' <"/tmp/.X$n-lock"; } 2>/dev/null)" = "$xvfb_pid" ] &&
                [ -S "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$xvfb_pid" 2>/dev/null; then
            export DISPLAY=":$n"
            break
        fi
        xvfb_pid=""
    done
    [ -n "${DISPLAY:-}" ] || { echo "wine-session: could not start Xvfb" >&2; exit 1; }
fi

configure_prefix() {
    # Without a window manager, Wine waits two seconds for one each time a managed window is
    # hidden; on our own Xvfb nobody manages windows, so Wine is told to manage none.
    x11_key='HKCU\Software\Wine\X11 Driver'
    if [ -n "$xvfb_pid" ]; then
        wine reg add "$x11_key" /v Managed /d N /f >/dev/null 2>&1
    else
        wine reg delete "$x11_key" /v Managed /f >/dev/null 2>&1
    fi

    # One dialog font for the session, so that dialogs measure alike on every machine. Wine
    # maps "MS Shell Dlg" to Tahoma, but Debian's Wine 8 never loads the Tahoma of fonts-wine
    # from its data folder and draws with whatever sans-serif face the machine has (Liberation
    # Sans, DejaVu Sans), so the prefix names the file itself. HOTKEY_DIALOG_FONT names another
    # face for "MS Shell Dlg" for the whole session, e.g. "DejaVu Sans", which is wider.
    tahoma=/usr/share/wine/fonts/tahoma.ttf
    [ -f "$tahoma" ] ||
        { echo "wine-session: $tahoma is missing (package fonts-wine)" >&2; exit 1; }
    dialog_font=${HOTKEY_DIALOG_FONT:-Tahoma}
    font_reg="$build_dir/dialog-font.reg"
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\r\n'
        # The file's own path from drive Z:, with the backslashes the file format doubles.
        # Marlett holds the glyphs DrawFrameControl draws on caption buttons.
        for face in "Tahoma:$tahoma" "Tahoma Bold:${tahoma%.ttf}bd.ttf" \
            "Marlett:${tahoma%/*}/marlett.ttf"; do
            file=${face#*:}
            printf '"%s (TrueType)"="Z:%s"\r\n' "${face%%:*}" "${file//\//\\\\}"
        done
        printf '\r\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\%s]\r\n' \
            FontSubstitutes
        printf '"MS Shell Dlg"="%s"\r\n"MS Shell Dlg 2"="%s"\r\n' "$dialog_font" "$dialog_font"
    } >"$font_reg"
    wine reg import "$font_reg" >/dev/null 2>&1 ||
        { echo "wine-session: cannot pin the dialog font" >&2; exit 1; }
}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-session: creating the Wine prefix (once)" >&2
    wineboot -i >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    # Until the prefix has been set up and a windowed program has run once under a server
    # that then ended, every program start in a new prefix costs about a second more, which
    # doubled the first test run's time.
    configure_prefix
    wine rundll32.exe user32.dll,MessageBeep >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
fi

wineserver -f -p >/dev/null 2>&1 &
server_pid=$!
# Also the server's first client, which gives it its prefix socket before the command runs.
configure_prefix

"$@"
