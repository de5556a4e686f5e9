#!/usr/bin/env bash
# An install into a temporary DESTDIR holds the program and its desktop
# integration, and the desktop's own tools accept them.
# Usage: install.sh <build folder>
set -euo pipefail
build=$1
id=org.laserpic.LaserPic
type=application/x-laserpic-kvt
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
share=$dest/usr/share
expected=(
  usr/bin/laserpic
  usr/libexec/laserpic/laserpic-decode
  usr/share/applications/$id.desktop
  usr/share/mime/packages/$id.xml
  usr/share/metainfo/$id.metainfo.xml
  usr/share/laserpic/screenshots/main-window.png
  usr/share/laserpic/translations/laserpic_en.qm
  usr/share/icons/hicolor/scalable/apps/$id.svg
  usr/share/icons/hicolor/scalable/mimetypes/${type//\//-}.svg
  usr/share/man/man1/laserpic.1.gz
  usr/share/doc/laserpic/README.md
  usr/share/doc/laserpic/copyright
  usr/share/doc/laserpic/changelog.gz
)
sizes=(16 22 24 32 48 64 128 256)
for s in "${sizes[@]}"; do expected+=("usr/share/icons/hicolor/${s}x$s/apps/$id.png"); done
installed=$(cd "$dest" && find . -type f -printf '%P\n' | sort)
[ "$installed" = "$(printf '%s\n' "${expected[@]}" | sort)" ] ||
  fail "installed files differ from the expected ones:"$'\n'"$installed"
[ -x "$dest/usr/bin/laserpic" ] || fail "the program is not executable"
# The decoding program, where the editor looks for it, decodes an icon.
[ "$("$dest/usr/bin/../libexec/laserpic/laserpic-decode" -- "$share/icons/hicolor/48x48/apps/$id.png" | head -n1)" = \
  "LPIC 48 48 48 48 argb32pm" ] || fail "the installed decoding program does not decode the icon"
[ "$("$dest/usr/bin/laserpic" --version)" = "laserpic $(sed -n 's/^laserpic (\(.*\)).*/\1/p;q' "$(dirname "$0")/../../packaging/changelog")" ] ||
  fail "--version and the changelog disagree"

# The installed programs find the English translation from their own places.
[ "$(LANGUAGE=en "$dest/usr/bin/laserpic" --export-ilda 2>&1)" = "laserpic: usage: --export-ilda PICTURE.kvt OUT.ild; see laserpic --help" ] ||
  fail "the installed editor does not speak English"
LANGUAGE=en "$dest/usr/libexec/laserpic/laserpic-decode" -- /nonexistent.png | grep -q ' File not found$' ||
  fail "the installed decoding program does not speak English"

# Icons: each PNG of its size, the scalable one a valid SVG.
for s in "${sizes[@]}"; do
  got=$(identify -format '%m %wx%h' "$share/icons/hicolor/${s}x$s/apps/$id.png")
  [ "$got" = "PNG ${s}x$s" ] || fail "icon ${s}x$s is $got"
done
xmllint --noout "$share/icons/hicolor/scalable/apps/$id.svg"

# The menu entry.
entry=$share/applications/$id.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry"
for line in 'Type=Application' 'Name=Laser Picture Editor' 'Name[ru]=Редактор картинок для лазера' \
            'Exec=laserpic %f' "Icon=$id" 'Categories=Graphics;VectorGraphics;' "MimeType=$type;"; do
  grep -qxF "$line" "$entry" || fail "the entry lacks '$line'"
done
grep -q '^Comment=' "$entry" && grep -q '^Comment\[ru\]=' "$entry" || fail "comments missing"

# The file type: valid XML, one glob *.kvt, comments in both languages.
mime=$share/mime/packages/$id.xml
xmllint --noout "$mime"
q() { xmllint --xpath "$1" "$mime"; }
[ "$(q "string(//*[local-name()='mime-type']/@type)")" = "$type" ] || fail "wrong MIME type"
[ "$(q "count(//*[local-name()='glob'])")" = 1 ] || fail "not exactly one glob"
[ "$(q "string(//*[local-name()='glob']/@pattern)")" = '*.kvt' ] || fail "the glob is not *.kvt"
[ -n "$(q "string(//*[local-name()='comment'][@xml:lang='ru'])")" ] || fail "no Russian comment"
[ -n "$(q "string(//*[local-name()='comment'][not(@xml:lang)])")" ] || fail "no English comment"

# The databases the desktop builds from them: .kvt is the type, and the
# editor is the application for it.
update-mime-database "$share/mime" >/dev/null
grep -qxF "50:$type:*.kvt" "$share/mime/globs2" || fail "the MIME database does not know *.kvt"
update-desktop-database "$share/applications"
grep -qxF "$type=$id.desktop;" "$share/applications/mimeinfo.cache" || fail "the entry does not open $type"

# The software centres' description: valid offline (the screenshot's web
# address is not fetched), the menu entry's id, and the screenshot it names
# installed at the size it states.
metainfo=$share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net --explain "$metainfo" >"$dest/validate" 2>&1 || true
if grep -qE '^(E|W): ' "$dest/validate"; then cat "$dest/validate"; fail "appstreamcli validate reports errors or warnings"; fi
m() { xmllint --xpath "$1" "$metainfo"; }
[ "$(m 'string(/component/id)')" = "$id" ] && [ "$(m 'string(//launchable)')" = "$id.desktop" ] ||
  fail "the metainfo's id is not the menu entry's"
[ "$(identify -format '%m %wx%h' "$share/laserpic/screenshots/main-window.png")" = \
  "PNG $(m 'string(//screenshot/image/@width)')x$(m 'string(//screenshot/image/@height)')" ] ||
  fail "the screenshot differs from what the metainfo says"

# The manual page names the program.
lexgrog "$share/man/man1/laserpic.1.gz" | grep -q 'laserpic - ' || fail "manual page without a NAME line"
echo "installed ${#expected[@]} files; desktop entry, MIME package, metainfo and icons accepted"
