#!/usr/bin/env bash
# Cross-builds the library, the logging stand-in, the tools and the tests for
# aarch64 Linux, checks that everything built is an AArch64 ELF, and runs the
# test suite under qemu. The suite itself checks the aarch64 library's
# exports and symbolic binding (with the cross nm and readelf) and the bytes
# of its images.
#
#   scripts/cross-aarch64.sh [BUILD_DIR] [EXTRA_CMAKE_ARGS...]
#
# BUILD_DIR defaults to build-aarch64 in the source tree; an existing one is
# built incrementally. Extra arguments go to the CMake configure step.
# Exits non-zero if any step or check fails.
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly source_dir
readonly build_dir=${1:-$source_dir/build-aarch64}
shift $(($# > 0 ? 1 : 0))
readonly jobs=2
# Bounds a test that hangs under the emulator; the slowest takes seconds.
readonly test_timeout_seconds=120
readonly library=$build_dir/libkrprof_host.so

# shellcheck source=scripts/checks.sh
source "$source_dir/scripts/checks.sh"

step "Installing the cross toolchain, arm64 libraries and qemu (scripts/install-deps.sh --cross)"
"$source_dir/scripts/install-deps.sh" --cross

step "Configuring $build_dir for aarch64-linux-gnu"
cmake -S "$source_dir" -B "$build_dir" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/toolchains/aarch64-linux-gnu.cmake" \
  -DKRPROF_WERROR=ON \
  -DKRPROF_BUILD_TESTS=ON \
  -DKRPROF_BUILD_TOOLS=ON \
  -DKRPROF_BUILD_BENCHMARKS=OFF \
  -DKRPROF_BUILD_FUZZERS=OFF \
  "$@"

step "Building with ninja -j$jobs"
ninja -C "$build_dir" -j"$jobs"

step "Checking that every built program and shared object is an AArch64 ELF"
elf_count=0
while IFS= read -r -d '' file; do
  [[ $(head -c 4 "$file") == $'\x7fELF' ]] || continue
  elf_count=$((elf_count + 1))
  machine=$(readelf -h "$file" | sed -n 's/^ *Machine: *//p')
  printf '  %-10s %s\n' "$machine" "${file#"$build_dir"/}"
  if [[ $machine != AArch64 ]]; then
    fail "$file is built for '$machine', not AArch64"
  fi
done < <(find "$build_dir" -name CMakeFiles -prune -o \
  -type f \( -perm -u+x -o -name '*.so' -o -name '*.so.*' \) -print0 | sort -z)
if [[ ! -f $library ]]; then
  fail "$library was not built"
elif ((elf_count == 0)); then
  fail "no ELF files found under $build_dir"
fi
printf '%d ELF files checked\n' "$elf_count"

step "Running the tests under qemu-aarch64-static (ctest -j$jobs)"
if ! ctest --test-dir "$build_dir" -j"$jobs" --output-on-failure --no-tests=error \
  --timeout "$test_timeout_seconds"; then
  fail "tests under qemu"
fi

finish_checks "The aarch64 cross build"
