#!/usr/bin/env bash
# The source folders stack: each may include only from itself and the folders
# below it. From the bottom: resources (design data and stored pictures), platform,
# board; then the windows, stacked too (scripts, printing, dialogs); on top the
# main window (view), which alone knows and wires the others.
# Usage: layers.sh SOURCE_DIR
set -euo pipefail
cd "${1:?usage: layers.sh SOURCE_DIR}"
declare -A allowed=(
    [resources]="resources"
    [platform]="resources platform"
    [board]="resources platform board"
    [scripts]="resources platform board scripts"
    [printing]="resources platform board scripts printing"
    [dialogs]="resources platform board scripts printing dialogs"
)
bad=0
for folder in "${!allowed[@]}"; do
    while IFS= read -r line; do
        inc=${line#*\#include \"}; inc=${inc%%/*}
        [[ " ${allowed[$folder]} " == *" $inc "* ]] && continue
        echo "upward include: $line"; bad=1
    done < <(grep -rn '^#include "[a-z]*/' "$folder" || true)
done
[ "$bad" = 0 ] && echo "no upward includes"
exit "$bad"
