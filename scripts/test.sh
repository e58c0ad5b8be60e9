#!/usr/bin/env bash
# Sets up, builds and runs every test: once in a normal build, once with
# AddressSanitizer and UndefinedBehaviorSanitizer, where any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

for flavour in release sanitize; do
  echo "== $flavour build"
  scripts/build.sh "$flavour"
  dir=build; [ "$flavour" = sanitize ] && dir=build-sanitize
  echo "== $flavour tests"
  ctest --test-dir "$dir" --output-on-failure -j "${PLKCE_JOBS:-2}"
done
