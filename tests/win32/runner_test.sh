#!/usr/bin/env bash
# quorbin-run.exe under Wine, as a console program: a batch of one file through the
# stand-in program, which exits with 0, ends with status 0, its log lines and the summary
# on standard output and in quorbin.log; a usage error ends with 2 and says which. About
# 40 s.
#
#   runner_test.sh WINE_ENV QUORBIN_RUN_EXE STANDIN_EXE
set -euo pipefail
wine_env=$1
runner=$2
standin=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/quorbin-win-runner.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
    echo "win32 runner test: $*" >&2
    for f in "$work/out" "$work/err"; do [ ! -s "$f" ] || { echo "--- $f" >&2; cat "$f" >&2; }; done
    exit 1
}
windows_name() { "$wine_env" wine winepath -w "$1" </dev/null 2>/dev/null | tr -d '\r'; }
run_runner() {
    status=0
    timeout --kill-after=5 120 "$wine_env" wine "$runner" "$@" </dev/null >"$work/out" 2>"$work/err" || status=$?
    ((status != 124 && status != 137)) || fail "quorbin-run.exe did not end within 120 s"
}

folder=$work/clips
mkdir "$folder"
: >"$folder/a.avi"
: >"$folder/job.vcf"
printf 'AVISource("$FILE")\r\n' >"$folder/template.avs"
run_runner --program "$(windows_name "$standin")" --settings "$(windows_name "$folder/job.vcf")" \
    --template "$(windows_name "$folder/template.avs")" --timeout 5 "$(windows_name "$folder/a.avi")"
[ "$status" = 0 ] || fail "the batch ended with $status, not 0"
tr -d '\r' <"$work/out" >"$work/lines"
[ "$(tail -n 1 "$work/lines")" = "1 file: 1 finished" ] || fail "not the summary expected"
grep -q ') EXIT code:0$' "$work/lines" || fail "no EXIT line on standard output"
diff -u <(head -n -1 "$work/lines") <(iconv -f CP1252 -t UTF-8 "$folder/quorbin.log" | tr -d '\r') ||
    fail "standard output and quorbin.log differ"
[ "$(stat -c %s "$folder/aP.avi")" = 3000 ] || fail "no output of 3000 bytes"

run_runner --timeout soon "$(windows_name "$folder/a.avi")"
[ "$status" = 2 ] || fail "a bad time-out ended with $status, not 2"
grep -q "usage error: --timeout soon is not a number of minutes above 0" "$work/err" || fail "the bad time-out was not named"
echo "win32 runner test: passed"
