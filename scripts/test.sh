#!/usr/bin/env bash
# Builds and runs every test of the project:
#   1. the native build (gcc, warnings as errors) with all tests;
#   2. AddressSanitizer + UndefinedBehaviorSanitizer (clang-14): all tests, then
#      a bounded libFuzzer run of every fuzz target;
#   3. ThreadSanitizer (clang-14): the concurrency tests;
#   4. the aarch64 cross build, its tests run under qemu;
#   5. the Debian packages of both architectures, checked with lintian, then
#      the amd64 ones installed, used and removed again.
# Installs the Debian packages it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds=${KRPROF_FUZZ_SECONDS:-60}
jobs=$(nproc)

step() { printf '\n==== %s\n' "$*"; }
configure() {  # configure BUILD_DIR [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DKRPROF_WERROR=ON "$@" >/dev/null
}
clang14=(-DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14)

step "Installing packages"
scripts/install-deps.sh --cross --packaging

step "Native build (gcc) and tests"
configure build -DKRPROF_BUILD_BENCHMARKS=ON
ninja -C build
ctest --test-dir build --output-on-failure -j "$jobs"

step "AddressSanitizer + UndefinedBehaviorSanitizer build (clang-14) and tests"
configure build-asan "${clang14[@]}" -DKRPROF_SANITIZE=address,undefined -DKRPROF_BUILD_FUZZERS=ON
ninja -C build-asan
ctest --test-dir build-asan --output-on-failure -j "$jobs"

step "Fuzzing for ${fuzz_seconds} s"
scripts/fuzz.sh build-asan "$fuzz_seconds"

step "ThreadSanitizer build (clang-14) and concurrency tests"
configure build-tsan "${clang14[@]}" -DKRPROF_SANITIZE=thread -DKRPROF_BUILD_TOOLS=OFF
ninja -C build-tsan
ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L concurrency

step "aarch64 cross build and tests under emulation"
scripts/cross-aarch64.sh build-aarch64

step "Debian packages: build, lintian, installation"
scripts/package.sh dist
tests/packages/install_packages_test.sh dist
