#!/usr/bin/env bash
# krprof's subcommands end to end on files: exit statuses, exact image bytes,
# evaluation results, dumps parsed back by protobuf's own parsers.
#
#   krprof_subcommands_test.sh KRPROF DUMP_ROUNDTRIP_CHECK
#
# KRPROF_TEST_EMULATOR, when set, runs both programs (cross builds);
# KRPROF_TEST_VERSION is the version krprof --version must print.
set -u

emulator=()
if [[ -n "${KRPROF_TEST_EMULATOR:-}" ]]; then read -r -a emulator <<<"$KRPROF_TEST_EMULATOR"; fi
krprof=("${emulator[@]}" "$1")
roundtrip_check=("${emulator[@]}" "$2")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Writes the hex pairs given after the file name as raw bytes.
write_bytes() {
  local file=$1 escaped=""
  shift
  for pair in "$@"; do escaped+="\\x$pair"; done
  printf "$escaped" >"$file"
}

# Hex pairs of a file on one line, as the tables below write them.
hex_of() { od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
one_line() { tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

config_hex="0a 3d 0a 3b 08 ff 01 20 06 2a 19 0a 15 66 62 5f 73 75 62 70 30 5f 72 65 61 64 5f 73 65 63 74 6f 72 73 10 09 2a 19 0a 15 66 62 5f 73 75 62 70 31 5f 72 65 61 64 5f 73 65 63 74 6f 72 73 10 0a"
prefix_hex="0a 0a 08 06 10 ff 01 18 ff 01 20 02"
group_hex="10 06 1a 02 09 0a 20 01 28 01 32 03 64 c8 01"

# Counter-data images: one range of one group image each, and broken ones.
write_bytes image.bin 2a 11 12 0f $group_hex
write_bytes unpacked.bin 2a 11 12 0f 10 06 18 09 18 0a 20 01 28 01 30 64 30 c8 01
write_bytes twelve_readings.bin 2a 18 12 16 1a 02 09 0a 20 02 28 03 32 0c 01 02 03 04 05 06 07 08 09 0a 0b 0c
write_bytes truncated.bin 08
write_bytes bad_utf8.bin 2a 03 0a 01 ff
: >empty.bin

# --- Images from the library, as hex and as files ---------------------------
[[ $("${krprof[@]}" config-image | one_line) == "$config_hex" ]] || fail "config-image hex"
[[ $("${krprof[@]}" prefix | one_line) == "$prefix_hex" ]] || fail "prefix hex"
"${krprof[@]}" config-image -o config.bin && [[ $(hex_of config.bin) == "$config_hex" ]] || fail "config-image -o"
"${krprof[@]}" prefix -o prefix.bin && [[ $(hex_of prefix.bin) == "$prefix_hex" ]] || fail "prefix -o"

# --- Evaluation ---------------------------------------------------------------
while read -r file total; do
  [[ $("${krprof[@]}" eval "$file") == "$total" ]] || fail "eval $file should print $total"
done <<'TABLE'
image.bin 300
unpacked.bin 300
twelve_readings.bin 78
TABLE

# --- Exit status and the text expected in one output stream -----------------
# status | stream | fixed text | arguments
while IFS='|' read -r status stream text args; do
  [[ -z "$status" || "$status" == \#* ]] && continue
  status=${status// /} stream=${stream// /}
  text=${text#"${text%%[! ]*}"} text=${text%"${text##*[! ]}"}
  read -r -a argv <<<"$args"
  "${krprof[@]}" "${argv[@]}" >out.txt 2>err.txt
  actual=$?
  [[ $actual == "$status" ]] || fail "krprof ${argv[*]}: exit $actual, expected $status ($(cat err.txt))"
  output=out.txt
  [[ $stream == stderr ]] && output=err.txt
  grep -qF -- "$text" "$output" || fail "krprof ${argv[*]}: $stream lacks '$text'"
done <<'TABLE'
0 | stdout | usage: krprof COMMAND                          | --help
0 | stdout | usage: krprof config-image                     | config-image --help
0 | stdout | usage: krprof prefix                           | prefix --help
0 | stdout | usage: krprof eval                             | eval --help
0 | stdout | usage: krprof dump                             | dump --help
0 | stdout | usage: krprof demo                             | demo --help
0 | stdout | # configuration image (tprf.pbEventGroupSets)  | dump config.bin
0 | stdout | eventName: "fb_subp1_read_sectors"             | dump config.bin
0 | stdout | # counter-data prefix (tprf.pbCounterDataPrefix) | dump prefix.bin
0 | stdout | blockIdMask: 255                               | dump prefix.bin
0 | stdout | # counter-data image (tprf.pbCounterDataImage) | dump image.bin
0 | stdout | value: 200                                     | dump image.bin
0 | stdout | # counter-data image                           | dump empty.bin
0 | stdout | "eventNum": 2                                  | dump prefix.bin --json
0 | stdout | 1: 255                                         | dump config.bin --as image
1 | stderr | TPRA_STATUS_INTERNAL_ERROR                     | eval truncated.bin
1 | stderr | TPRA_STATUS_INTERNAL_ERROR                     | eval bad_utf8.bin
1 | stderr | the evaluation failed with TPRA_STATUS_        | eval empty.bin
1 | stderr | cannot read missing.bin                        | eval missing.bin
1 | stderr | cannot read missing.bin                        | dump missing.bin
1 | stderr | does not decode as a counter-data image, a configuration image or a counter-data prefix | dump truncated.bin
1 | stderr | name the kind with --as                        | dump bad_utf8.bin
1 | stderr | does not decode as a counter-data image        | dump bad_utf8.bin --as image
1 | stderr | cannot write no-such-dir/config.bin            | config-image -o no-such-dir/config.bin
2 | stderr | usage: krprof COMMAND                          |
2 | stderr | unknown command 'frobnicate'                   | frobnicate
2 | stderr | missing operand                                | eval
1 | stderr | krprof eval: cannot read other.bin             | eval image.bin other.bin
1 | stdout | image.bin: 300                                 | eval image.bin truncated.bin
1 | stderr | config.bin is a configuration image, not a counter-data image | eval config.bin
1 | stderr | prefix.bin is a counter-data prefix, not a counter-data image | eval prefix.bin
0 | stdout | usage: krprof check                            | check --help
0 | stdout | usage: krprof check                            | help check
0 | stdout | usage: krprof eval                             | help eval
0 | stdout | usage: krprof COMMAND                          | help
2 | stderr | unknown command 'frobnicate'                   | help frobnicate
2 | stderr | krprof help: unexpected operand dump           | help eval dump
0 | stdout | image.bin: counter-data image, 19 bytes: accepted, TPRA_STATUS_SUCCESS, total 300 | check image.bin
0 | stdout | accepted, the library's own configuration image | check config.bin
0 | stdout | accepted, the library's own counter-data prefix | check prefix.bin --as prefix
1 | stdout | bad_utf8.bin: counter-data image, 5 bytes: rejected, TPRA_STATUS_INTERNAL_ERROR | check bad_utf8.bin
1 | stdout | problem at offset 2, rangeDataImages[0].rangeName: invalid-utf8: | check bad_utf8.bin
1 | stdout | problem at offset 0, rangeDataImages: no-range: | check image.bin empty.bin
1 | stdout | problem at offset 0, maxNumRanges: truncated:  | check truncated.bin
1 | stdout | problem at offset 1, eventGroupSets[0]: differs: 0x0a where the library's configuration image has 0x3d | check prefix.bin --as config
1 | stderr | krprof check: cannot read missing.bin          | check image.bin missing.bin
2 | stderr | missing operand                                | check
2 | stderr | --as takes config, prefix or image             | check image.bin --as bogus
2 | stderr | unexpected operand extra                       | prefix extra
2 | stderr | unknown option --frob                          | demo --frob
2 | stderr | option -o needs a value                        | config-image -o
2 | stderr | --as takes config, prefix or image             | dump config.bin --as bogus
2 | stderr | --dpcs takes a count                           | demo --dpcs 0
2 | stderr | --instances takes a count                      | demo --instances many
TABLE

# --- check --json and eval --json: one object per file and line -------------
expected_check_json='{"file":"image.bin","kind":"counter-data-image","size":19,"status":"TPRA_STATUS_SUCCESS","ok":true,"total":300,"problems":[],"warnings":[]}
{"file":"bad_utf8.bin","kind":"counter-data-image","size":5,"status":"TPRA_STATUS_INTERNAL_ERROR","ok":false,"problems":[{"offset":2,"path":"rangeDataImages[0].rangeName","rule":"invalid-utf8","detail":"tprf.pbRangeDataImage.rangeName holds bytes that are not UTF-8"}],"warnings":[]}
{"file":"prefix.bin","kind":"counter-data-prefix","size":12,"status":null,"ok":true,"problems":[],"warnings":[]}'
actual=$("${krprof[@]}" check --json image.bin bad_utf8.bin prefix.bin 2>/dev/null)
[[ $? == 1 && "$actual" == "$expected_check_json" ]] || fail "check --json printed: $actual"
expected_eval_json='{"file":"image.bin","kind":"counter-data-image","size":19,"status":"TPRA_STATUS_SUCCESS","ok":true,"total":300}
{"file":"empty.bin","kind":"counter-data-image","size":0,"status":"TPRA_STATUS_INTERNAL_ERROR","ok":false}
{"file":"config.bin","kind":"config-image","size":63,"status":null,"ok":false}'
actual=$("${krprof[@]}" eval --json image.bin empty.bin config.bin 2>/dev/null)
[[ $? == 1 && "$actual" == "$expected_eval_json" ]] || fail "eval --json printed: $actual"

# --- protobuf's own report of a malformed string comes from the library alone --
# The tool's trial decodings stay quiet: dump writes none, check only the one
# of the library's evaluation.
"${krprof[@]}" dump bad_utf8.bin >/dev/null 2>err.txt
reports=$(grep -c 'contains invalid UTF-8' err.txt)
[[ $reports == 0 ]] || fail "dump bad_utf8.bin: $reports reports of protobuf's, expected none"
"${krprof[@]}" check bad_utf8.bin >/dev/null 2>err.txt
reports=$(grep -c 'contains invalid UTF-8' err.txt)
[[ $reports == 1 ]] || fail "check bad_utf8.bin: $reports reports of protobuf's, expected the library's one"

# --- Standard input, and standard output that cannot be written ---------------
[[ $("${krprof[@]}" eval - <image.bin) == 300 ]] || fail "eval - reads standard input"
"${krprof[@]}" check - <bad_utf8.bin 2>/dev/null | grep -qF -- '-: counter-data image, 5 bytes: rejected' ||
  fail "check - reads standard input"
"${krprof[@]}" dump - <prefix.bin | grep -qF 'eventNum: 2' || fail "dump - reads standard input"
if [[ -w /dev/full ]]; then
  for args in "eval image.bin" "config-image" "check image.bin" "dump --json image.bin" "help eval"; do
    read -r -a argv <<<"$args"
    "${krprof[@]}" "${argv[@]}" >/dev/full 2>err.txt
    status=$?
    [[ $status == 1 ]] && grep -qF 'cannot write to standard output' err.txt ||
      fail "krprof $args >/dev/full: exit $status, $(cat err.txt)"
  done
fi
"${krprof[@]}" dump --json image.bin >&- 2>err.txt
status=$?
[[ $status == 1 ]] && grep -qF 'cannot write to standard output' err.txt || fail "dump with stdout closed: exit $status"

# --- Inputs of 2^31 bytes or more are refused without being read --------------
truncate -s 3G huge.bin
"${krprof[@]}" eval huge.bin >out.txt 2>err.txt
[[ $? == 1 ]] && grep -qF 'huge.bin: too large: 3221225472 bytes' err.txt || fail "eval of a 3 GB file: $(cat err.txt)"
"${krprof[@]}" check --json huge.bin >out.txt 2>err.txt
grep -qF '"size":3221225472,"status":null,"ok":false,"problems":[{"offset":0,"path":"","rule":"too-large"' out.txt ||
  fail "check of a 3 GB file: $(cat out.txt err.txt)"
rm -f huge.bin
# A device without a size is read up to the limit only (2 GiB of memory;
# too slow under an emulator).
if [[ ${#emulator[@]} == 0 ]]; then
  timeout 300 "${krprof[@]}" eval /dev/zero >out.txt 2>err.txt
  [[ $? == 1 ]] && grep -qF '/dev/zero: too large: at least 2147483648 bytes' err.txt ||
    fail "eval /dev/zero: $(cat err.txt)"
fi

# --- The version, the project's --------------------------------------------
[[ $("${krprof[@]}" --version) == "krprof $KRPROF_TEST_VERSION" ]] || fail "--version should print krprof $KRPROF_TEST_VERSION"

# --- Dumps parsed back give the dumped bytes ----------------------------------
while read -r kind file; do
  for format in text json; do
    json_option=()
    [[ $format == json ]] && json_option=(--json)
    "${krprof[@]}" dump "$file" "${json_option[@]}" | "${roundtrip_check[@]}" "$kind" "$format" "$file" ||
      fail "dump $file as $format does not parse back to its bytes"
  done
done <<'TABLE'
config config.bin
prefix prefix.bin
image image.bin
image twelve_readings.bin
TABLE

# --- The demo: the evaluated total is the device's, and the saved image holds
# dpcNum x instanceNum x 2 readings ---------------------------------------------
"${krprof[@]}" demo --dpcs 3 --instances 5 -o demo.bin >demo.txt 2>demo.err || fail "demo exit status $?"
grep -q 'match$' demo.txt || fail "demo does not report a match: $(cat demo.txt)"
grep -q 'TPRA_STATUS_INTERNAL_ERROR$' demo.txt || fail "demo does not show the rejected image: $(cat demo.txt)"
grep -q ': evaluateToGpuValues failed\. pCounterDataImage:' demo.err || fail "demo shows no log line: $(cat demo.err)"
expected=$(sed -n 's/.*(expected \([0-9]*\)).*/\1/p' demo.txt)
[[ -n "$expected" && $("${krprof[@]}" eval demo.bin) == "$expected" ]] || fail "eval of the demo image"
"${krprof[@]}" dump demo.bin >demo_dump.txt || fail "dump of the demo image"
grep -qx '    dpcNum: 3' demo_dump.txt && grep -qx '    instanceNum: 5' demo_dump.txt || fail "demo image units"
[[ $(grep -c '^    value: ' demo_dump.txt) == 30 ]] || fail "demo image should hold 30 readings"
"${krprof[@]}" dump demo.bin --json | "${roundtrip_check[@]}" image json demo.bin || fail "demo image JSON"

if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
