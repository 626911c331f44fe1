#!/usr/bin/env bash
# Builds the Debian package in build-package/ (Release, installed under /usr,
# with Debian's hardening flags) and checks it with lintian.
#   scripts/package.sh    ->  build-package/vemtal_<version>_<arch>.deb
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEMTAL_PACKAGE_BUILD_DIR:-$top/build-package}"
"$top/scripts/deps.sh" --package

# The compiler and linker flags Debian builds its packages with.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --parallel 2
(cd "$build" && cpack -G DEB)
deb="$(ls "$build"/vemtal_*.deb)"
dpkg-deb --info "$deb"
if command -v lintian >/dev/null 2>&1; then
    lintian "$deb"
fi
echo "$deb"
