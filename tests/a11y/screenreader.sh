#!/usr/bin/env bash
# The program read as a screen reader reads it (AT-SPI): the layout choice,
# the main window with the sample board and every window it opens show every
# object one can act on by name; the board reads as nine scenes named after
# their numbers, one of them selected; a page turn is announced; and the
# focus frame stands out from what lies beside it by 3:1 at least.
# Usage: screenreader.sh PATH/TO/quorvadine OUTPUT_DIR
set -euo pipefail
. "$(dirname "$0")/session.sh"
start_program
# What the program announces, heard from the start: the program learns late
# under load that someone listens.
/usr/bin/python3 "$(dirname "$0")/atspi.py" listen 200 >"$out/announced" &
listener=$!
atspi focus '9  per page' >/dev/null
atspi window 'Layout choice:'
xdotool key Return
pick_samples
atspi focus 'Scene 1' >/dev/null
atspi window 'Quorvadine v1.0'
atspi board

# Page Down on the board: "Page 2 of 3" told, the next nine scenes read.
xdotool key Next
for _ in $(seq 50); do grep -qx 'announced: Page 2 of 3' "$out/announced" && break; sleep 0.1; done
grep -qx 'announced: Page 2 of 3' "$out/announced" || fail "the page turn was not announced: $(cat "$out/announced")"
kill "$listener"
atspi board

# The focus frame on a scene and on the panel's Help button (the board, then
# the script box, "<<", ">>", "Help" by Tab), measured in screenshots.
for target in 'Scene 10' 'Help'; do
    [ "$target" = Help ] && xdotool key Tab Tab Tab Tab
    read -r x y w h < <(atspi focus "$target")
    sleep 0.3
    import -window root "$out/focus.png"
    echo -n "$target: "
    atspi contrast "$out/focus.png" "$x" "$y" "$w" "$h"
done

# Every window the program opens, by its keys, then closed with Escape.
for target in 'alt+t s|Script Editor' 'F1|Help' 'alt+v o| Options' 'alt+f p|Print Preview' \
              'alt+h a|About Quorvadine' 'alt+v c 5|CloseUp'; do
    IFS='|' read -r keys title <<<"$target"
    xdotool key $keys
    atspi window "$title"
    xdotool key Escape
    wait_gone "^$title\$" || fail "Escape did not close $title"
done
echo "screenreader: PASS"
