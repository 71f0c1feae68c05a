#!/usr/bin/env bash
# The source folders stack, each one library (qv_<folder>). From the bottom:
# resources (design data, stored pictures), files (safe reading and writing),
# interfaces (what tests replace), pictures (decoding), board (the model),
# widgets, desktop (the Qt implementations, window policy); then the windows:
# scripts, printing, the command line (printing with no window), dialogs, and
# on top view, which alone knows the others.
# Checks that a file includes only from its own folder or the floors below,
# that a folder's library links exactly the libraries of the folders it
# includes from, and that no two files' units include each other.
# Usage: layers.sh SOURCE_DIR
set -euo pipefail
cd "${1:?usage: layers.sh SOURCE_DIR}"
floors=(resources files interfaces pictures board widgets desktop scripts printing commandline dialogs view)
bad=0
below=" "
for folder in "${floors[@]}"; do
    below+="$folder "
    [ -d "$folder" ] || { echo "missing folder: $folder"; bad=1; continue; }
    used=" "
    while IFS= read -r line; do
        inc=${line#*\#include \"}; inc=${inc%%/*}
        [[ "$below" == *" $inc "* ]] || { echo "upward include: $line"; bad=1; }
        [ "$inc" = "$folder" ] || [[ "$used" == *" $inc "* ]] || used+="$inc "
    done < <(grep -rn '^#include "[a-z]*/' "$folder" || true)
    linked=$(grep -o 'qv_[a-z]*' "$folder/CMakeLists.txt" | sed 's/^qv_//' | grep -vx -e "$folder" -e flags -e add | sort -u | xargs || true)
    included=$(echo $used | tr ' ' '\n' | sort -u | xargs)
    if [ "$linked" != "$included" ]; then
        echo "$folder links [$linked] but includes from [$included]"; bad=1
    fi
done
for folder in *; do
    [ -d "$folder" ] && [[ " ${floors[*]} " != *" $folder "* ]] && { echo "folder on no floor: $folder"; bad=1; }
done
# A unit is a header and its source file. Two units that include each other
# cannot be understood, or moved, one without the other.
declare -A uses=()
while IFS= read -r line; do
    file=${line%%:*}; inc=${line#*\#include \"}; inc=${inc%\"*}
    from=${file%.*}; to=${inc%.*}
    [ "$from" != "$to" ] && uses["$from>$to"]=1
done < <(grep -rn '^#include "[a-z]*/' . | sed 's|^\./||' || true)
for edge in "${!uses[@]}"; do
    from=${edge%%>*}; to=${edge#*>}
    if [ -n "${uses["$to>$from"]+x}" ] && [[ "$from" < "$to" ]]; then
        echo "include cycle: $from <-> $to"; bad=1
    fi
done
[ "$bad" = 0 ] && echo "the folders stack, libraries follow includes, no include cycles"
exit "$bad"
