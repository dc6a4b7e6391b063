#!/usr/bin/env bash
# Installs the build into an empty temporary prefix and checks it as a desktop would read it:
# the programs run from there; the desktop entry and the AppStream metadata pass their
# validators without a warning; the program, icon and desktop entry they name are installed;
# and the newest release in the metadata is the version being built.
# Usage: packaging/check_install.sh CMAKE BUILD_DIR VERSION APP_ID [OTHER_PROGRAM...]
set -uo pipefail
cmake=$1 build=$2 version=$3 app_id=$4
shift 4
# shellcheck source=SCRIPTDIR/check_support.sh
source "$(dirname "$0")/check_support.sh"
require desktop-file-validate appstreamcli xmllint

prefix=$work/prefix
if ! out=$("$cmake" --install "$build" --prefix "$prefix" 2>&1); then
    fail "cmake --install" "$out"
    finish
fi

check_program "$prefix/bin/quorix" "$version"
for program in "$@"; do
    check_program "$prefix/bin/$program" "$version"
done

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
icon_dir=$prefix/share/icons/hicolor/scalable/apps
for file in "$desktop" "$metainfo" "$icon_dir/$app_id.svg"; do
    [ -f "$file" ] || fail "installed: ${file#"$prefix"/}"
done

if [ -f "$desktop" ]; then
    check "desktop-file-validate" desktop-file-validate "$desktop"
    # What the menu runs and shows must be there.
    exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    if [ -n "$exec_program" ] && [ -x "$prefix/bin/$exec_program" ]; then
        pass "the desktop entry runs an installed program ($exec_program)"
    else
        fail "the desktop entry runs an installed program" "Exec names '$exec_program'"
    fi
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    svg=$icon_dir/$icon.svg
    if [ -z "$icon" ] || [ ! -f "$svg" ]; then
        fail "the desktop entry's icon is installed" "Icon names '$icon'"
    elif xmllint --noout "$svg" && [ "$(xmllint --xpath 'local-name(/*)' "$svg")" = svg ]; then
        pass "the icon is an SVG document"
    else
        fail "the icon is an SVG document"
    fi
fi

if [ -f "$metainfo" ]; then
    # --strict fails on warnings and infos as well; only pedantic hints pass.
    if out=$(appstreamcli validate --no-net --strict "$metainfo" 2>&1); then
        pass "appstreamcli validate"
    else
        fail "appstreamcli validate" "$out"
    fi
    # The tree: the metadata's launchable desktop entry is found beside it.
    if out=$(appstreamcli validate-tree --no-net --strict "$prefix" 2>&1); then
        pass "appstreamcli validate-tree"
    else
        fail "appstreamcli validate-tree" "$out"
    fi
    newest=$(xmllint --xpath 'string(/component/releases/release[1]/@version)' "$metainfo")
    if [ "$newest" = "$version" ]; then
        pass "the newest release in the metadata is $version"
    else
        fail "the newest release in the metadata is $version" "it is '$newest'"
    fi
    while read -r binary; do
        [ -x "$prefix/bin/$binary" ] || fail "the metadata's binary $binary is installed"
    done < <(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo")
fi
finish
