#!/usr/bin/env bash
# Sets up, builds and starts PLK-CE. Arguments go to the program; relative paths are taken
# from the folder the script was started in.
#   scripts/run.sh --sample   copies the sample character into a new temporary folder and
#                             opens the copy, so the editor starts with a living character.
set -euo pipefail
start_dir=$PWD
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
scripts/build.sh release
cd "$start_dir"
if [ "${1:-}" = "--sample" ]; then
  shift
  sample_dir=$(mktemp -d "${TMPDIR:-/tmp}/plkce-sample.XXXXXX")
  sample=$("$root/build/bin/plkce-cli" copy "$root/build/sample/sample.cre" "$sample_dir")
  echo "The sample character is in $sample_dir"
  set -- "$sample" --play "$@"
fi
if [ -x "$root/build/bin/plkce" ]; then
  exec "$root/build/bin/plkce" "$@"
fi
exec "$root/build/bin/plkce-cli" "${@:---help}"
