#!/usr/bin/env bash
# Brings translations/*.ts up to date with the texts marked in src/ (tr(), QT_TRANSLATE_NOOP and
# the .ui forms): new texts come in unfinished, texts gone from the sources are dropped. Then
# translate the unfinished entries (Qt Linguist, or by hand in the XML) and keep
# translations/README.md's glossary. Not part of the build: the build only compiles the .ts files
# it is given, so that a build never rewrites a translator's work.
#
#   scripts/translations.sh            update every catalogue
#
# scripts/check_translations.py (in the test command) then says what is left to translate.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=$(command -v lupdate || true)
[ -n "$LUPDATE" ] || LUPDATE=/usr/lib/qt6/bin/lupdate
if [ ! -x "$LUPDATE" ]; then
  echo "translations.sh: lupdate is missing; install qt6-l10n-tools (scripts/deps.sh)." >&2
  exit 1
fi
# No source locations: line numbers would change every catalogue with every edit of the code.
"$LUPDATE" -no-obsolete -locations none -extensions cpp,h,ui src \
  -ts translations/zanu-config_de.ts translations/zanu-config_nl.ts
