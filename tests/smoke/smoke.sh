#!/usr/bin/env bash
# Starts the built program on its own Xvfb screen (no window manager), takes a
# screenshot, cancels the layout choice, chooses File > Exit and checks that the
# program ends with status 0 and leaves no window behind.
# Usage: smoke.sh PATH/TO/quorvadine OUTPUT_DIR
set -euo pipefail
. "$(dirname "$0")/../support/xsession.sh"
session_files "$@"
need_tools Xvfb xdotool xwininfo xwd convert
[ -x "$app" ] || fail "$app is not an executable"
start_xvfb 1024x768

export QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
"$app" >"$log" 2>&1 &
app_pid=$!

main=$(wait_window 30 '^Quorvadine v1\.0$') || fail "main window 'Quorvadine v1.0' did not appear"
choice=$(wait_window 15 '^Layout choice:$') || fail "window 'Layout choice:' did not appear"
sleep 0.5

# An alert about the screen size would sit above the layout choice: dismiss it.
if alert=$(xdotool search --onlyvisible --name '^Quorvadine$' 2>/dev/null | head -n1) && [ -n "$alert" ]; then
    echo "dismissing an alert window"
    xdotool windowfocus --sync "$alert" key Return
    sleep 0.5
    xdotool search --onlyvisible --name '^Quorvadine$' >/dev/null 2>&1 && fail "the alert window did not close"
fi

shot="$out/smoke.png"
rm -f "$shot"
xwd -root -display "$DISPLAY" | convert xwd:- "$shot"
[ -s "$shot" ] || fail "screenshot $shot is empty"
echo "screenshot: $shot"

# Cancel: 288,152 49x17 in the layout choice (its design is in twips, 15 to a pixel).
click_in "$choice" 312 160
wait_gone '^Layout choice:$' || fail "Cancel did not close the layout choice"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended on Cancel"

# File is the first entry of the menu bar at the top of the main window. Up in
# the opened menu goes round to its last item, Exit.
click_in "$main" 15 10
sleep 0.5
xdotool key Up
sleep 0.2
xdotool key Return

status=''
for _ in $(seq 100); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
        status=0
        wait "$app_pid" || status=$?
        app_pid=''
        break
    fi
    sleep 0.1
done
[ -n "$status" ] || fail "the program still runs 10 s after File > Exit"
[ "$status" -eq 0 ] || fail "the program exited with status $status"
if xdotool search --name 'Quorvadine' >/dev/null 2>&1; then
    fail "a Quorvadine window remains after exit"
fi
if grep -qE 'ERROR: (Address|Undefined)|runtime error:' "$log"; then
    fail "the sanitizers reported a fault"
fi
echo "smoke: PASS"
