#!/usr/bin/env bash
# Builds the Debian packages of a build tree with CPack and checks that each
# holds its files and declares its dependencies.
#   check_debian_packages.sh CPACK CPACK_CONFIG WORK_DIR
set -euo pipefail
cpack=$1 config=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
"$cpack" --config "$config" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }

failed=0
fail() { echo "FAILED: $*"; failed=1; }
package() {  # package NAME -> the one .deb of that package
  local found=("$work"/"$1"_*.deb)
  [[ ${#found[@]} == 1 && -f ${found[0]} ]] || { fail "no package $1 in $work"; return 1; }
  echo "${found[0]}"
}

# package | files it must hold | fields its control data must match
while IFS='|' read -r name files depends; do
  deb=$(package "$name") || continue
  listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
  for file in $files; do
    grep -qx "./$file" <<<"$listing" || fail "$name lacks $file"
  done
  for dependency in $depends; do
    dpkg-deb -f "$deb" Depends | grep -q "$dependency" || fail "$name does not depend on $dependency"
  done
done <<'TABLE'
krprof|usr/lib/libkrprof_host.so usr/bin/krprof|libkranalyzer1.10 libprotobuf32
krprof-dev|usr/include/krprof/tprf_common.h usr/include/krprof/tprf_host.h usr/include/krprof/tprf_kr_host.h usr/include/krprof/tprf_target.h usr/lib/pkgconfig/krprof.pc usr/lib/cmake/krprof/krprofConfig.cmake|krprof
krprof-kranalyzer-standin|usr/lib/libkranalyzer.so.1.10|
TABLE

deb=$(package krprof-kranalyzer-standin) && { dpkg-deb -f "$deb" Provides | grep -q libkranalyzer1.10 || fail "the stand-in does not provide libkranalyzer1.10"; }
((failed == 0)) && echo "ok: three packages with their files and dependencies"
exit "$failed"
