#!/usr/bin/env bash
# Sets up what is missing, builds the program with optimisation into build-package/, installs it into
# build-package/install/ and checks the desktop entry and the AppStream metadata there, then makes the
# Debian package with CPack and checks it with lintian. Ends with the package's name and size.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh dpkg-dev file desktop-file-utils appstream lintian
# Built with Debian's hardening flags, as a package of the distribution would be.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build-package --parallel "$(nproc)"

tree=build-package/install
rm -rf "$tree"
DESTDIR="$PWD/$tree" cmake --install build-package >/dev/null
desktop-file-validate "$tree"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml

rm -f build-package/tavorin_*.deb
(cd build-package && cpack >/dev/null)
deb="$(ls build-package/tavorin_*.deb)"
echo "== lintian $deb"
lintian --fail-on error "$deb"
echo "== $(dpkg-deb --field "$deb" Depends)"
echo "package: $deb, $(stat -c %s "$deb") bytes"
