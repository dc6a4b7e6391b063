#!/usr/bin/env bash
# Builds the Debian package from the build folder into a temporary folder and checks it: its
# control fields, that every package it depends on is installed here in a fitting version (so
# the names are right and it installs on this system), its files, and that it installs into an
# empty root where the programs then run.
# Usage: packaging/check_deb.sh CPACK BUILD_DIR VERSION APP_ID [OTHER_PROGRAM...]
set -uo pipefail
cpack=$1 build=$2 version=$3 app_id=$4
shift 4
# shellcheck source=SCRIPTDIR/check_support.sh
source "$(dirname "$0")/check_support.sh"
require dpkg dpkg-deb dpkg-query dpkg-shlibdeps

# cpack installs the build and packs what it installed. It first builds what is out of date, as
# `make install` does: right after a build that is nothing, and the whole check takes seconds.
if ! out=$("$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" 2>&1); then
    fail "cpack -G DEB" "$(tail -n 30 <<<"$out")"
    finish
fi
arch=$(dpkg --print-architecture)
deb=$work/out/quorix_${version}_$arch.deb
if [ ! -f "$deb" ]; then
    fail "cpack made $(basename "$deb")" "$(ls "$work/out")"
    finish
fi
pass "cpack made $(basename "$deb")"

# field NAME WANT: the control field NAME is WANT.
field() {
    local got
    got=$(dpkg-deb -f "$deb" "$1")
    if [ "$got" = "$2" ]; then pass "$1: $2"; else fail "$1: want '$2'" "got '$got'"; fi
}
field Package quorix
field Version "$version"
field Architecture "$arch"
field Section games
maintainer=$(dpkg-deb -f "$deb" Maintainer)
name_and_address='^[^<]+ <[^@>]+@[^>]+>$'
if [[ $maintainer =~ $name_and_address ]]; then
    pass "Maintainer: $maintainer"
else
    fail "Maintainer is a name and an address" "got '$maintainer'"
fi

# Depends: the libraries dpkg-shlibdeps found, and what Qt loads at run time.
depends=$(dpkg-deb -f "$deb" Depends)
echo "     Depends: $depends"
for wanted in libqt6widgets6 qt6-qpa-plugins fonts-dejavu-core; do
    if grep -q -E "(^|[,|] *)$wanted( |,|$)" <<<"$depends"; then
        pass "depends on $wanted"
    else
        fail "depends on $wanted"
    fi
done
# satisfied ALTERNATIVE: "name" or "name (op version)" is installed here, in such a version.
satisfied() {
    local name op want have
    read -r name op want <<<"${1//[()]/ }"
    have=$(dpkg-query -W -f='${db:Status-Abbrev}${Version}\n' "${name%%:*}" 2>/dev/null |
           sed -n 's/^ii *//p' | head -n 1)
    [ -n "$have" ] && { [ -z "$op" ] || dpkg --compare-versions "$have" "$op" "$want"; }
}
unmet=0
IFS=',' read -ra groups <<<"$depends"
for group in "${groups[@]}"; do
    IFS='|' read -ra alternatives <<<"$group"
    found=no
    for alternative in "${alternatives[@]}"; do
        satisfied "$alternative" && found=yes && break
    done
    [ $found = yes ] || { fail "installed here:$group"; unmet=$((unmet + 1)); }
done
[ $unmet -ne 0 ] || pass "every dependency is installed here"

# The files: all under /usr, the programs and what the desktop menu reads among them.
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
outside=$(grep -v -E '^\./usr/' <<<"$files")
if [ -z "$outside" ]; then pass "every file is under /usr"; else fail "every file is under /usr" "$outside"; fi
for wanted in usr/bin/quorix "${@/#/usr/bin/}" \
              "usr/share/applications/$app_id.desktop" \
              "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
              "usr/share/metainfo/$app_id.metainfo.xml"; do
    if grep -q -x -F "./$wanted" <<<"$files"; then pass "holds /$wanted"; else fail "holds /$wanted"; fi
done

# Installed with dpkg into an empty root of its own (with an empty package database there, so
# no dependency can be met: --force-depends), and its log kept there too. dpkg 1.21 does this
# without root as well (--force-not-root), so no fakeroot and no `dpkg -x` stand-in is needed.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
if out=$(PATH=$PATH:/usr/sbin:/sbin dpkg --root="$root" --log="$work/dpkg.log" \
             --force-depends --force-not-root --install "$deb" 2>&1); then
    pass "dpkg --root installs it"
    check_program "$root/usr/bin/quorix" "$version"
    for program in "$@"; do
        check_program "$root/usr/bin/$program" "$version"
    done
else
    fail "dpkg --root installs it" "$out"
fi
finish
