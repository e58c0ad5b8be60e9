#!/usr/bin/env bash
# Builds the fuzz targets (scripts/build.sh fuzz) and runs each on its seed corpus.
#   scripts/fuzz.sh                       every target for a fixed number of executions (as CI
#                                         does; see runs_for and time_cap_for below)
#   scripts/fuzz.sh TARGET [OPTION...]    one target, with libFuzzer options, e.g.
#                                         scripts/fuzz.sh fuzz_wave_check -max_total_time=300
# New inputs go to a temporary folder, never into fuzz/corpus/; an input that crashes is
# written to build-fuzz/crashes/ and fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

all_targets=(fuzz_project_reader fuzz_lzss_decoder fuzz_lzss_roundtrip fuzz_image_decoder
             fuzz_wave_check fuzz_playback fuzz_message_text fuzz_timesheet_edit
             fuzz_content_checks)
if [ $# -gt 0 ]; then
  targets=("$1"); shift
  options=("$@")
else
  targets=("${all_targets[@]}")
  options=()
fi
# Executions per target when no options are given. The project reader's inputs are whole
# projects (at least 224 KiB) and the encoder resets its trees for each input, so those two
# get fewer to keep the run short.
runs_for() {
  case "$1" in
    fuzz_project_reader|fuzz_lzss_roundtrip) echo 5000 ;;
    fuzz_playback) echo 2000 ;;
    fuzz_timesheet_edit) echo 4000 ;;
    fuzz_message_text) echo 10000 ;;
    fuzz_content_checks) echo 40000 ;;
    *) echo 20000 ;;
  esac
}
# The targets that play, lay out and edit whole cuts are slow per input, so their CI runs
# also stop after this many seconds, whatever the machine's load.
time_cap_for() {
  case "$1" in
    fuzz_playback|fuzz_message_text|fuzz_timesheet_edit|fuzz_content_checks) echo 40 ;;
  esac
}

scripts/build.sh fuzz "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export SDL_AUDIODRIVER=dummy
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p build-fuzz/crashes
for target in "${targets[@]}"; do
  corpus=fuzz/corpus/${target#fuzz_}
  mkdir -p "$scratch/$target"
  log=$scratch/$target.log
  echo "== $target"
  if [ ${#options[@]} -gt 0 ]; then
    run_options=("${options[@]}")
  else
    run_options=("-runs=$(runs_for "$target")")
    cap=$(time_cap_for "$target")
    if [ -n "$cap" ]; then run_options+=("-max_total_time=$cap"); fi
  fi
  # The scratch folder comes first: libFuzzer adds what it finds to the first folder only.
  if ! build-fuzz/bin/"$target" -seed=1 -rss_limit_mb=2560 -print_final_stats=1 \
       -artifact_prefix=build-fuzz/crashes/ "${run_options[@]}" \
       "$scratch/$target" "$corpus" \
       >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $target failed; the input is in build-fuzz/crashes/" >&2
    exit 1
  fi
  grep -E "^stat::(number_of_executed_units|peak_rss_mb)|^Done [0-9]+ runs" "$log" || true
done
