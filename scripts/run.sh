#!/usr/bin/env bash
# Sets up, builds and starts PLK-CE. Arguments go to the program; relative paths are taken
# from the folder the script was started in.
set -euo pipefail
start_dir=$PWD
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
scripts/build.sh release
cd "$start_dir"
if [ -x "$root/build/bin/plkce" ]; then
  exec "$root/build/bin/plkce" "$@"
fi
exec "$root/build/bin/plkce-cli" "${@:---help}"
