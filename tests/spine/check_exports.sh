#!/usr/bin/env bash
# The shared library exports exactly the expected entry points, binds its own
# references symbolically, stays loaded after dlclose, and names the
# platform's logging library.
set -euo pipefail
nm=$1 readelf=$2 library=$3 expected=$4

actual=$("$nm" -D --defined-only "$library" | awk '{print $3}' | LC_ALL=C sort)
if ! diff <(LC_ALL=C sort "$expected") <(echo "$actual"); then
  echo "exported symbols differ from $expected (< expected, > actual)"; exit 1
fi
dynamic=$("$readelf" -d "$library")
grep -Eq 'FLAGS.*SYMBOLIC' <<<"$dynamic" || { echo "not linked with symbolic binding"; exit 1; }
grep -Eq 'FLAGS_1.*NODELETE' <<<"$dynamic" || { echo "not linked with -z nodelete"; exit 1; }
grep -q 'Library soname: \[libkrprof_host.so\]' <<<"$dynamic" || { echo "wrong SONAME"; exit 1; }
grep -q 'Shared library: \[libkranalyzer.so.1.10\]' <<<"$dynamic" || { echo "does not NEED libkranalyzer.so.1.10"; exit 1; }
echo "ok: $(wc -l <<<"$actual") entry points exported, symbolic binding, nodelete"
