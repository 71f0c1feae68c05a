#!/usr/bin/env bash
# Two monitors side by side, under openbox: with the main window restored and
# moved onto the right one, every window opens centred on the right monitor.
# Xvfb shows Qt one screen whatever its monitors, so this runs Xorg with the
# dummy driver (two 1024 x 768 heads), which needs root.
# Usage: monitors.sh PATH/TO/quorvadine OUTPUT_DIR
set -euo pipefail
. "$(dirname "$0")/../support/xsession.sh"
session_files "$@"
need_tools Xorg xrandr openbox xdotool xprop xwininfo convert
[ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] || { echo "SKIP: no Xorg dummy driver (tools/deps installs it)"; exit 77; }
[ "$(id -u)" = 0 ] || { echo "SKIP: Xorg with the dummy driver needs root"; exit 77; }

# No input devices of the machine: xdotool's are the server's own.
cat >"$out/xorg-dummy.conf" <<'EOF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 32768
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "1024x768" 63.50 1024 1072 1176 1328 768 771 775 798 -hsync +vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 2048 768
        Modes "1024x768"
    EndSubSection
EndSection
EOF
named="$out/xorg-display"
rm -f "$named"
mkdir -p "$out/xorg.conf.d" # none of the machine's snippets
Xorg -displayfd 3 -nolisten tcp -noreset -sharevts -novtswitch -config "$out/xorg-dummy.conf" \
    -configdir "$out/xorg.conf.d" -logfile "$out/xorg.log" 3>"$named" >"$out/xorg.out" 2>&1 &
xvfb_pid=$!
server_named "$named" || { echo "SKIP: Xorg with the dummy driver did not start: $(tail -n3 "$out/xorg.out")"; exit 77; }
xrandr --addmode DUMMY1 1024x768
xrandr --output DUMMY1 --mode 1024x768 --right-of DUMMY0
[ "$(xrandr --listmonitors | head -n1)" = "Monitors: 2" ] || fail "no second monitor: $(xrandr --listmonitors)"

start_openbox
XDG_CONFIG_HOME="$out/config" QT_QPA_PLATFORM=xcb "$app" >"$log" 2>&1 &
app_pid=$!
main=$(wait_window 30 '^Quorvadine v1\.0$') || fail "main window did not appear"
choice=$(wait_window 15 '^Layout choice:$') || fail "the layout choice did not appear"
sleep 1
# Maximised on one monitor, not across both.
w=$(xwininfo -id "$main" | awk '/^  Width/ {print $2}')
[ "$w" -eq 1024 ] || fail "the maximised main window is $w pixels wide, not one monitor's 1024"
dialog=$(open_window '^Open multiple images\.\.\.$' 'click_in "$choice" 60 134') || fail "the picture dialog did not open"
# Nine pictures, the fewest the board takes.
pick_nine "$dialog" "$out/monitors-pics"

# The help window (the panel's "Help" button) once on the left monitor: it too comes back on the right one.
sleep 1
helpw=$(open_window '^Help$' 'click_in "$main" 855 400') || fail "the help window did not open"
sleep 0.5
xdotool windowactivate --sync "$helpw" key alt+F4 >/dev/null 2>&1 || true
wait_gone '^Help$' || fail "the help window did not close"

# Restored (a double click on its title bar) and moved onto the right monitor.
xdotool mousemove --sync 500 10 click --repeat 2 --delay 80 1
sleep 1
xdotool windowmove --sync "$main" 1040 20 >/dev/null 2>&1 || true
sleep 1
read -r x _ < <(origin "$main")
[ "$x" -ge 1024 ] || fail "the main window did not move onto the right monitor (x $x)"

# Is the centre of window $1's frame the centre of the right monitor (1024,0 1024 x 768, no panels)?
centred() {
    local x y l r t b w h
    read -r x y < <(origin "$1")
    eval "$(xwininfo -id "$1" | awk '/^  Width/ {print "w=" $2} /^  Height/ {print "h=" $2}')"
    IFS=', ' read -r l r t b <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //')"
    local dx=$(((x - l) + (x + w + r) - 2 * 1536)) dy=$(((y - t) + (y + h + b) - 768))
    # Within 3 pixels: a window is placed before it has a frame, by the main
    # window's, whose bottom handle a fixed-size window lacks under openbox.
    [ "${dx#-}" -le 6 ] && [ "${dy#-}" -le 6 ] ||
        fail "$2 is not centred on the right monitor: frame $((w + l + r))x$((h + t + b)) at $((x - l)),$((y - t))"
}
for target in "click_in $main 533 31|^About Quorvadine$|About" "click_in $main 486 389|^Help$|help" \
              "click_in $main 530 147|^CloseUp$|close-up" "menu 54 'Down Down Return'|^ Options$|options" \
              "menu 15 'Down Down Return'|^Print Preview$|print dialogue" "menu 94 'Down Return'|^Script Editor$|Script Editor"; do
    IFS='|' read -r open title name <<<"$target"
    window=$(open_window "$title" "$open") || fail "the $name window did not open"
    sleep 1
    centred "$window" "$name"
    [ "$name" = "Script Editor" ] && break
    xdotool windowactivate --sync "$window" key alt+F4 >/dev/null 2>&1 || true
    wait_gone "$title" || fail "the $name window did not close"
done
# A script written in the Script Editor, then File > "New Quorvadine": the
# question about the unsaved scripts is a message box.
click_in "$window" 60 30
click_in "$window" 488 120
xdotool type --delay 20 'Storm'
click_in "$window" 488 238
menu 15 "Down Return"
question=$(wait_window 30 '^Quorvadine$') || fail "no question about the unsaved scripts"
sleep 1
centred "$question" "the message box"
echo "monitors: PASS"
