#!/usr/bin/env bash
# Runs every fuzz target of a fuzzing build for its share of the given time,
# each over a scratch copy of its seeds in fuzz/corpus/<target>/ (the check
# target uses the evaluation target's), and fails if any target finds a
# crash, printing the input that causes it.
#
#   scripts/fuzz.sh BUILD_DIR [SECONDS]
#
# BUILD_DIR was configured with -DKRPROF_BUILD_FUZZERS=ON (clang-14, ideally
# with -DKRPROF_SANITIZE=address,undefined) and built. SECONDS is the total
# running time, 60 by default. Crashing inputs are kept in BUILD_DIR/fuzz/crashes/.
set -euo pipefail

if (($# < 1 || $# > 2)); then
  echo "usage: $0 BUILD_DIR [SECONDS]" >&2
  exit 2
fi
build_dir=$(cd "$1" && pwd)
total_seconds=${2:-60}
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
targets=(evaluate_fuzzer entry_points_fuzzer check_fuzzer)
seconds_per_target=$((total_seconds / ${#targets[@]}))
((seconds_per_target > 0)) || seconds_per_target=1

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
crash_dir=$build_dir/fuzz/crashes

failed=0
for target in "${targets[@]}"; do
  fuzzer=$build_dir/fuzz/$target
  if [[ ! -x $fuzzer ]]; then
    echo "$target: $fuzzer not built (configure with -DKRPROF_BUILD_FUZZERS=ON)" >&2
    exit 2
  fi
  corpus=$scratch/$target/corpus
  artifacts=$scratch/$target/artifacts
  mkdir -p "$corpus" "$artifacts"
  # The check target takes counter-data images, as the evaluation target does.
  seeds=$target
  [[ $target == check_fuzzer ]] && seeds=evaluate_fuzzer
  cp "$source_dir/fuzz/corpus/$seeds/"* "$corpus/"

  echo "$target: fuzzing for ${seconds_per_target} s"
  # The protobuf runtime reports every string that is not UTF-8 on standard
  # error; -close_fd_mask=2 silences the target's stderr while libFuzzer and
  # the sanitizers keep writing their reports to the log.
  log=$scratch/$target/log
  if "$fuzzer" -max_total_time="$seconds_per_target" -close_fd_mask=2 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|peak_rss_mb|new_units_added):' "$log" | sed "s/^/$target: /"
    continue
  fi

  failed=1
  echo "$target: FAILED" >&2
  grep -v '^INFO:\|^#[0-9]' "$log" | tail -n 60 >&2
  mkdir -p "$crash_dir"
  for input in "$artifacts"/*; do
    [[ -e $input ]] || continue
    kept=$crash_dir/$target-$(basename "$input")
    cp "$input" "$kept"
    echo "$target: reproducer $kept ($(stat -c %s "$kept") bytes): $(od -An -tx1 -v "$kept" | tr -d ' \n')" >&2
    echo "$target: rerun with: $fuzzer $kept" >&2
  done
done
exit "$failed"
