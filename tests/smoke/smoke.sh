#!/usr/bin/env bash
# Starts the built program on its own Xvfb screen (no window manager), takes a
# screenshot, cancels the layout choice, chooses File > Exit and checks that the
# program ends with status 0 and leaves no window behind.
# Usage: smoke.sh PATH/TO/quorvadine OUTPUT_DIR
set -euo pipefail
app=$(realpath "${1:?usage: smoke.sh PATH/TO/quorvadine OUTPUT_DIR}")
out=$(mkdir -p "${2:?usage: smoke.sh PATH/TO/quorvadine OUTPUT_DIR}" && cd "$2" && pwd)

for tool in Xvfb xdotool xwd convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool not found (tools/deps installs it)"
        exit 77
    fi
done
[ -x "$app" ] || { echo "FAIL: $app is not an executable"; exit 1; }

xvfb_pid='' app_pid='' display=''
cleanup() {
    [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
log="$out/smoke-app.log"
fail() {
    echo "FAIL: $*"
    if [ -n "$display" ]; then
        echo "windows on $display:"
        for w in $(DISPLAY=$display xdotool search --name '.' 2>/dev/null); do
            echo "  $w '$(DISPLAY=$display xdotool getwindowname "$w" 2>/dev/null)'"
        done
    fi
    [ -s "$log" ] && { echo "program output:"; cat "$log"; }
    exit 1
}

# A free display of our own: others may run this at the same time, so a server
# that fails to start (display taken meanwhile) moves on to the next number.
for n in $(seq 90 99); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -nolisten tcp -screen 0 1024x768x24 >"$out/smoke-xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        kill -0 "$xvfb_pid" 2>/dev/null || break
        DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1 && { display=":$n"; break; }
        sleep 0.1
    done
    [ -n "$display" ] && break
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=''
done
[ -n "$display" ] || fail "no Xvfb on any free display :90..:99"
export DISPLAY=$display
echo "Xvfb on $DISPLAY"

export QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
"$app" >"$log" 2>&1 &
app_pid=$!

# Waits (at most $1 seconds) for a window whose title matches $2; prints its id.
wait_window() {
    local id
    id=$(timeout "$1" xdotool search --sync --onlyvisible --name "$2" 2>/dev/null | head -n1) || true
    [ -n "$id" ] || return 1
    echo "$id"
}
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

# Position of a window's client area; without a window manager there is no frame.
origin() {
    local X Y
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y)=')"
    echo "$X $Y"
}
# Cancel: 288,152 49x17 in the layout choice (its design is in twips, 15 to a pixel).
read -r cx cy < <(origin "$choice")
xdotool mousemove --sync $((cx + 312)) $((cy + 160)) click 1
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Layout choice:$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Layout choice:$' >/dev/null 2>&1 && fail "Cancel did not close the layout choice"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended on Cancel"

# File is the first entry of the menu bar at the top of the main window. Up in
# the opened menu goes round to its last item, Exit.
read -r mx my < <(origin "$main")
xdotool mousemove --sync $((mx + 15)) $((my + 10)) click 1
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
