#!/usr/bin/env bash
# Builds the Debian package from a build directory, installs it, checks what it
# put in place, removes it and checks that nothing is left. Needs root and dpkg.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: check-package.sh BUILD_DIR}" && pwd)

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: installing a package needs root"
    exit 77
fi
for tool in cpack dpkg dpkg-deb desktop-file-validate objdump ldd; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool not found (run tools/deps)"; exit 1; }
done
if grep -q '^QV_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "FAIL: $build is a sanitizer build, which is never packaged"
    exit 1
fi
# Never replace or remove a copy someone installed on purpose.
if dpkg-query -W -f='${Status}' quorvadine 2>/dev/null | grep -q 'installed'; then
    echo "FAIL: a quorvadine package is already installed; remove it first (dpkg -r quorvadine)"
    exit 1
fi

out="$build/package"
rm -rf "$out"
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out")
debs=("$out"/quorvadine_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -s "${debs[0]}" ] || { echo "FAIL: expected one package in $out"; ls -l "$out"; exit 1; }
deb=${debs[0]}
echo "package: $deb"
dpkg-deb --info "$deb"

fail() { echo "FAIL: $*"; exit 1; }
installed=0
cleanup() { [ "$installed" = 1 ] && dpkg -r quorvadine >/dev/null 2>&1 || true; }
trap cleanup EXIT

[ "$(dpkg-deb -f "$deb" Package)" = quorvadine ] || fail "package name"
case "$(dpkg-deb -f "$deb" Version)" in 1.0*) ;; *) fail "version is not 1.0";; esac
depends=$(dpkg-deb -f "$deb" Depends)
for p in qt6-qpa-plugins qt6-image-formats-plugins fonts-liberation; do
    grep -qE "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p: $depends"
done

files=(/usr/bin/quorvadine /usr/share/applications/quorvadine.desktop
       /usr/share/icons/hicolor/32x32/apps/quorvadine.png
       /usr/share/icons/hicolor/48x48/apps/quorvadine.png
       /usr/share/icons/hicolor/256x256/apps/quorvadine.png)
for f in "${files[@]}"; do
    [ ! -e "$f" ] || fail "$f exists before the package is installed"
done

installed=1
dpkg -i "$deb"
dpkg-query -W -f='${Status}\n' quorvadine | grep -q 'install ok installed' || fail "not installed"
for f in "${files[@]}"; do
    [ -s "$f" ] || fail "$f missing or empty after install"
done
[ -x /usr/bin/quorvadine ] || fail "/usr/bin/quorvadine is not executable"
# A package for users: no debug sections.
if objdump -h /usr/bin/quorvadine 2>/dev/null | grep -q '\.debug_info'; then
    fail "/usr/bin/quorvadine is not stripped"
fi
desktop-file-validate /usr/share/applications/quorvadine.desktop || fail "desktop entry does not validate"
for size in 32 48 256; do
    head -c 8 "/usr/share/icons/hicolor/${size}x${size}/apps/quorvadine.png" | od -An -tx1 | grep -q '89 50 4e 47' \
        || fail "icon ${size}x${size} is not a PNG"
done

# Every Qt library the program links must come from a package it depends on,
# or a user installing it on a machine without that package gets a program
# that does not start.
missing_lib=$(ldd /usr/bin/quorvadine | grep 'not found' || true)
[ -z "$missing_lib" ] || fail "unresolved libraries: $missing_lib"
while read -r lib; do
    # With the merged /usr, ldd may name /lib/... where dpkg knows /usr/lib/...
    owner=''
    for path in "$lib" "/usr$lib" "$(realpath "$lib")"; do
        owner=$(dpkg -S "$path" 2>/dev/null | head -n1 | cut -d: -f1) && [ -n "$owner" ] && break
    done
    [ -n "$owner" ] || fail "no package owns $lib"
    grep -qE "(^|, )$owner( |,|$)" <<<"$depends" || fail "$lib comes from $owner, which is not in Depends: $depends"
done < <(needed=$(objdump -p /usr/bin/quorvadine | awk '$1 == "NEEDED" && $2 ~ /^libQt6/ { print $2 }')
         [ -n "$needed" ] || echo "/no/Qt/library/needed"
         ldd /usr/bin/quorvadine | awk -v names="$needed" \
             'BEGIN { n = split(names, a, "\n"); for (i = 1; i <= n; i++) want[a[i]] = 1 } $1 in want { print $3 }')

# The installed program starts and exits, where Xvfb is at hand.
here=$(cd "$(dirname "$0")" && pwd)
smoke=0
bash "$here/../smoke/smoke.sh" /usr/bin/quorvadine "$out/smoke" || smoke=$?
[ "$smoke" = 0 ] || [ "$smoke" = 77 ] || fail "the installed program fails its smoke run"

echo "dpkg -L quorvadine:"
listing=$(dpkg -L quorvadine)
echo "$listing"
for f in "${files[@]}"; do
    grep -qx "$f" <<<"$listing" || fail "dpkg -L does not list $f"
done
# Only the usual places: nothing outside /usr, no build or source paths.
bad=$(grep -vE '^/\.$|^/usr(/|$)' <<<"$listing" || true)
[ -z "$bad" ] || fail "files outside /usr: $bad"

dpkg -r quorvadine
installed=0
if dpkg-query -W -f='${Status}' quorvadine 2>/dev/null | grep -q 'install ok installed'; then
    fail "still installed after dpkg -r"
fi
for f in "${files[@]}"; do
    [ ! -e "$f" ] || fail "$f left behind after dpkg -r"
done
echo "package: PASS"
