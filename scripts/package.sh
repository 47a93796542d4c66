#!/usr/bin/env bash
# Builds the Debian packages of both architectures, amd64 and arm64, with the
# debian/ directory (the architecture-independent ones with amd64), and checks
# them:
#   - lintian finds no error and no warning (overrides shipped in a package
#     aside), on the packages and their debug-symbol packages;
#   - every ELF file of an arm64 package is an AArch64 one, and every library
#     package its dependencies name is installed here for arm64, where
#     dpkg-shlibdeps found it.
#
#   scripts/package.sh [OUT_DIR]      OUT_DIR defaults to dist/
#
# The packages, their debug-symbol packages (-dbgsym) and the .changes and
# .buildinfo files go to OUT_DIR; each architecture builds in a copy of the
# sources under OUT_DIR/build-ARCH, since dpkg-buildpackage writes beside its
# source tree.
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mkdir -p "${1:-$source_dir/dist}"
out_dir=$(cd "${1:-$source_dir/dist}" && pwd)
readonly source_dir out_dir
readonly architectures=(amd64 arm64)

# shellcheck source=scripts/checks.sh
source "$source_dir/scripts/checks.sh"

step "Installing the build tools, the cross toolchain and lintian"
"$source_dir/scripts/install-deps.sh" --cross --packaging

# Copies the sources, less build trees, packages and the repository, into DIR.
# OUT_DIR, when it lies in the source tree, is left out as well.
out_in_source=${out_dir#"$source_dir"/}
out_in_source=${out_in_source%%/*}
copy_sources() {
  local dir=$1
  rm -rf "$dir"
  mkdir -p "$dir"
  (cd "$source_dir" && find . -mindepth 1 -maxdepth 1 \
    ! -name .git ! -name 'build*' ! -name 'obj-*' ! -name dist ! -name "$out_in_source" -print0) |
    (cd "$source_dir" && xargs -0 cp -a -t "$dir")
}

rm -f "$out_dir"/*.deb "$out_dir"/*.changes "$out_dir"/*.buildinfo
for arch in "${architectures[@]}"; do
  step "Building the $arch packages"
  work=$out_dir/build-$arch
  copy_sources "$work/krprof"
  # The build machine's architecture builds every package (-b); a cross
  # build only the architecture-dependent ones (-B).
  build=(-b)
  [[ $arch == "$(dpkg --print-architecture)" ]] || build=(-B -a"$arch" -Pcross)
  if ! (cd "$work/krprof" && DEB_BUILD_OPTIONS="nocheck parallel=2" \
    dpkg-buildpackage -uc -us "${build[@]}" >"$work/build.log" 2>&1); then
    tail -n 40 "$work/build.log" >&2
    fail "dpkg-buildpackage for $arch (log: $work/build.log)"
    continue
  fi
  mv "$work"/*.deb "$work"/*.changes "$work"/*.buildinfo "$out_dir"/
done

step "lintian"
changes=("$out_dir"/*.changes)
if [[ -f ${changes[0]} ]]; then
  lintian --fail-on error,warning --display-info "${changes[@]}" || fail "lintian"
else
  fail "no packages to check"
fi

step "Checking the arm64 packages"
for deb in "$out_dir"/*_arm64.deb; do
  [[ -f $deb ]] || continue
  contents=$(mktemp -d)
  dpkg-deb -x "$deb" "$contents"
  while IFS= read -r -d '' file; do
    header=$(readelf -h "$file" 2>/dev/null) || continue
    machine=$(sed -n 's/^ *Machine: *//p' <<<"$header")
    printf '  %-10s %s: %s\n' "$machine" "${deb##*/}" "${file#"$contents"}"
    [[ $machine == AArch64 ]] || fail "${deb##*/}: ${file#"$contents"} is built for '$machine'"
  done < <(find "$contents" -type f -print0)
  rm -rf "$contents"
  # Every dependency that is not one of these packages is a library package
  # that dpkg-shlibdeps found among the arm64 packages installed here.
  dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' | while read -r dependency; do
    [[ -z $dependency || -f $(echo "$out_dir/${dependency}"_*_arm64.deb) ]] && continue
    dpkg-query -W -f='${Status}' "$dependency:arm64" 2>/dev/null | grep -q 'install ok installed' ||
      { echo "FAILED: ${deb##*/} depends on $dependency, which is not an installed arm64 package" >&2; exit 1; }
  done || fail "${deb##*/}: dependencies"
done

step "The packages in $out_dir"
ls -l "$out_dir"
finish_checks "Packaging for ${architectures[*]}"
