#!/usr/bin/env bash
# Builds the library and the krprof tool, then runs one whole measurement on
# a simulated device: configuration image, counter-data prefix, a counter-data
# image written by the simulated device side, range count and evaluation.
# Arguments are passed to `krprof demo` (see `krprof demo --help`).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
ninja -C build krprof >/dev/null
exec build/tools/krprof demo "$@"
