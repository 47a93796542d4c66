#!/usr/bin/env bash
# Installs the amd64 (and architecture-independent) Debian packages that
# scripts/package.sh built, uses them as a user would, and removes them again:
#   - apt-get install ./...deb, as a user installs downloaded packages;
#   - the examples build with pkg-config and with find_package(krprof), both
#     without any path, and run without a run path or LD_LIBRARY_PATH;
#   - krprof --version prints the packages' version; krprof demo and
#     man krprof work from /usr;
#   - Debian's python3 imports krprof and gets the library's answers;
#   - after purging, no package that was not installed before is left, no
#     file of the packages is left, and every package installed before still
#     is, in the same version.
# The machine is left as it was also when a step fails midway (trap).
# Refuses to run when one of the packages is installed already.
#
#   tests/packages/install_packages_test.sh [DIST_DIR]    (as root, or with sudo)
set -uo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
dist_dir=$(cd "${1:-$source_dir/dist}" && pwd) || exit 1
readonly source_dir dist_dir
readonly packages=(libkrprof-host libkrprof-host-dev krprof libkranalyzer1.10 python3-krprof)
sudo=""
[[ $(id -u) -eq 0 ]] || sudo=sudo
apt=($sudo env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300)

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
installed_packages() { dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package} ${Version}\n' | awk '$1 == "ii"' | sort; }

shopt -s nullglob
debs=()
for package in "${packages[@]}"; do
  if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'installed'; then
    echo "$package is installed already: not touching the system"
    exit 1
  fi
  found=("$dist_dir/${package}_"*_amd64.deb "$dist_dir/${package}_"*_all.deb)
  ((${#found[@]} == 1)) || { echo "not one amd64 or all package $package in $dist_dir"; exit 1; }
  debs+=("${found[0]}")
done

work=$(mktemp -d)
installed_before=$work/installed-before
installed_packages >"$installed_before"
for deb in "${debs[@]}"; do dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|'; done |
  grep -v '/$' | sort -u >"$work/files"

# Purges the packages and whatever apt brought in with them, then checks that
# the machine holds the packages it held before and no file of ours.
restore() {
  "${apt[@]}" purge "${packages[@]}" >"$work/purge.log" 2>&1 || { cat "$work/purge.log"; fail "apt-get purge"; }
  installed_packages >"$work/installed-after"
  brought_in=$(comm -13 "$installed_before" "$work/installed-after" | awk '{print $2}')
  if [[ -n $brought_in ]]; then
    echo "purging what the installation brought in: $brought_in"
    # shellcheck disable=SC2086
    "${apt[@]}" purge $brought_in >>"$work/purge.log" 2>&1 || fail "apt-get purge $brought_in"
    installed_packages >"$work/installed-after"
  fi
  diff "$installed_before" "$work/installed-after" || fail "the installed packages differ from before"
  for package in "${packages[@]}"; do
    dpkg-query -W "$package" >/dev/null 2>&1 && fail "$package is still known to dpkg"
  done
  while read -r file; do
    [[ -e $file || -L $file ]] && fail "$file is left"
  done <"$work/files"
  for dir in /usr/include/krprof /usr/lib/x86_64-linux-gnu/cmake/krprof /usr/share/doc/krprof \
    /usr/share/doc/libkrprof-host /usr/share/doc/libkrprof-host-dev /usr/share/doc/libkranalyzer1.10 \
    /usr/lib/python3/dist-packages/krprof /usr/share/doc/python3-krprof; do
    [[ -e $dir ]] && fail "$dir is left"
  done
  rm -rf "$work"
  if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "ok: installed, used and removed ${packages[*]}"
}
trap restore EXIT
trap 'exit 1' INT TERM HUP

# A check that must hold; its output is shown when it does not.
check() {
  local what=$1
  shift
  "$@" >"$work/out" 2>&1 || { fail "$what"; cat "$work/out"; }
}

echo "installing ${debs[*]##*/}"
check "apt-get install" "${apt[@]}" install "${debs[@]}"
cd "$work" || exit 1

check "krprof --version, the packages' version" \
  bash -c '[[ $(/usr/bin/krprof --version) == "krprof $(dpkg-query -W -f="\${Version}" krprof)" ]]'
check "krprof demo" bash -c '/usr/bin/krprof demo -o counter-data.bin | grep -q ": match$"'
check "man krprof" bash -c 'MANPAGER=cat man krprof | grep -q "krprof - "'
check "python3: import krprof" /usr/bin/python3 -c '
import krprof
assert krprof.counter_data_prefix().hex() == "0a0a080610ff0118ff012002"
assert krprof.num_ranges(open("counter-data.bin", "rb").read()) == 1'

for example in evaluate_image get_images; do
  check "building $example with pkg-config" bash -c \
    "cc -std=c11 -Wall -Wextra -Werror -o $example '$source_dir/examples/$example.c' \$(pkg-config --cflags --libs krprof)"
done
check "building the examples with find_package(krprof)" bash -c \
  "cmake -S '$source_dir/examples' -B cmake -G Ninja -DCMAKE_C_FLAGS='-Wall -Wextra -Werror' && cmake --build cmake"
for dir in . cmake; do
  check "$dir/get_images" bash -c "$dir/get_images | grep -q '^counter-data prefix (12 bytes): 0a 0a 08 06 10 ff 01 18 ff 01 20 02$'"
  check "$dir/evaluate_image" bash -c "$dir/evaluate_image counter-data.bin | grep -q '^ranges: 1$'"
  check "$dir/evaluate_image without a run path" bash -c "! readelf -d $dir/evaluate_image | grep -q 'R.*PATH'"
done
