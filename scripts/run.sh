#!/usr/bin/env bash
# Sets up, builds and starts PLK-CE. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh release
if [ -x build/bin/plkce ]; then
  exec build/bin/plkce "$@"
fi
exec build/bin/plkce-cli "${@:---help}"
