#!/usr/bin/env bash
# Configures and builds one flavour of the tree.
#   scripts/build.sh [release|sanitize]   (default: release)
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-release}
case "$flavour" in
  release)  dir=build;          extra=() ;;
  sanitize) dir=build-sanitize; extra=(-DPLKCE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DPLKCE_BUILD_BENCH=OFF) ;;
  *) echo "usage: scripts/build.sh [release|sanitize]" >&2; exit 1 ;;
esac

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" "${generator[@]}" "${extra[@]}"
fi
cmake --build "$dir" -j "${PLKCE_JOBS:-2}"
