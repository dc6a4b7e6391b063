#!/usr/bin/env bash
# Installs the Debian packages the build needs when they are missing (as root, or through sudo).
# Usage: scripts/deps.sh [app|test]
set -euo pipefail

want=(cmake make g++ pkg-config ccache libgtest-dev libgmock-dev libbenchmark-dev
      qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core)
case "${1:-test}" in
  app) want+=(xvfb xauth) ;;
  # The packaging tests: validators for the desktop files, dpkg-shlibdeps for cpack; the
  # screen-reader test: a virtual display, a session bus, the accessibility bus and its client.
  test) want+=(clang libclang-rt-14-dev desktop-file-utils appstream libxml2-utils dpkg-dev
               xvfb xauth dbus-daemon at-spi2-core python3-pyatspi) ;;
esac

missing=()
for pkg in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "Please install as root: apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
