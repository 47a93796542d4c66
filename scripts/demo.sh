#!/usr/bin/env bash
# Builds the library and the krprof tool, then runs one whole measurement on
# a simulated device: configuration image, counter-data prefix, a counter-data
# image written by the simulated device side, range count and evaluation.
# Arguments are passed to `krprof demo` (see `krprof demo --help`); a file
# given to -o is relative to the directory the script is called from.
#
# The script builds in a folder of its own, build-demo/, so that it never
# depends on how a build/ folder was configured by hand.
set -euo pipefail
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=$source_dir/build-demo
"$source_dir/scripts/install-deps.sh"
cmake -S "$source_dir" -B "$build_dir" -G Ninja >/dev/null
ninja -C "$build_dir" krprof >/dev/null
exec "$build_dir/tools/krprof" demo "$@"
