#!/usr/bin/env bash
# Builds the Debian package from a copy of the source tree, as the README says
# (dpkg-buildpackage), checks it with lintian and appstreamcli, installs it,
# checks what it put in place and how the program was built, removes it and
# checks that nothing is left. Needs root.
# Usage: check-package.sh BUILD_DIR   (the work goes to BUILD_DIR/package)
set -euo pipefail
build=$(cd "${1:?usage: check-package.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: installing a package needs root"
    exit 77
fi
for tool in dpkg-buildpackage dh lintian appstreamcli desktop-file-validate dpkg-deb readelf objdump ldd man identify; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool not found (run tools/deps)"; exit 1; }
done
# state: dpkg's state of the package ("installed", "config-files", ...; empty
# or "not-installed" when dpkg has nothing of it).
state() { dpkg-query -W -f='${db:Status-Status}' quorvadine 2>/dev/null || true; }
# Never replace or remove a copy someone installed on purpose.
if [ -n "$(state)" ] && [ "$(state)" != not-installed ]; then
    echo "FAIL: a quorvadine package is already installed; remove it first (apt-get remove quorvadine)"
    exit 1
fi
fail() { echo "FAIL: $*"; exit 1; }

# The same path at every run, so that ccache finds the last run's objects;
# the checkout itself stays clean.
work="$build/package"
tree="$work/quorvadine"
rm -rf "$work"
mkdir -p "$tree"
if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    # What git knows or would add: no build directories, nothing ignored,
    # and never this build directory, wherever it is.
    skip=()
    case "$build/" in "$src/"*) skip=(":(exclude)${build#"$src"/}") ;; esac
    git -C "$src" ls-files -z --cached --others --exclude-standard -- . "${skip[@]}" |
        while IFS= read -r -d '' f; do [ -e "$src/$f" ] && printf '%s\0' "$f"; done |
        tar -C "$src" --null -T - -cf - | tar -C "$tree" -xf -
else
    tar -C "$src" --exclude='./build*' --exclude='./obj-*' -cf - . | tar -C "$tree" -xf -
fi
if command -v ccache >/dev/null; then
    # debhelper gives the build a HOME of its own; keep the usual cache.
    export CCACHE_DIR="${CCACHE_DIR:-$(ccache -k cache_dir)}" CCACHE_BASEDIR="$tree" CCACHE_NOHASHDIR=true
fi
echo "building the package in $tree (log: $work/build.log)"
(cd "$tree" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -b -us -uc) >"$work/build.log" 2>&1 \
    || { tail -n 40 "$work/build.log"; fail "dpkg-buildpackage"; }

arch=$(dpkg --print-architecture)
deb="$work/quorvadine_1.0_${arch}.deb"
changes="$work/quorvadine_1.0_${arch}.changes"
[ -s "$deb" ] && [ -s "$changes" ] || { ls -l "$work"; fail "no $deb or $changes"; }
dpkg-deb --info "$deb"

# Errors and warnings fail; the pedantic and informational tags are shown.
lintian --fail-on error,warning "$changes" || fail "lintian reports errors or warnings"
echo "lintian --pedantic -I:"
lintian --pedantic -I "$changes" || true

depends=$(dpkg-deb -f "$deb" Depends)
# has_dep NAME: NAME is one of the packages Depends names (any version).
has_dep() { tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//' | grep -qxF "$1"; }
# From the libraries the program links, and what it needs without linking:
# the platform plugins (to open a window at all) and the face it is laid out for.
for p in libc6 libstdc++6 libqt6core6 libqt6widgets6 qt6-qpa-plugins fonts-liberation; do
    has_dep "$p" || fail "Depends lacks $p: $depends"
done
# BMP, JPEG and GIF are read by qtbase itself.
! has_dep qt6-image-formats-plugins || fail "Depends has qt6-image-formats-plugins: $depends"

# The AppStream id names the desktop entry, the icons and the metainfo file.
unpacked="$work/unpacked"
dpkg-deb -x "$deb" "$unpacked"
metainfo=("$unpacked"/usr/share/metainfo/*.metainfo.xml)
[ ${#metainfo[@]} -eq 1 ] && [ -s "${metainfo[0]}" ] || fail "no metainfo file in the package"
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "${metainfo[0]}")
[ "${metainfo[0]##*/}" = "$id.metainfo.xml" ] || fail "metainfo file ${metainfo[0]##*/} is not named after its id $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "${metainfo[0]}" || fail "metainfo does not launch $id.desktop"
# Every screenshot is one of docs/images, at the size the metainfo gives.
shots=$(grep -o '<image type="source"[^<]*' "${metainfo[0]}" || true)
[ -n "$shots" ] || fail "metainfo has no screenshots"
while read -r shot; do
    name=${shot##*/}
    w=$(sed -n 's/.*width="\([0-9]*\)".*/\1/p' <<<"$shot")
    h=$(sed -n 's/.*height="\([0-9]*\)".*/\1/p' <<<"$shot")
    [ -f "$src/docs/images/$name" ] || fail "screenshot $name is not in docs/images"
    [ "$(identify -format '%w %h' "$src/docs/images/$name")" = "$w $h" ] || fail "screenshot $name is not $w x $h"
    case "$shot" in *'>https://'*) ;; *) fail "screenshot URL is not https: $shot";; esac
done <<<"$shots"

icons=()
for size in 16 22 24 32 48 64 128 256; do
    icons+=("/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
files=(/usr/bin/quorvadine "/usr/share/applications/$id.desktop" "/usr/share/metainfo/$id.metainfo.xml"
       /usr/share/man/man1/quorvadine.1.gz /usr/share/doc/quorvadine/copyright
       /usr/share/doc/quorvadine/changelog.gz "/usr/share/icons/hicolor/scalable/apps/$id.svg" "${icons[@]}")
for f in "${files[@]}"; do
    [ ! -e "$f" ] || fail "$f exists before the package is installed"
done

installed=1
# Installed and removed with apt-get, as the README says; it waits while
# another apt or dpkg holds the lock.
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -y -o DPkg::Lock::Timeout=300 "$@"; }
cleanup() { [ "$installed" = 1 ] && apt_get purge quorvadine >/dev/null 2>&1 || true; }
trap cleanup EXIT
apt_get install "$deb"
[ "$(state)" = installed ] || fail "not installed: $(state)"
for f in "${files[@]}"; do
    [ -s "$f" ] || fail "$f missing or empty after install"
done
[ -x /usr/bin/quorvadine ] || fail "/usr/bin/quorvadine is not executable"

appstreamcli validate --no-net "/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo does not validate"
desktop=/usr/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry does not name the icon $id"
for size in 16 22 24 32 48 64 128 256; do
    icon=/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    # PNG signature, then the width and height of the IHDR chunk.
    header=$(od -An -tu1 -N24 "$icon" | tr -s ' \n' ' ')
    [ "$header" = " 137 80 78 71 13 10 26 10 0 0 0 13 73 72 68 82 0 0 $((size >> 8)) $((size & 255)) 0 0 $((size >> 8)) $((size & 255)) " ] \
        || fail "$icon is not a ${size}x${size} PNG"
done
grep -q '<svg' "/usr/share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is not an SVG"
# Wide, so that no phrase is broken over two lines.
page=$(MANWIDTH=1000 man -l /usr/share/man/man1/quorvadine.1.gz 2>&1)
for text in NAME SYNOPSIS OPTIONS 'EXIT STATUS' 'writes no configuration' 'recovery' "$id.desktop"; do
    grep -q "$text" <<<"$page" || fail "the manual page lacks \"$text\""
done
head -n1 /usr/share/doc/quorvadine/copyright | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    || fail "copyright is not machine-readable (DEP-5)"
grep -q '^License: GPL-3+' /usr/share/doc/quorvadine/copyright || fail "copyright does not name GPL-3+"
zcat /usr/share/doc/quorvadine/changelog.gz | head -n1 | grep -q '^quorvadine (1\.0)' || fail "changelog does not start at 1.0"

# The distribution's hardening: a position-independent program, read-only
# relocations bound at start, the stack protector, and every object of ours
# compiled with _FORTIFY_SOURCE (the program calls no libc function that it
# would replace, so the binary shows no *_chk symbols to prove it).
bin=/usr/bin/quorvadine
# (Read whole first: grep -q would end the pipe early, which pipefail reports.)
elf=$(readelf -hldW --dyn-syms "$bin")
grep -q 'Type:.*DYN' <<<"$elf" || fail "not position-independent (PIE)"
grep -q GNU_RELRO <<<"$elf" || fail "no RELRO"
grep -qE 'BIND_NOW|FLAGS_1.*NOW' <<<"$elf" || fail "not linked with BIND_NOW"
grep -q __stack_chk_fail <<<"$elf" || fail "no stack protector"
compiles=$(grep -E ' -c [^ ]*\.cpp$' "$work/build.log" || true)
[ -n "$compiles" ] || fail "no compile commands in the build log"
unfortified=$(grep -v -- '-D_FORTIFY_SOURCE=2' <<<"$compiles" || true)
[ -z "$unfortified" ] || fail "compiled without _FORTIFY_SOURCE: $unfortified"
# A package for users: no debug sections (they went to the -dbgsym package).
if objdump -h "$bin" 2>/dev/null | grep -q '\.debug_info'; then
    fail "$bin is not stripped"
fi

# Every Qt library the program links must come from a package it depends on,
# or a user installing it on a machine without that package gets a program
# that does not start.
missing_lib=$(ldd "$bin" | grep 'not found' || true)
[ -z "$missing_lib" ] || fail "unresolved libraries: $missing_lib"
while read -r lib; do
    # With the merged /usr, ldd may name /lib/... where dpkg knows /usr/lib/...
    owner=''
    for path in "$lib" "/usr$lib" "$(realpath "$lib")"; do
        owner=$(dpkg -S "$path" 2>/dev/null | head -n1 | cut -d: -f1) && [ -n "$owner" ] && break
    done
    [ -n "$owner" ] || fail "no package owns $lib"
    has_dep "$owner" || fail "$lib comes from $owner, which is not in Depends: $depends"
done < <(needed=$(objdump -p "$bin" | awk '$1 == "NEEDED" && $2 ~ /^libQt6/ { print $2 }')
         [ -n "$needed" ] || echo "/no/Qt/library/needed"
         ldd "$bin" | awk -v names="$needed" \
             'BEGIN { n = split(names, a, "\n"); for (i = 1; i <= n; i++) want[a[i]] = 1 } $1 in want { print $3 }')

# The installed program starts and exits, where Xvfb is at hand.
smoke=0
bash "$here/../smoke/smoke.sh" "$bin" "$work/smoke" || smoke=$?
[ "$smoke" = 0 ] || [ "$smoke" = 77 ] || fail "the installed program fails its smoke run"

echo "dpkg -L quorvadine:"
listing=$(dpkg -L quorvadine)
echo "$listing"
for f in "${files[@]}"; do
    grep -qx "$f" <<<"$listing" || fail "dpkg -L does not list $f"
done
# Only the usual places: nothing outside /usr.
bad=$(grep -vE '^/\.$|^/usr(/|$)' <<<"$listing" || true)
[ -z "$bad" ] || fail "files outside /usr: $bad"

apt_get remove quorvadine
while read -r f; do
    [ -d "$f" ] || [ ! -e "$f" ] || fail "$f left behind after apt-get remove"
done <<<"$listing"
[ ! -e /usr/share/doc/quorvadine ] || fail "/usr/share/doc/quorvadine left behind"
# It has no configuration files to keep, so dpkg keeps nothing of it either.
[ -z "$(state)" ] || [ "$(state)" = not-installed ] || fail "dpkg still holds the package after apt-get remove: $(state)"
installed=0
echo "package: PASS"
