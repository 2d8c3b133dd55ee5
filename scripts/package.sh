#!/usr/bin/env bash
# Builds the Debian package the way it ships and checks it with lintian:
#   a tree of its own (build-package/) without sanitizers or tests, compiled with Debian's
#   build flags (optimised, hardened), then cpack, then lintian.
# The package lands in build-package/zanu-config_<version>_<arch>.deb. Install it with
#   sudo apt install ./build-package/zanu-config_*.deb
# Exit status: 0 a package and no lintian error or warning; 1 otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

# Debian's own compiler and linker flags: stack protector, fortified functions, read-only
# relocations, -O2 -g (the symbols are stripped into nothing when packing).
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=None -DZANU_TESTS=OFF \
      "${launcher[@]}" >/dev/null
cmake --build build-package -j2
rm -f build-package/zanu-config_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/zanu-config_*.deb)
echo "package.sh: built $deb"

# Worked out from the binaries (dpkg-shlibdeps): Qt's libraries and the C library appear without
# being typed; the test command's package check packs without this step.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6core6 libqt6widgets6 libqt6serialport6 libqt6sql6; do
  [[ ", $depends," =~ ", $lib "[\(,] ]] ||
    { echo "package.sh: Depends lacks $lib: $depends" >&2; exit 1; }
done

# Every warning is either fixed or explained in packaging/lintian-overrides, so a new one fails.
lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb"
echo "package.sh: lintian is content with $deb"
