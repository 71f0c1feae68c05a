# Sourced by the tests that use the program by keyboard and read it as a
# screen reader does: their own session bus (dbus-run-session) with the
# accessibility bus on it, Xvfb, openbox, and the program with accessibility
# on (QT_LINUX_ACCESSIBILITY_ALWAYS_ON), as under Orca.
# The accessibility bus keeps its socket in XDG_RUNTIME_DIR (else in ~/.cache,
# where another session's bus would take or remove it): one of our own.
if [ -z "${QV_A11Y_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session not found (tools/deps installs it)"; exit 77; }
    runtime=$(mktemp -d)
    trap 'rm -rf "$runtime"' EXIT
    QV_A11Y_BUS=1 XDG_RUNTIME_DIR=$runtime dbus-run-session -- bash "$0" "$@"
    exit
fi
. "$(dirname "$0")/../support/xsession.sh"
session_files "$@"
need_tools Xvfb openbox xdotool xprop xwininfo dbus-send import convert
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi not found (tools/deps installs it)"; exit 77; }
# The reader's findings; on a fault, what it says and the usual report go to standard error.
atspi() { /usr/bin/python3 "$(dirname "$0")/atspi.py" "$@" || fail "atspi.py $*" >&2; }

# Starts the screen, the window manager, the accessibility bus (the program
# joins it only when it is there already) and the program; sets `main`.
start_program() {
    start_xvfb 1024x768
    start_openbox
    # A loaded machine can take longer than start_openbox waits.
    for _ in $(seq 150); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.2
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || fail "openbox did not start"
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null ||
        fail "no accessibility bus (at-spi2-core)"
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$out/config" \
        ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} "$app" >"$log" 2>&1 &
    app_pid=$!
    main=$(wait_window 30 '^Quorvadine v1\.0$') || fail "main window did not appear"
    wait_window 15 '^Layout choice:$' >/dev/null || fail "the layout choice did not appear"
}

# In the picture dialog (Qt's own, its file name box focused): the folder
# samples/ by name, "All pictures" in the type list below it, then its 24
# frames by name. Keys only.
pick_samples() {
    local samples names
    samples=$(cd "$(dirname "$0")/../../samples" && pwd)
    names=$(cd "$samples" && ls frame* | sed 's/.*/"&"/' | tr '\n' ' ')
    wait_window 15 '^Open multiple images\.\.\.$' >/dev/null || fail "the picture dialog did not open"
    atspi focus 'File name:' >/dev/null
    xdotool type --delay 10 "$samples/"
    xdotool key Return
    sleep 0.5
    xdotool key Tab
    atspi focus 'Image Format (*.bmp)' >/dev/null
    xdotool key End
    atspi focus 'All pictures (*.bmp *.jpg *.gif)' >/dev/null
    xdotool key alt+n
    atspi focus 'File name:' >/dev/null
    xdotool type --delay 5 "$names"
    xdotool key Return
    wait_gone '^Open multiple images\.\.\.$' || fail "the picture dialog did not close"
}
