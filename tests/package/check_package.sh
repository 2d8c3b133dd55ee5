#!/usr/bin/env bash
# check_package.sh BUILD_DIR VERSION: builds the Debian package from BUILD_DIR and checks it.
set -euo pipefail
build=$1 version=$2
fail() { echo "check_package: $*" >&2; exit 1; }
for tool in cpack dpkg-architecture dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null || fail "$tool is missing; scripts/deps.sh installs it."
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Its own output folder, so that cpack's staging never meets another run's. No compression, unlike
# the shipped package's xz: what is checked here is the content, and compressing the sanitized
# binaries took most of this test's time. Nor the libraries worked out from the binaries
# (dpkg-shlibdeps): on sanitized binaries that took 17 s of CPU, and the dependencies of sanitized
# binaries are not the shipped ones anyway; scripts/package.sh checks those on the package that
# ships.
(cd "$build" && cpack -G DEB -B "$work/out" -D CPACK_DEBIAN_COMPRESSION_TYPE=none \
  -D CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb="$work/out/zanu-config_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb") in: $(ls "$work/out")"

[ "$(dpkg-deb -f "$deb" Package)" = zanu-config ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
# What no binary names, because Qt loads it at run time.
for lib in qt6-qpa-plugins qt6-translations-l10n libqt6sql6-sqlite; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
expected="usr/bin/zanu-config
usr/bin/zanu-hart
usr/bin/zanu-sim
usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/zanu-config/libzanu-sim-transmitter.so
usr/share/applications/zanu-config.desktop
usr/share/doc/zanu-config/changelog.gz
usr/share/doc/zanu-config/copyright
usr/share/doc/zanu-config/examples/61-zanu-hart-modem.rules
usr/share/icons/hicolor/128x128/apps/zanu-config.png
usr/share/icons/hicolor/16x16/apps/zanu-config.png
usr/share/icons/hicolor/22x22/apps/zanu-config.png
usr/share/icons/hicolor/24x24/apps/zanu-config.png
usr/share/icons/hicolor/256x256/apps/zanu-config.png
usr/share/icons/hicolor/32x32/apps/zanu-config.png
usr/share/icons/hicolor/48x48/apps/zanu-config.png
usr/share/icons/hicolor/64x64/apps/zanu-config.png
usr/share/icons/hicolor/scalable/apps/zanu-config.svg
usr/share/lintian/overrides/zanu-config
usr/share/man/man1/zanu-config.1.gz
usr/share/man/man1/zanu-hart.1.gz
usr/share/man/man1/zanu-sim.1.gz
usr/share/metainfo/example.zanu.ZanuConfig.metainfo.xml"
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$(echo "$expected" | LC_ALL=C sort)" ] ||
  fail "file list differs:$(echo; diff <(echo "$expected" | LC_ALL=C sort) <(echo "$actual") || true)"

# Help and version must answer without any display.
for program in zanu-config zanu-hart zanu-sim; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$program" --version) ||
    fail "$program --version failed"
  [ "$out" = "$program $version" ] || fail "$program --version says '$out'"
done
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/zanu-config" --help |
  grep -q '^Usage: zanu-config' || fail "zanu-config --help"

desktop-file-validate "$root/usr/share/applications/zanu-config.desktop" ||
  fail "the desktop entry does not validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/example.zanu.ZanuConfig.metainfo.xml" ||
  fail "the metainfo does not validate"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/example.zanu.ZanuConfig.metainfo.xml" ||
  fail "the metainfo's release is not $version"

# The manual pages as lintian reads them: any warning from groff is an error in the page.
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  zcat "$page" | grep -q "zanu-config $version" || fail "$(basename "$page") is not for $version"
done

# Each PNG must be the size its folder says, or the icon theme picks a blurred one.
for png in "$root"/usr/share/icons/hicolor/*x*/apps/zanu-config.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  file -b "$png" | grep -q "PNG image data, ${size/x/ x }," || fail "$png: $(file -b "$png")"
done
echo "check_package: $(basename "$deb") is sound ($(echo "$actual" | wc -l) files)."
