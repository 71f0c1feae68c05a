#!/usr/bin/env bash
# The real program under a window manager (openbox) on a 1024 x 768 Xvfb
# screen: no resolution alert and the large layout; dialogs and messages
# stacked above the topmost Script Editor; secondary windows centred with
# their frames; a frame corner dragged leaves the size alone; and a whole
# flow writes no configuration.
# Usage: wm.sh PATH/TO/quorvadine OUTPUT_DIR
set -euo pipefail
. "$(dirname "$0")/../support/xsession.sh"
session_files "$@"
need_tools Xvfb openbox xdotool xprop xwininfo convert
start_xvfb 1024x768

# A thin title bar (15 pixels) leaves the maximised window more than 730
# pixels inside, as thinner window manager frames do.
cat >"$out/openbox-rc.xml" <<'XML'
<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc"><theme>
  <font place="ActiveWindow"><name>DejaVu Sans</name><size>5</size></font>
  <font place="InactiveWindow"><name>DejaVu Sans</name><size>5</size></font>
</theme></openbox_config>
XML
start_openbox --config-file "$out/openbox-rc.xml"

config="$out/wm-config"
rm -rf "$config" && mkdir -p "$config"
work="$out/wm-work"
rm -rf "$work" && mkdir -p "$work"
XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} "$app" >"$log" 2>&1 &
app_pid=$!

main=$(wait_window 30 '^Quorvadine v1\.0$') || fail "main window did not appear"
choice=$(wait_window 15 '^Layout choice:$') || fail "the layout choice did not appear"
sleep 1

# A 1024 x 768 screen is never called unsupported, and the maximised
# window gets the large layout (its view panel starts 827 px from the left).
pixel() { convert x:root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }
for _ in $(seq 100); do
    read -r mx my < <(origin "$main")
    [ "$(pixel $((mx + 830)) $((my + 300)))" = "#808080" ] && break
    sleep 0.2
done
xdotool search --onlyvisible --name '^Quorvadine$' >/dev/null 2>&1 && fail "an alert showed on a 1024 x 768 screen"
[ "$(pixel $((mx + 830)) $((my + 300)))" = "#808080" ] || fail "no large layout: no view panel at x = 830"
[ "$(xwininfo -id "$main" | awk '/^  Height/ {print $2}')" -gt 751 ] || fail "the title bar is not thin enough to test"

# Keystrokes typed before a dialog has the focus go astray on a busy machine.

# Stacking: is window $1 above window $2?
above() {
    local order
    order=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//' | tr -d ' ' | tr ',' '\n')
    local a b
    a=$(grep -nx "$(printf '0x%x' "$1")" <<<"$order" | cut -d: -f1)
    b=$(grep -nx "$(printf '0x%x' "$2")" <<<"$order" | cut -d: -f1)
    [ -n "$a" ] && [ -n "$b" ] && [ "$a" -gt "$b" ]
}

# "9  per page": the picture dialog, then nine bitmaps typed by name.
dialog=$(open_window '^Open multiple images\.\.\.$' 'click_in "$choice" 60 134') || fail "the picture dialog did not open"
pick_nine "$dialog" "$work/pics"
sleep 1

# Tools > Script Editor (topmost), then its "Save": the dialog opens above it.
editor=$(open_window '^Script Editor$' 'menu 94 "Down Return"') || fail "the Script Editor did not open"
sleep 0.5
dialog=$(open_window '^Save a script$' 'click_in "$editor" 520 272') || fail "Save opened no dialog"
sleep 0.5
above "$dialog" "$editor" || fail "the Save dialog is behind the Script Editor"
focus "$dialog"
xdotool type --delay 20 "$work/board.ScE"
xdotool key Return
wait_gone '^Save a script$' || fail "the Save dialog did not close"
for _ in $(seq 50); do [ -s "$work/board.ScE" ] && break; sleep 0.2; done
[ -s "$work/board.ScE" ] || fail "Save wrote no script file"

# "Load" of a picture: the load error's message opens above the editor.
dialog=$(open_window '^Load a script$' 'click_in "$editor" 460 272') || fail "Load opened no dialog"
above "$dialog" "$editor" || fail "the Load dialog is behind the Script Editor"
focus "$dialog"
xdotool type --delay 20 "$work/pics/p1.bmp"
xdotool key Return
message=$(wait_window 30 '^Quorvadine$') || fail "a picture loaded as a script gave no message"
sleep 0.5
above "$message" "$editor" || fail "the message is behind the Script Editor"
xdotool windowfocus --sync "$message" key Return
wait_gone '^Quorvadine$' || fail "the message did not close"

# File > "New Quorvadine" while the editor is open: the picture dialog, owned
# by the main window, still opens above the editor. Escape cancels it.
dialog=$(open_window '^Open multiple images\.\.\.$' 'menu 15 "Down Return"') || fail "the picture dialog did not open again"
sleep 0.5
above "$dialog" "$editor" || fail "the picture dialog is behind the Script Editor"
xdotool key Escape
wait_gone '^Open multiple images\.\.\.$' || fail "Escape did not close the picture dialog"
xdotool windowactivate --sync "$editor" key alt+F4 >/dev/null 2>&1 || true
wait_gone '^Script Editor$' || fail "the Script Editor did not close"

# Secondary windows centred with their frames: About (the logo), Help (the
# panel's "Help" button), the close-up (the big preview), View > Options.
centred() {
    local x y ext l r t b w h
    read -r x y < <(origin "$1")
    eval "$(xwininfo -id "$1" | awk '/^  Width/ {print "w=" $2} /^  Height/ {print "h=" $2}')"
    ext=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //')
    IFS=', ' read -r l r t b <<<"$ext"
    local left=$((x - l)) top=$((y - t)) right=$((1024 - (x + w + r))) bottom=$((768 - (y + h + b)))
    # Within a pixel: before a window is shown its frame is taken to be the main window's.
    [ $((left - right)) -ge -2 ] && [ $((left - right)) -le 2 ] && [ $((top - bottom)) -ge -2 ] && [ $((top - bottom)) -le 2 ] ||
        fail "$2 is not centred with its frame: left $left right $right top $top bottom $bottom"
}
for target in "click_in $main 885 31|^About Quorvadine$|About" "click_in $main 855 400|^Help$|Help" \
              "click_in $main 855 100|^CloseUp$|close-up" "menu 54 'Down Down Return'|^ Options$|options"; do
    IFS='|' read -r open title name <<<"$target"
    window=$(open_window "$title" "$open") || fail "the $name window did not open"
    sleep 1
    centred "$window" "$name"
    xdotool windowactivate --sync "$window" key alt+F4 >/dev/null 2>&1 || true
    wait_gone "$title" || fail "the $name window did not close"
done

# Restored (a double click on the title bar), the main window keeps its size
# when the frame's bottom right corner is dragged in.
xdotool mousemove --sync 500 10 click --repeat 2 --delay 80 1
sleep 1
before=$(xwininfo -id "$main" | awk '/^  Width/ {w=$2} /^  Height/ {h=$2} END {print w "x" h}')
[ "$before" != "1024x747" ] || fail "the main window did not restore"
read -r x y < <(origin "$main")
IFS=', ' read -r l r t b <<<"$(xprop -id "$main" _NET_FRAME_EXTENTS | sed 's/.*= //')"
cornerx=$((x + ${before%x*} + r - 1)) cornery=$((y + ${before#*x} + b - 1))
xdotool mousemove --sync "$cornerx" "$cornery" mousedown 1
xdotool mousemove --sync $((cornerx - 100)) $((cornery - 80))
xdotool mousemove --sync $((cornerx - 200)) $((cornery - 150)) mouseup 1
sleep 1
after=$(xwininfo -id "$main" | awk '/^  Width/ {w=$2} /^  Height/ {h=$2} END {print w "x" h}')
[ "$after" = "$before" ] || fail "a drag of the frame's corner resized the main window from $before to $after"

# File > Exit, and no configuration anywhere under XDG_CONFIG_HOME.
click_in "$main" 15 10
xdotool key Up Return
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the program still runs after File > Exit"
app_pid=''
written=$(find "$config" -mindepth 1)
[ -z "$written" ] || fail "configuration written: $written"
echo "wm: PASS"
