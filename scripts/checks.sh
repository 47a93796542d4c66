# Sourced by the scripts that run a series of checks: prints each step with the
# seconds since the script started, collects failed checks instead of stopping
# at the first, and ends with their list.
#   step TEXT            starts a step
#   fail TEXT            records a failed check and goes on
#   finish_checks WHAT   exits 1 listing the failures, or says WHAT passed

failed_checks=()

step() { printf '\n==> [%4ds] %s\n' "$SECONDS" "$*"; }

fail() {
  printf 'FAILED: %s\n' "$*" >&2
  failed_checks+=("$*")
}

finish_checks() {
  step "Done"
  if ((${#failed_checks[@]} > 0)); then
    printf '%s failed %d check(s):\n' "$1" "${#failed_checks[@]}" >&2
    printf '  - %s\n' "${failed_checks[@]}" >&2
    exit 1
  fi
  echo "$1 passed in ${SECONDS}s"
}
