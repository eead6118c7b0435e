#!/usr/bin/env bash
# Takes docs/form.png, docs/traymenu.png, docs/about.png and docs/pathdialog.png: runs
# HotkeyForm.exe with the sample key assignments in a private Wine session, shows the form from
# the tray and crops the screen to it, opens the tray menu a second time (when "Show" is its
# default item) and crops to the tray and the menu, opens the About box from that menu, and
# finally the program path dialog of the form's second row. At 100 %, the form and that dialog
# again, as docs/form-highcontrast.png and docs/pathdialog-highcontrast.png, from the copy of
# the program that pretends High Contrast on (HotkeyForm_highcontrast.exe). With a display
# scale in percent (125, 150, 200, ...) the prefix's LogPixels gives the session that scale for
# the run, and the pictures are docs/form-150.png and so on. With a locale (de_DE.UTF-8, ...) the
# program shows that locale's language, as Wine takes it from LC_ALL, and the pictures are
# docs/form-de.png and so on.
#
#   tools/form-shot.sh <build-dir> [scale-percent [locale]]
set -eu
build_dir=$(cd "$1" && pwd)
scale=${2:-100}
locale=${3:-}
cd "$(dirname "$0")/.."
mkdir -p docs

exec tools/wine-session.sh "$build_dir" bash -c '
    set -eu
    scale=$1 locale=$2
    suffix=""
    [ "$scale" = 100 ] || suffix="-$scale"
    [ -z "$locale" ] || suffix="$suffix-${locale%%_*}"
    # A length of the 100 % layout at the scale, rounded as the program rounds it.
    px() { echo $((($1 * scale + 50) / 100)); }
    shot_dir=$(mktemp -d)
    cp tools/sample-Hotkey.ini "$shot_dir/Hotkey.ini"
    desktop="HKCU\Control Panel\Desktop"
    if [ "$scale" != 100 ]; then
        wine reg add "$desktop" /v LogPixels /t REG_DWORD /d $((scale * 96 / 100)) /f >/dev/null 2>&1
    fi
    app=""
    end_shots() {
        kill "$app" 2>/dev/null
        rm -rf "$shot_dir"
        [ "$scale" = 100 ] || wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1
    }
    trap end_shots EXIT
    # Starts the copy of the program named, shows its form from the tray and crops the screen
    # to it.
    show_form() {
        cp "$0/bin/$1.exe" "$shot_dir/"
        if [ -n "$locale" ]; then LC_ALL=$locale wine "$shot_dir/$1.exe" &
        else wine "$shot_dir/$1.exe" &
        fi
        app=$!
        tray=$(timeout 30 xdotool search --sync --name "^Wine System Tray$" | head -1)
        sleep 2
        # The one icon fills the tray window below its caption: its centre lies 13 pixels in
        # from the window'"'"'s left and bottom edges (a 3-pixel border and half a 20-pixel
        # icon), at every scale: Wine'"'"'s tray does not scale.
        eval "$(xdotool getwindowgeometry --shell "$tray")"
        icon_x=$((X + 13)) icon_y=$((Y + HEIGHT - 13))
        xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1
        form=$(timeout 30 xdotool search --sync --onlyvisible --name "^HotkeyForm$" | head -1)
        sleep 1
        eval "$(xdotool getwindowgeometry --shell "$form")"
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
    }
    show_form HotkeyForm docs/form$suffix.png
    # Back to the tray; open the menu once and close it, so that the next opening shows its
    # default item, then open it again with the mouse on "Show".
    xdotool mousemove $((X + $(px 462))) $((Y + $(px 14))) click 1
    sleep 1
    # Wine pushes the menu down over its tray to the top of the screen, so the button is
    # released away from the menu rather than on one of its items, and the items lie at fixed
    # heights for the scale.
    open_menu() {
        xdotool mousemove "$icon_x" "$icon_y" mousedown 3
        sleep 1
        xdotool mousemove 600 500 mouseup 3
        sleep 0.5
    }
    open_menu
    xdotool key Escape
    sleep 0.5
    open_menu
    xdotool mousemove $((icon_x + $(px 20))) "$(px 10)"
    sleep 1
    import -window root -crop "$(px 180)x$(px 230)+0+0" +repage docs/traymenu$suffix.png
    # "About" is the item below "Show".
    xdotool mousemove $((icon_x + $(px 20))) "$(px 26)" click 1
    sleep 1
    # The skinned dialogs have no title to search by, but a fixed size.
    crop_sized() {
        for w in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$w")"
            if [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]; then
                import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$3"
                return
            fi
        done
        echo "form-shot: no $1x$2 window for $3" >&2
        return 1
    }
    crop_sized "$(px 300)" "$(px 90)" docs/about$suffix.png
    xdotool key Return
    sleep 0.5
    # Back to the form, and a double click on its second row.
    xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$form")"
    xdotool mousemove $((X + $(px 150))) $((Y + $(px 113))) click --repeat 2 --delay 80 1
    sleep 1
    crop_sized "$(px 300)" "$(px 230)" docs/pathdialog$suffix.png
    xdotool key Escape
    # High Contrast in English at 100 % only.
    [ "$scale" = 100 ] && [ -z "$locale" ] || exit 0
    # Only one instance runs: Esc on the form, back in front, ends this one first.
    sleep 0.5
    xdotool key Escape
    for _ in $(seq 1 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
    show_form HotkeyForm_highcontrast docs/form-highcontrast$suffix.png
    xdotool mousemove $((X + $(px 150))) $((Y + $(px 113))) click --repeat 2 --delay 80 1
    sleep 1
    crop_sized "$(px 300)" "$(px 230)" docs/pathdialog-highcontrast$suffix.png
    xdotool key Escape
' "$build_dir" "$scale" "$locale"
