#!/usr/bin/env bash
# A rejected request writes exactly one well-formed line to standard error at
# the default level, and none with KRLOG_LEVEL=off; the status is the same.
set -euo pipefail
program=("$@")  # the program, behind an emulator in a cross build
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

env -u KRLOG_LEVEL "${program[@]}" >"$work/out.default" 2>"$work/err.default"
KRLOG_LEVEL=off "${program[@]}" >"$work/out.off" 2>"$work/err.off"

expected_out="status 8 numRanges 7"
for run in default off; do
  [[ "$(cat "$work/out.$run")" == "$expected_out" ]] || { echo "stdout ($run): $(cat "$work/out.$run")"; exit 1; }
done
[[ ! -s "$work/err.off" ]] || { echo "KRLOG_LEVEL=off still wrote:"; cat "$work/err.off"; exit 1; }

# One line, then an empty line: "tprf_config.cpp" padded to 25, the line number padded to 4.
mapfile -t lines <"$work/err.default"
if [[ ${#lines[@]} -ne 2 || -n "${lines[1]}" ||
      ! "${lines[0]}" =~ ^tprf_config\.cpp\ {10}:([0-9]{4}|[0-9]{3}\ |[0-9]{2}\ \ |[0-9]\ \ \ |[0-9]{5,}):\ getCounterDataNumRanges\ parameter\ wrong\.$ ]]; then
  echo "unexpected standard error:"; cat -A "$work/err.default"; exit 1
fi
echo "ok: one line by default, none with KRLOG_LEVEL=off"
