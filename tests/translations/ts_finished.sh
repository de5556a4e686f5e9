#!/usr/bin/env bash
# The English translation is complete and current: every text the sources
# mark for translation is in laserpic_en.ts, and every entry is translated.
# Usage: ts_finished.sh <source folder> <lupdate> <its options...>
set -euo pipefail
src=$1
lupdate=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ts=$work/laserpic_en.ts
cp "$src/translations/laserpic_en.ts" "$ts"
# The same refresh as the update_translations target, on a copy.
"$lupdate" "$@" "$src/src" -ts "$ts"
q() { xmllint --xpath "$1" "$ts"; }
entries=$(q 'count(//message)')
# An entry lupdate added or that nobody translated is "unfinished"; one the
# sources no longer have would be "vanished" or "obsolete".
open=$(q 'count(//message[translation/@type or not(normalize-space(translation))])')
if [ "$open" != 0 ]; then
  echo "FAIL: $open of $entries texts untranslated or not in translations/laserpic_en.ts:" >&2
  q '//message[translation/@type or not(normalize-space(translation))]/source/text()' >&2 || true
  echo >&2
  echo "Refresh it with 'cmake --build build --target update_translations' and translate them." >&2
  exit 1
fi
echo "$entries texts, every one translated"
