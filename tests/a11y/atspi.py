#!/usr/bin/python3
"""The program as a screen reader reads it, through AT-SPI (python3-pyatspi).

Commands, each printing what it found and ending with status 1 when the
program is not as a screen reader user needs it:
  window TITLE     a window of ours named TITLE, shown as a window or dialog,
                   in which every object one can act on has a name
  board            nine scene buttons named "Scene N" in order, one selected
  focus NAME       waits until the object with the keyboard is named NAME;
                   prints its place on the screen (x y width height)
  listen SECONDS   prints what the program announces meanwhile
  contrast PNG X Y W H   the focus frame drawn inside that box in the screenshot
"""
import re
import sys
import time

import pyatspi

APP = "Quorvadine"
WINDOW_ROLES = {pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_WINDOW}
# A scroll bar is read with the box it scrolls; it takes no keyboard.
SILENT_ROLES = {pyatspi.ROLE_SCROLL_BAR}


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(find, what, seconds=15):
    end = time.time() + seconds
    while True:
        try:
            found = find()
        except Exception:  # an object went away while it was read: look again
            found = None
        if found is not None or time.time() > end:
            break
        time.sleep(0.2)
    if found is None:
        fail("no " + what)
    return found


def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.name == APP:
            return a
    return None


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def descendants(obj):
    for child in obj:
        if child is None or not showing(child):
            continue
        yield child
        yield from descendants(child)


def actions(obj):
    try:
        action = obj.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def interactive(obj):
    if obj.getRole() in SILENT_ROLES:
        return False
    return obj.getState().contains(pyatspi.STATE_FOCUSABLE) or bool(actions(obj))


def window(title):
    def find():
        for w in wait_for(app, "program on the accessibility bus"):
            if w is not None and w.name == title and showing(w):
                return w
        return None
    return wait_for(find, "window named %r" % title)


def check_window(title):
    w = window(title)
    if w.getRole() not in WINDOW_ROLES:
        fail("%r reads as a %s, not as a window or dialog" % (title, w.getRoleName()))
    objects = [o for o in descendants(w) if interactive(o)]
    unnamed = ["%s (%s)" % (o.getRoleName(), ", ".join(actions(o)) or "focusable") for o in objects if not o.name.strip()]
    if unnamed:
        fail("in %r, %d of %d objects one can act on have no name: %s"
             % (title, len(unnamed), len(objects), "; ".join(unnamed)))
    print("%s: a %s, %d objects one can act on, all named" % (title, w.getRoleName(), len(objects)))


def board():
    main = window("Quorvadine v1.0")
    scenes = [o for o in descendants(main) if o.getRole() == pyatspi.ROLE_PUSH_BUTTON and o.name.startswith("Scene ")]
    numbers = [int(m.group(1)) for m in (re.fullmatch(r"Scene (\d+)", o.name) for o in scenes) if m]
    if len(scenes) != 9 or numbers != list(range(numbers[0] if numbers else 0, (numbers[0] if numbers else 0) + 9)):
        fail("the board reads as %s" % [o.name for o in scenes])
    selected = [o for o in scenes if o.getState().contains(pyatspi.STATE_SELECTED)]
    if len(selected) != 1:
        fail("%d scenes selected: %s" % (len(selected), [o.name for o in selected]))
    pressable = all("Press" in actions(o) for o in scenes)
    if not pressable:
        fail("a scene cannot be pressed")
    print("board: Scene %d to Scene %d, %s selected (%r)" % (numbers[0], numbers[-1], selected[0].name,
                                                            selected[0].description))


def focused():
    """The objects marked as having the keyboard: a list and its current item both are."""
    found = []
    for w in app() or []:
        if w is not None and showing(w):
            found += [o for o in descendants(w) if o.getState().contains(pyatspi.STATE_FOCUSED)]
    return found


def focus(name):
    o = wait_for(lambda: next((f for f in focused() if f.name == name), None),
                 "focus on %r (it is on %s)" % (name, [f.name for f in focused()]))
    box = o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print(box.x, box.y, box.width, box.height)


def listen(seconds):
    from gi.repository import GLib

    def heard(event):
        if event.source.getRole() == pyatspi.ROLE_NOTIFICATION and event.detail1:
            print("announced: " + event.source.name, flush=True)

    pyatspi.Registry.registerEventListener(heard, "object:state-changed:showing")
    GLib.timeout_add(int(seconds * 1000), pyatspi.Registry.stop)
    GLib.timeout_add(500, lambda: print("listening", flush=True) and False)
    pyatspi.Registry.start()


def luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def ratio(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def contrast(png, x, y, w, h):
    """Along the middle of the box's left edge: the frame's two colours (its
    darkest and lightest pixels within 5 of the edge) against the colour
    outside the box and the colour inside the frame."""
    import subprocess
    row = y + h // 2
    data = subprocess.run(["convert", png, "-crop", "12x1+%d+%d" % (x - 3, row), "-depth", "8", "rgb:-"],
                          capture_output=True, check=True).stdout
    pixels = [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]
    outside, frame, inside = pixels[1], pixels[3:8], pixels[10]
    dark, light = min(frame, key=luminance), max(frame, key=luminance)
    beside = {"outside": outside, "inside": inside}
    worst = min(max(ratio(dark, c), ratio(light, c)) for c in beside.values())
    print("frame %s and %s; outside %s, inside %s; at least %.1f:1 against each" % (dark, light, outside, inside, worst))
    if worst < 3:
        fail("the focus frame stands out by only %.1f:1" % worst)


def main(args):
    command = args[0] if args else ""
    if command == "window" and len(args) == 2:
        check_window(args[1])
    elif command == "board":
        board()
    elif command == "focus" and len(args) == 2:
        focus(args[1])
    elif command == "listen" and len(args) == 2:
        listen(float(args[1]))
    elif command == "contrast" and len(args) == 6:
        contrast(args[1], *(int(a) for a in args[2:]))
    else:
        print(__doc__)
        sys.exit(2)


if __name__ == "__main__":
    main(sys.argv[1:])
