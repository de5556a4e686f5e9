#!/usr/bin/env bash
# The Debian package CPack builds: its dependencies, its files, no maintainer
# scripts, a stripped program, and no lintian errors (warnings are listed).
# Usage: deb.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack failed"; }
deb=$(ls "$out"/laserpic_*_"$(dpkg --print-architecture)".deb)
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"

dpkg-deb --info "$deb" >"$out/info"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# From the linked libraries, and what is loaded at run time without linking.
for d in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libpotrace0 libseccomp2 libfontconfig1 libopencv-core406 libopencv-imgproc406 librsvg2-2 \
         libqt6svg6 qt6-translations-l10n qt6-image-formats-plugins; do
  [[ ", $depends," == *", $d"[\ ,]* ]] || fail "Depends lacks $d"
done
[ "$(dpkg-deb -f "$deb" Package)" = laserpic ] && [ "$(dpkg-deb -f "$deb" Section)" = graphics ] ||
  fail "wrong package name or section"
controls=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '^$' | sort | tr '\n' ' ')
[ "$controls" = "control md5sums " ] || fail "control files: $controls (no maintainer scripts expected)"

dpkg-deb --contents "$deb" >"$out/contents"
for f in usr/bin/laserpic usr/libexec/laserpic/laserpic-decode usr/share/applications/org.laserpic.LaserPic.desktop \
         usr/share/mime/packages/org.laserpic.LaserPic.xml usr/share/metainfo/org.laserpic.LaserPic.metainfo.xml \
         usr/share/laserpic/translations/laserpic_en.qm usr/share/laserpic/screenshots/main-window.png \
         usr/share/icons/hicolor/scalable/apps/org.laserpic.LaserPic.svg \
         usr/share/icons/hicolor/48x48/apps/org.laserpic.LaserPic.png \
         usr/share/doc/laserpic/copyright usr/share/doc/laserpic/README.md usr/share/man/man1/laserpic.1.gz; do
  grep -q " \./$f\$" "$out/contents" || fail "the package lacks /$f"
done
grep -v ' root/root ' "$out/contents" && fail "files not owned by root"
mkdir "$out/x" && dpkg-deb -x "$deb" "$out/x"
for f in usr/bin/laserpic usr/libexec/laserpic/laserpic-decode; do
  file "$out/x/$f" | grep -q ', stripped' || fail "/$f is not stripped"
done

lintian --tag-display-limit 0 "$deb" >"$out/lintian" 2>&1 || true
grep -v 'running with root privileges' "$out/lintian" || true
if grep -q '^E: ' "$out/lintian"; then fail "lintian reports errors"; fi
echo "lintian: $(grep -c '^W: ' "$out/lintian" || true) warnings, no errors"
