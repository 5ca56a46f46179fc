#!/usr/bin/env bash
# A batch survives the tool under Wine: quorbin.exe runs a batch whose first job holds
# on, and is ended by TerminateProcess as a crash would end it; started again, it offers
# the batch back, Yes ends the job it left running, and Start goes on from the
# interrupted file.
#
#   restart_test.sh WINE_ENV QUORBIN_EXE WINPROBE_EXE STANDIN_EXE
set -euo pipefail
wine_env=$1
quorbin=$2
winprobe=$3
standin=$4
here=$(dirname "$0")

fail() {
    echo "restart test: $*" >&2
    [ -f "${folder:-}/quorbin.log" ] && cat "$folder/quorbin.log" >&2
    exit 1
}
source "$here/wine_window.bash"

folder="$work/clips"
mkdir -p "$folder"
: >"$folder/a.avi"
: >"$folder/b.avi"
: >"$folder/job.vcf"
printf 'AVISource("$FILE")\r\n# hold\r\n' >"$folder/template.avs"
windows_name() { run wine winepath -w "$1" </dev/null 2>/dev/null | tr -d '\r'; }
folder_seen="$(windows_name "$folder")\\"
store() { run wine reg add "HKCU\\Software\\quorbin\\$1" /v "$2" /d "$3" /f </dev/null >/dev/null 2>&1; }
run wine reg delete 'HKCU\Software\quorbin' /f </dev/null >/dev/null 2>&1 || true
store file exePath "$(windows_name "$standin")"
store file vcfPath "${folder_seen}job.vcf"
store file avsPath "${folder_seen}template.avs"
store file aviPath "$folder_seen"
forget_records() { run wine cmd /c 'rmdir /s /q "%LOCALAPPDATA%\Quorbin"' </dev/null >/dev/null 2>&1 || true; }
forget_records
trap 'forget_records; cleanup' EXIT
probe() { run wine "$winprobe" "$@" </dev/null; }
launches_of() { grep -c "RUN process:[1-9][0-9]* file:$1" "$folder/quorbin.log" 2>/dev/null || true; }

start_program "$quorbin" "$work"
x_window_named Quorbin >/dev/null
probe click Quorbin "Select AVI" || fail "Select AVI could not be pressed"
probe pick "Select AVI Files" '"a.avi" "b.avi"' || fail "no files could be picked"
x_window_named Quorbin >/dev/null
probe click Quorbin Start || fail "Start could not be pressed"
wait_for_line "$folder/quorbin.log" "file:a.avi" 30
deadline=$((SECONDS + 30))
until [ -s "$folder/job.pid" ]; do
    ((SECONDS < deadline)) || fail "the job wrote no process id"
    sleep 0.1
done
job=$(cat "$folder/job.pid")
probe terminate Quorbin || fail "quorbin.exe could not be ended"
wait "$program" 2>/dev/null || true
program=""
probe alive "$job" || fail "the job ended with the tool"

start_program "$quorbin" "$work"
question=$(probe yes quorbin) || fail "no question at the start"
[[ $question == *"was interrupted at a.avi, with 0 done"*"still running"* ]] || fail "asked: $question"
deadline=$((SECONDS + 30))
while probe alive "$job"; do
    ((SECONDS < deadline)) || fail "Yes did not end the job the ended tool left running"
    sleep 0.1
done
rm -f "$folder/job.pid"
x_window_named Quorbin >/dev/null
probe click Quorbin Start || fail "Start could not be pressed"
deadline=$((SECONDS + 30))
until [ "$(launches_of a.avi)" -ge 2 ]; do
    ((SECONDS < deadline)) || fail "Start did not go on from the interrupted file"
    sleep 0.1
done
[ "$(launches_of b.avi)" -eq 0 ] || fail "b.avi ran before the interrupted a.avi"
probe click Quorbin Abort || fail "Abort could not be pressed"
wait_for_line "$folder/quorbin.log" "ABORT" 30
wait_for_line "$folder/quorbin.log" "IDLE" 30
close_program
echo "restart test: passed"
