#!/usr/bin/env bash
# A whole batch through the real quorbin.exe under Wine: the stored paths point at the
# stand-in processing program and a folder of two input files; the files are picked in
# the open-file dialog, Start is pressed, and once the batch has ended its transcript
# must be the one the Linux program leaves (tests/e2e/whole_batch.expected), with the
# log and the job scripts in code page 1252.
#
#   batch_test.sh WINE_ENV QUORBIN_EXE WINPROBE_EXE STANDIN_EXE
set -euo pipefail
wine_env=$1
quorbin=$2
winprobe=$3
standin=$4
here=$(dirname "$0")

fail() {
    echo "batch test: $*" >&2
    exit 1
}
source "$here/wine_window.bash"
source "$here/../e2e/whole_batch.bash"

folder="$work/$batch_folder_name"
make_batch_folder "$folder"
windows_name() { run wine winepath -w "$1" </dev/null 2>/dev/null | tr -d '\r'; }
folder_seen="$(windows_name "$folder")\\"
standin_seen=$(windows_name "$standin")
store() { run wine reg add "HKCU\\Software\\quorbin\\$1" /v "$2" /d "$3" /f </dev/null >/dev/null 2>&1; }
run wine reg delete 'HKCU\Software\quorbin' /f </dev/null >/dev/null 2>&1 || true
store file exePath "$standin_seen"
store file vcfPath "${folder_seen}job.vcf"
store file avsPath "${folder_seen}template.avs"
store file aviPath "$folder_seen"

start_program "$quorbin" "$work"
x_window_named Quorbin >/dev/null
run wine "$winprobe" click Quorbin "Select AVI" </dev/null || fail "Select AVI could not be pressed"
run wine "$winprobe" pick "Select AVI Files" '"a.avi" "b c.avi"' </dev/null || fail "no files could be picked"
x_window_named Quorbin >/dev/null
run wine "$winprobe" click Quorbin Start </dev/null || fail "Start could not be pressed"
# Each file takes three settle times of 11 s: running, done, killed.
wait_for_line "$folder/quorbin.log" IDLE 150
close_program

batch_transcript "$folder" "$folder_seen" "$standin_seen" CP1252 >"$work/transcript"
compare_transcript "$here/../e2e/whole_batch.expected" "$work/transcript"
echo "batch test: passed"
