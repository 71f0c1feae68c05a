# Sourced by the script tests that run the real program on an X server of
# their own: tool checks, a free Xvfb display, window look-ups and clean-up.
# The sourcing script then calls session_files with its arguments.
xvfb_pid='' wm_pid='' app_pid='' display=''

# Takes the program ($1) and the output folder ($2) a script was given and
# sets `app`, `out` and `log`, the program's output in that folder (named $3,
# or after the script). The program's recovery copies go to the output
# folder too, fresh each run: no copy of the person running the tests is
# offered, and none is left behind.
session_files() {
    local usage
    usage="usage: $(basename "$0") PATH/TO/quorvadine OUTPUT_DIR"
    app=$(realpath "${1:?$usage}")
    out=$(mkdir -p "${2:?$usage}" && cd "$2" && pwd)
    log="$out/${3:-$(basename "$0" .sh)-app.log}"
    export XDG_STATE_HOME="$out/state"
    rm -rf "$XDG_STATE_HOME"
}

cleanup() {
    [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    if [ -n "$display" ]; then
        echo "windows on $display:"
        for w in $(DISPLAY=$display xdotool search --name '.' 2>/dev/null); do
            echo "  $w '$(DISPLAY=$display xdotool getwindowname "$w" 2>/dev/null)'" \
                "$(DISPLAY=$display xwininfo -id "$w" 2>/dev/null | awk '/upper-left X/ {x=$NF} /upper-left Y/ {y=$NF}
                    /^  Width/ {w=$2} /^  Height/ {h=$2} /Map State/ {m=$NF} END {print w "x" h " at " x "," y ", " m}')"
        done
    fi
    [ -s "$log" ] && { echo "program output:"; cat "$log"; }
    exit 1
}

# Skips the test (status 77) when a tool is missing.
need_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool not found (tools/deps installs it)"; exit 77; }
    done
}

# Starts Xvfb with a screen of $1 (WxH) and exports DISPLAY. The server picks
# a free display itself and names it once it takes connections: a number
# chosen by looking for lock files could still be held by a server that is
# going away, and the program would then find no display at all.
start_xvfb() {
    local named="$out/xvfb-display"
    rm -f "$named"
    Xvfb -displayfd 3 -nolisten tcp -screen 0 "$1x24" 3>"$named" >"$out/xvfb.log" 2>&1 &
    xvfb_pid=$!
    server_named "$named" || fail "Xvfb did not start: $(cat "$out/xvfb.log")"
    echo "Xvfb $1 on $DISPLAY"
}

# Waits until the X server started as $xvfb_pid has written its display
# number to file $1, then exports DISPLAY; fails (status 1) if it ends first.
server_named() {
    for _ in $(seq 100); do
        [ -s "$1" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$1" ] || { xvfb_pid=''; return 1; }
    display=":$(head -n1 "$1")"
    export DISPLAY=$display
}

# Starts openbox (with the options given) and waits until it manages the screen.
start_openbox() {
    openbox "$@" >"$out/openbox.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
}

# Waits (at most $1 seconds) for a visible window whose title matches $2;
# prints its id. A search fails outright when a window vanishes during it,
# so it is simply tried again.
wait_window() {
    local id end=$((SECONDS + $1))
    while [ "$SECONDS" -lt "$end" ]; do
        id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}

# Waits (at most 5 seconds) until no visible window's title matches $1.
wait_gone() {
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Screen position of a window's client area (its frame, if any, around it).
origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}'
}

# Clicks at $2,$3 pixels from the top left of window $1's client area.
click_in() {
    local x y
    read -r x y < <(origin "$1")
    xdotool mousemove --sync $((x + $2)) $((y + $3)) click 1
}

# Opens a menu of the main window ($main) by its title at $1 pixels from the
# left, then types keys $2. The pause lets the menu take the keyboard first.
menu() { click_in "$main" "$1" 10; sleep 0.3; xdotool key $2; }

# Runs command $2 once and waits (at most 20 seconds) for a visible window
# titled $1; prints its id. The command's click or key must reach the
# program: one it loses fails the test. Openbox, the window manager these
# sessions run, passes a window's first click on to it; under one known to
# swallow it, retry there alone and say so in the log.
open_window() {
    eval "$2" >/dev/null 2>&1 || true
    wait_window 20 "$1" && return 0
    echo "no window '$1' after: $2" >&2
    return 1
}

# Gives window $1 the keyboard.
focus() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true; sleep 0.3; }

# Makes nine small bitmaps p1..p9 in folder $2 and chooses them in the picture
# dialog $1 (Qt's own, typed into), which must then close.
pick_nine() {
    local dialog=$1 dir=$2 i
    mkdir -p "$dir"
    for i in $(seq 9); do convert -size 64x48 "xc:rgb($((i * 25)),90,160)" "$dir/p$i.bmp"; done
    focus "$dialog"
    xdotool type --delay 10 "$dir/"
    xdotool key Return
    sleep 0.5
    xdotool type --delay 10 '"p1.bmp" "p2.bmp" "p3.bmp" "p4.bmp" "p5.bmp" "p6.bmp" "p7.bmp" "p8.bmp" "p9.bmp"'
    xdotool key Return
    wait_gone '^Open multiple images\.\.\.$' || fail "the picture dialog did not close"
}
