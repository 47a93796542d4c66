#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need.
# Safe to run again: packages already present are left as they are.
#   scripts/install-deps.sh          native build, tests, sanitizers, fuzzing, benchmarks
#   scripts/install-deps.sh --cross  also the aarch64 cross toolchain and emulator
#   scripts/install-deps.sh --packaging
#                                    also what builds and checks the Debian packages
# The two options may be given together.
set -euo pipefail

native=(
  build-essential cmake ninja-build pkg-config
  libprotobuf-dev protobuf-compiler
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev llvm-14
  binutils file dpkg-dev
  python3 python3-pytest python3-numpy
)
cross=(
  g++-aarch64-linux-gnu libprotobuf-dev:arm64 libgtest-dev:arm64 libgmock-dev:arm64
  qemu-user-static
)
packaging=(debhelper dh-python fakeroot help2man lintian man-db)

want=("${native[@]}")
for option in "$@"; do
  case $option in
    --cross)
      if ! dpkg --print-foreign-architectures | grep -qx arm64; then
        dpkg --add-architecture arm64
      fi
      want+=("${cross[@]}")
      ;;
    --packaging) want+=("${packaging[@]}") ;;
    *) echo "install-deps.sh: unknown option $option" >&2; exit 2 ;;
  esac
done

missing=()
for pkg in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
