#!/usr/bin/env bash
# Runs lupdate over the editor's sources and refreshes translations/*.ts: new texts come in
# unfinished, vanished ones are dropped. Translate the new entries (Qt Linguist or any
# editor), then build: lrelease makes the .qm files in the normal build.
#   scripts/update_translations.sh [TS_FILE...]
#   (or: cmake --build build --target plkce_update_translations)
# With TS_FILEs (named plkce_<language>.ts) it refreshes those instead; the editor tests use
# this on a copy to find texts that are marked in the code but missing from the .ts.
set -euo pipefail
ts_files=()
for ts in "$@"; do ts_files+=("$(realpath "$ts")"); done
cd "$(dirname "$0")/.."
if [ ${#ts_files[@]} -eq 0 ]; then ts_files=(translations/plkce_*.ts); fi

lupdate=${LUPDATE:-}
if [ -z "$lupdate" ]; then
  for candidate in /usr/lib/qt6/bin/lupdate lupdate-qt6 lupdate; do
    if command -v "$candidate" >/dev/null 2>&1; then lupdate=$candidate; break; fi
  done
fi
if [ -z "$lupdate" ]; then
  echo "update_translations: lupdate not found (scripts/setup.sh installs qt6-l10n-tools)" >&2
  exit 1
fi

# No source locations in the .ts: line numbers would change with every edit and make merges
# of the translation file needlessly hard.
for ts in "${ts_files[@]}"; do
  "$lupdate" -silent -no-obsolete -locations none -source-language ja \
    -target-language "$(basename "$ts" .ts | sed 's/^plkce_//')" src/editor -I src -ts "$ts"
done
