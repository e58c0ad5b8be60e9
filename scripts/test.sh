#!/usr/bin/env bash
# Sets up, builds and runs every test: once in a normal build, once with
# AddressSanitizer and UndefinedBehaviorSanitizer, where any finding fails the run; then the
# tests that run threads under ThreadSanitizer (the list is tests/tsan_tests.txt), and each
# fuzz target for a short fixed number of executions on its seed corpus.
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

echo "== tsan build"
programs=()
filters=()
while read -r program filter; do
  [[ -z "$program" || "$program" == \#* ]] && continue
  programs+=("$program")
  filters+=("$filter")
done < tests/tsan_tests.txt
scripts/build.sh tsan "${programs[@]}"
echo "== tsan tests"
# The editor's tests keep their settings in a temporary folder of their own.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp"
for i in "${!programs[@]}"; do
  echo "-- ${programs[$i]} --gtest_filter=${filters[$i]}"
  build-tsan/bin/"${programs[$i]}" --gtest_filter="${filters[$i]}" --gtest_brief=1
done

echo "== fuzz targets"
scripts/fuzz.sh
