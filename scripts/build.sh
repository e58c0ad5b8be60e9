#!/usr/bin/env bash
# Configures and builds one flavour of the tree.
#   scripts/build.sh [release|sanitize|tsan|fuzz] [TARGET...]   (default: release, everything)
# tsan:  ThreadSanitizer, in build-tsan/ (build only the test programs it runs).
# fuzz:  the libFuzzer targets of fuzz/ with clang, in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-release}
[ $# -gt 0 ] && shift
targets=("$@")
case "$flavour" in
  release)  dir=build;          extra=() ;;
  sanitize) dir=build-sanitize; extra=(-DPLKCE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DPLKCE_BUILD_BENCH=OFF) ;;
  tsan)     dir=build-tsan;     extra=(-DPLKCE_TSAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLKCE_BUILD_BENCH=OFF) ;;
  fuzz)     dir=build-fuzz;     extra=(-DPLKCE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
                                       -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14)
            [ ${#targets[@]} -eq 0 ] && targets=(fuzz_targets) ;;
  *) echo "usage: scripts/build.sh [release|sanitize|tsan|fuzz] [TARGET...]" >&2; exit 1 ;;
esac

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" "${generator[@]}" "${extra[@]}"
fi
target_args=()
if [ ${#targets[@]} -gt 0 ]; then target_args=(--target "${targets[@]}"); fi
cmake --build "$dir" -j "${PLKCE_JOBS:-2}" "${target_args[@]}"
