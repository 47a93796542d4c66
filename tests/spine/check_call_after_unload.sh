#!/usr/bin/env bash
# A call made after the library's exit-time destruction still returns its
# status and does not crash; the released logger writes no line for it.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

env -u KRLOG_LEVEL "$@" >"$work/out" 2>"$work/err" || { echo "exit status $?"; cat "$work/err"; exit 1; }
if [[ "$(cat "$work/out")" != $'loaded: status 8\nat exit: status 8' ]]; then
  echo "unexpected standard output:"; cat "$work/out"; exit 1
fi
lines=$(grep -c 'getCounterDataNumRanges parameter wrong\.' "$work/err" || true)
[[ $lines == 1 ]] || { echo "expected the loaded call's line only, got:"; cat "$work/err"; exit 1; }
echo "ok: the late call returned its status and wrote no line"
