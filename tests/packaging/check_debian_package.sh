#!/usr/bin/env bash
# Builds the Debian package of the build with CPack and checks it: the files it installs, the
# dependencies computed from the binaries, and lintian without errors.
# Usage: check_debian_package.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" ||
  { cat "$out/cpack.log"; fail "cpack failed"; }
deb=$(ls "$out"/porvel_*.deb)

contents=$(dpkg-deb -c "$deb")
echo "$contents"
for file in ./usr/bin/porvel ./usr/bin/porvel-cli ./usr/share/man/man1/porvel.1.gz ./usr/share/man/man1/porvel-cli.1.gz \
    ./usr/lib/porvel/libporvel-sim.so \
    ./usr/share/applications/org.example.Porvel.desktop \
    ./usr/share/mime/packages/org.example.Porvel.xml \
    ./usr/share/metainfo/org.example.Porvel.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/org.example.Porvel.png \
    ./usr/lib/udev/rules.d/60-porvel.rules ./usr/share/doc/porvel/copyright; do
  grep -q " $file\$" <<<"$contents" || fail "$file is not in the package"
done

[ "$(dpkg-deb -f "$deb" Version)" = 1.0.0.0-1 ] || fail "the version is not 1.0.0.0-1"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Computed from the binaries: the C library and Qt's widgets; named by hand: libusb-0.1.
for package in libc6 libqt6widgets6 libusb-0.1-4; do
  grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "$package is not a dependency"
done

lintian --fail-on error --tag-display-limit 0 "$deb"
echo "Debian package: OK"
