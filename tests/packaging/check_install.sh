#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop makes of it: every file
# in its place, the desktop entry and the metainfo valid, the archive type known by its glob and
# the udev rule giving the seated user the meter. Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.example.Porvel
for file in bin/porvel bin/porvel-cli share/man/man1/porvel.1.gz share/man/man1/porvel-cli.1.gz lib/porvel/libporvel-sim.so \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/mime/packages/$id.xml lib/udev/rules.d/60-porvel.rules \
    share/icons/hicolor/scalable/apps/$id.svg \
    share/icons/hicolor/scalable/mimetypes/application-x-porvel-archive.svg \
    share/doc/porvel/copyright share/doc/porvel/changelog.Debian.gz; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
# The installed tool finds the simulated instrument beside it.
"$prefix/bin/porvel-cli" --demo --lang en lists >/dev/null || fail "porvel-cli --demo lists failed"
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -s "$png" ] || fail "the ${size}px icon is not installed"
  # The PNG header holds width and height as 32-bit big-endian numbers at bytes 16 and 20.
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$width x $height" = "$size x $size" ] || fail "the ${size}px icon is $width x $height"
done

desktop-file-validate "$prefix/share/applications/$id.desktop"
grep -qx 'Exec=porvel %f' "$prefix/share/applications/$id.desktop" || fail "Exec takes no file"
grep -qx 'MimeType=application/x-porvel-archive;' "$prefix/share/applications/$id.desktop" ||
  fail "the desktop entry does not open archives"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"

# The MIME database built from the installed type maps *.wpa to it, with its own icon.
update-mime-database "$prefix/share/mime" 2>/dev/null
grep -q '^50:application/x-porvel-archive:\*\.wpa$' "$prefix/share/mime/globs2" ||
  fail "*.wpa is not the archive type"
grep -q '^application/x-porvel-archive:application-x-porvel-archive$' \
  "$prefix/share/mime/icons" || fail "the archive type has no icon"

rule=$prefix/lib/udev/rules.d/60-porvel.rules
grep -q 'ATTR{idVendor}=="03eb", ATTR{idProduct}=="0220".*TAG+="uaccess"' "$rule" ||
  fail "the udev rule does not give the seated user the meter"
echo "installed files: OK"
