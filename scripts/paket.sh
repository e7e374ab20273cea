#!/usr/bin/env bash
# Builds the Debian package in build/paket with Debian's hardening flags and checks it: the
# programs with hardening-check, the desktop entry, the metainfo with appstreamcli and the
# package with lintian (no errors, no warnings).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/pakete.sh --paket

ordner=build/paket
# The flags a Debian package build gets, every hardening feature on. CMake reads no CPPFLAGS,
# so the preprocessor flags (_FORTIFY_SOURCE) go with the compiler flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$ordner" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DTROPFWERK_TESTS=OFF -DTROPFWERK_WERROR=ON -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags"
# Only what the package holds.
cmake --build "$ordner" --target tropfwerk tropfwerk-rechner datendateien gepackte_dokumente
rm -f "$ordner"/tropfwerk_*.deb
(cd "$ordner" && cpack -G DEB)
deb=$(ls "$ordner"/tropfwerk_*.deb)

inhalt=$(mktemp -d)
trap 'rm -rf "$inhalt"' EXIT
dpkg-deb -x "$deb" "$inhalt"
# Debian 12's dpkg-buildflags does not turn on -fcf-protection, so control-flow integrity is not
# asked for; everything else hardening-check knows is.
hardening-check --nocfprotection "$inhalt/usr/bin/tropfwerk" "$inhalt/usr/bin/tropfwerk-rechner"
desktop-file-validate "$inhalt/usr/share/applications/tropfwerk.desktop"
appstreamcli validate --no-net --pedantic \
  "$inhalt/usr/share/metainfo/org.example.tropfwerk.metainfo.xml"
lintian -EvIL +pedantic --fail-on error,warning "$deb"
echo "Paket geprüft: $deb"
