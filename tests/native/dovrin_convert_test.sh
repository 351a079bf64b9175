#!/usr/bin/env bash
# dovrin-convert run as a process: the bytes it writes, its exit status and its
# messages. Usage: dovrin_convert_test.sh SAMPLES_DIR VERSION COMMAND...
# (COMMAND is the program, after `wine` for the Windows build).
set -uo pipefail
samples=$1 version=$2
shift 2
tool=("$@")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

fail() {
    echo "FAIL $case: $*"
    failures=$((failures + 1))
}

# run [ARG...]: runs the tool with $tmp/stdin as its input; leaves $tmp/out,
# $tmp/err and $status.
run() {
    "${tool[@]}" "$@" <"$tmp/stdin" >"$tmp/out" 2>"$tmp/err"
    status=$?
}

expect_status() { [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"; }
expect_out() { cmp -s "$tmp/out" "$1" || fail "output differs from $1: $(od -c "$tmp/out" | head -5)"; }
expect_no_out() { [ ! -s "$tmp/out" ] || fail "unexpected output: $(head -c 200 "$tmp/out")"; }
expect_no_err() { [ ! -s "$tmp/err" ] || fail "unexpected message: $(cat "$tmp/err")"; }
# One line on stderr that begins with the text given.
expect_message() {
    local lines
    lines=$(wc -l <"$tmp/err")
    [ "$lines" -eq 1 ] || fail "$lines lines on stderr: $(cat "$tmp/err")"
    [[ "$(cat "$tmp/err")" == "$1"* ]] || fail "message \"$(cat "$tmp/err")\", expected \"$1...\""
}

: >"$tmp/stdin"

case=sample_report
run "$samples/pro100-report.txt"
expect_status 0
expect_out "$samples/pro100-report.cutting3.txt"
expect_no_err

case=standard_input_with_material_and_rotation
printf 'p1\tp2\tp3\tp4\tp5\tp6\tp7\r\n\r\nq1\tq2\nlast' >"$tmp/stdin"
printf '%s\r\n' $'M 2\tp2\tp4\tp7\t1\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD' \
    $'M 2\tq2\t\t\t1\t\tFalse\tFalse\tFalse\tFalse\tFalse\tq1\tD' \
    $'M 2\t\t\t\t1\t\tFalse\tFalse\tFalse\tFalse\tFalse\tlast\tD' >"$tmp/expected"
run --material 'M 2' --rotate
expect_status 0
expect_out "$tmp/expected"
expect_no_err
: >"$tmp/stdin"

case=input_longer_than_one_read
for _ in $(seq 300); do cat "$samples/pro100-report.txt"; done >"$tmp/long.txt"
for _ in $(seq 300); do cat "$samples/pro100-report.cutting3.txt"; done >"$tmp/expected"
run "$tmp/long.txt"
expect_status 0
expect_out "$tmp/expected"
expect_no_err

case=empty_input
run
expect_status 0
expect_no_out
expect_no_err

case=help
run --help
expect_status 0
[[ "$(head -n 1 "$tmp/out")" == "Usage: dovrin-convert [--material TEXT] [--rotate] [INPUT]"* ]] ||
    fail "help begins with \"$(head -n 1 "$tmp/out")\""
expect_no_err

case=version
run --version
expect_status 0
printf 'dovrin-convert %s\n' "$version" >"$tmp/expected"
expect_out "$tmp/expected"
expect_no_err

for bad in "--bogus" "--material" "one two" "-x" "-"; do
    case="bad_usage ($bad)"
    # shellcheck disable=SC2086 # the words are the arguments
    run $bad
    expect_status 2
    expect_no_out
    expect_message "dovrin-convert: "
done

case=missing_input
run "$tmp/missing.txt"
expect_status 1
expect_no_out
expect_message "dovrin-convert: cannot read $tmp/missing.txt: "

case=directory_as_input
run "$tmp"
expect_status 1
expect_no_out
expect_message "dovrin-convert: cannot read $tmp: "

case=output_that_cannot_be_written
"${tool[@]}" "$samples/pro100-report.txt" >/dev/full 2>"$tmp/err"
status=$?
expect_status 1
expect_message "dovrin-convert: cannot write the output: "

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
