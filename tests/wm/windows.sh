#!/usr/bin/env bash
# Windows that belong together, under openbox on Xvfb: minimising the main
# window takes every window of ours but the close-up with it; About and the
# picture dialog open above the topmost Script Editor and help window; the
# print dialogue stays in place above the editor after "Print Setup"; and
# on a 640 x 480 screen the printer dialogue stays wholly on the screen when
# "Options >>" grows it. On a 1280 x 1024 screen the "Unsupported
# resolution" alert opens centred, start after start.
# Usage: windows.sh PATH/TO/quorvadine OUTPUT_DIR
set -euo pipefail
. "$(dirname "$0")/../support/xsession.sh"
session_files "$@"
need_tools Xvfb openbox xdotool xprop xwininfo convert

work="$out/windows-work"
rm -rf "$work" && mkdir -p "$work"

# Xvfb of size $1 and openbox.
desktop() {
    start_xvfb "$1"
    start_openbox
}

# A desktop of size $1 and the program with the layout choice answered and
# nine pictures loaded; sets `main`.
session() {
    desktop "$1"
    XDG_CONFIG_HOME="$out/config" QT_QPA_PLATFORM=xcb "$app" >"$log" 2>&1 &
    app_pid=$!
    main=$(wait_window 30 '^Quorvadine v1\.0$') || fail "main window did not appear"
    local choice dialog
    choice=$(wait_window 15 '^Layout choice:$') || fail "the layout choice did not appear"
    sleep 1
    dialog=$(open_window '^Open multiple images\.\.\.$' 'click_in "$choice" 60 134') || fail "the picture dialog did not open"
    pick_nine "$dialog" "$work/pics"
    sleep 1
}

end_session() {
    kill -9 "$app_pid" 2>/dev/null || true
    kill "$wm_pid" "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    app_pid='' wm_pid='' xvfb_pid=''
}

viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
# Is window $1 above window $2?
above() {
    local order a b
    order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//' | tr -d ' ' | tr ',' '\n')
    a=$(grep -nx "$(printf '0x%x' "$1")" <<<"$order" | cut -d: -f1)
    b=$(grep -nx "$(printf '0x%x' "$2")" <<<"$order" | cut -d: -f1)
    [ -n "$a" ] && [ -n "$b" ] && [ "$a" -gt "$b" ]
}

session 1024x768
# Tools > Script Editor and the panel's Help button: both topmost. Then the
# logo's About box opens above them both.
editor=$(open_window '^Script Editor$' 'menu 94 "Down Return"') || fail "the Script Editor did not open"
help=$(open_window '^Help$' 'click_in "$main" 855 400') || fail "the help window did not open"
about=$(open_window '^About Quorvadine$' 'click_in "$main" 885 31') || fail "the About box did not open"
sleep 0.5
above "$about" "$editor" && above "$about" "$help" || fail "the About box opened behind the Script Editor or Help"

# The close-up (the big preview), then the main window minimised: all but the close-up go with it.
closeup=$(open_window '^CloseUp$' 'click_in "$main" 855 100') || fail "the close-up did not open"
sleep 0.5
xdotool windowminimize --sync "$main"
sleep 1
for w in "$editor" "$help" "$about"; do
    viewable "$w" && fail "$(xdotool getwindowname "$w") stayed on screen with the main window minimised"
done
viewable "$closeup" || fail "the close-up went with the main window"
focus "$main"
sleep 1
viewable "$editor" || fail "the Script Editor did not come back with the main window"
for title in '^About Quorvadine$' '^Help$' '^CloseUp$'; do
    w=$(wait_window 5 "$title") && { xdotool windowactivate --sync "$w" key alt+F4 >/dev/null 2>&1 || true; }
    wait_gone "$title" || fail "a window did not close: $title"
done

# A script written, then File > "New Quorvadine": Yes saves it, and the
# picture dialog that follows opens above the Script Editor.
click_in "$editor" 60 30
click_in "$editor" 488 120
xdotool type --delay 20 'Storm'
click_in "$editor" 488 238
menu 15 "Down Return"
question=$(wait_window 30 '^Quorvadine$') || fail "no question about the unsaved scripts"
focus "$question"
xdotool key Return
dialog=$(wait_window 30 '^Save a script$') || fail "Yes opened no Save dialog"
focus "$dialog"
xdotool type --delay 10 "$work/board.ScE"
xdotool key Return
dialog=$(wait_window 30 '^Open multiple images\.\.\.$') || fail "the picture dialog did not follow the save"
sleep 1
[ -s "$work/board.ScE" ] || fail "Yes wrote no script file"
above "$dialog" "$editor" || fail "the picture dialog opened behind the Script Editor"
xdotool key Escape
end_session

# File > Print... over the Script Editor, "Print Setup" and the printer
# dialogue cancelled: the print dialogue stays where it was, above the
# editor, and the main window takes clicks again.
session 1024x768
editor=$(open_window '^Script Editor$' 'menu 94 "Down Return"') || fail "the Script Editor did not open"
print=$(open_window '^Print Preview$' 'menu 15 "Down Down Return"') || fail "the print dialogue did not open"
sleep 0.5
before=$(origin "$print")
printer=$(open_window '^Print$' 'click_in "$print" 296 164') || fail "Print Setup opened no printer dialogue"
focus "$printer"
xdotool key Escape
wait_gone '^Print$' || fail "the printer dialogue did not close"
sleep 1
viewable "$print" && [ "$(origin "$print")" = "$before" ] || fail "the print dialogue was hidden or moved at Print Setup"
above "$print" "$editor" || fail "the print dialogue fell behind the Script Editor after Print Setup"
click_in "$main" 20 500
sleep 0.5
[ "$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //')" = "$(printf '0x%x' "$main")" ] ||
    fail "a click on the main window after Print Setup did not give it the keyboard"
end_session

# 640 x 480: File > Print..., "Print Setup", then the printer dialogue's "Options >>".
session 640x480
print=$(open_window '^Print Preview$' 'menu 15 "Down Down Return"') || fail "the print dialogue did not open"
sleep 0.5
printer=$(open_window '^Print$' 'click_in "$print" 296 164') || fail "Print Setup opened no printer dialogue"
focus "$printer"
xdotool key alt+o
sleep 1.5
read -r x y < <(origin "$printer")
eval "$(xwininfo -id "$printer" | awk '/^  Width/ {print "w=" $2} /^  Height/ {print "h=" $2}')"
IFS=', ' read -r l r t b <<<"$(xprop -id "$printer" _NET_FRAME_EXTENTS | sed 's/.*= //')"
[ "$h" -gt 300 ] || fail "Options >> did not grow the printer dialogue (height $h)"
[ $((x - l)) -ge 0 ] && [ $((y - t)) -ge 0 ] && [ $((x + w + r)) -le 640 ] && [ $((y + h + b)) -le 480 ] ||
    fail "the printer dialogue is not wholly on the 640 x 480 screen: ${w}x$h at $x,$y"
xdotool key Escape
end_session

# 1280 x 1024, four starts: the alert's frame is centred on the screen, where
# the maximised main window that owns it is centred too (not on the size the
# main window had a moment before).
desktop 1280x1024
for try in 1 2 3 4; do
    XDG_CONFIG_HOME="$out/config" QT_QPA_PLATFORM=xcb "$app" >"$log" 2>&1 &
    app_pid=$!
    alert=$(wait_window 30 '^Quorvadine$') || fail "start $try: no alert on the 1280 x 1024 screen"
    sleep 0.5
    read -r x y < <(origin "$alert")
    eval "$(xwininfo -id "$alert" | awk '/^  Width/ {print "w=" $2} /^  Height/ {print "h=" $2}')"
    IFS=', ' read -r l r t b <<<"$(xprop -id "$alert" _NET_FRAME_EXTENTS | sed 's/.*= //')"
    dx=$((2 * x - l + w + r - 1280)) dy=$((2 * y - t + h + b - 1024))
    # Within 3 pixels (twice that here): the frame is taken to be the main window's.
    [ "${dx#-}" -le 6 ] && [ "${dy#-}" -le 6 ] ||
        fail "start $try: the alert is not centred: frame $((w + l + r))x$((h + t + b)) at $((x - l)),$((y - t))"
    kill -9 "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=''
done
end_session
echo "windows: PASS"
