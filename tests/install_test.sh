#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what the desktop needs: the
# program, a valid desktop entry, the icon in the hicolor theme and valid AppStream
# metadata; then builds the Debian package and checks its contents and dependencies.
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
[ -x "$prefix/bin/sorato" ] || fail "no bin/sorato"
desktop=$prefix/share/applications/org.sorato.sorato.desktop
metainfo=$prefix/share/metainfo/org.sorato.sorato.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop entry"
grep -qx 'Name=ソラト' "$desktop" || fail "desktop entry: name"
grep -qx 'Categories=Game;Education;' "$desktop" || fail "desktop entry: categories"
LC_ALL=C.UTF-8 grep -q '^Comment=.*言葉' "$desktop" || fail "desktop entry: no Japanese comment"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 32 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
  file "$png" | grep -q "PNG image data, $size x $size" || fail "icon $png"
done
appstreamcli validate --no-net "$metainfo" || fail "AppStream metadata"
echo "ok   installed into a prefix; desktop entry, icons and metadata valid"

packages=$(mktemp -d)
(cd "$build" && cpack -B "$packages" >/dev/null) || fail "cpack"
deb=$(ls "$packages"/sorato_*.deb) || fail "no .deb"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 qt6-qpa-plugins fonts-ipafont-gothic; do
  case $depends in *"$needed"*) ;; *) fail "the package does not depend on $needed: $depends" ;; esac
done
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/sorato ./usr/share/applications/org.sorato.sorato.desktop \
            ./usr/share/metainfo/org.sorato.sorato.metainfo.xml \
            ./usr/share/icons/hicolor/32x32/apps/org.sorato.sorato.png; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done
rm -rf "$packages"
echo "ok   $(basename "$deb"): depends on $depends"
