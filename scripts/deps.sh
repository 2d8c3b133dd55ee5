#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the tools need; does nothing when all
# are present, so it is safe to run again.
set -euo pipefail
# qt6-charts-dev's CMake files need Qt6OpenGL's, which Debian 12 ships apart in
# libqt6opengl6-dev without making the charts package depend on it. lupdate and lrelease are in
# qt6-l10n-tools; Qt's own German and Dutch texts (standard buttons) in qt6-translations-l10n.
# Qt SQL's headers come with qt6-base-dev; the history's SQLite driver is a plugin of its own.
PKGS=(cmake ninja-build g++ make pkg-config
      qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-tools-dev-tools qt6-charts-dev
      qt6-l10n-tools qt6-translations-l10n libqt6sql6 libqt6sql6-sqlite
      libqt6opengl6-dev libgl-dev
      xvfb xauth x11-apps imagemagick clang libclang-rt-14-dev python3 poppler-utils
      dpkg-dev file lintian desktop-file-utils appstream man-db clang-format clang-tidy)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
