#!/usr/bin/env bash
# quorbin-run over the stand-in program: one part of the test per call.
#   usage    usage and set-up errors: exit status 2 and the message that says which
#   signals  SIGINT and SIGTERM abort the job: its program ends, ABORT and the kill line
#            are logged, the summary says so, the status is 130 or 143
#   batch    two files in the order given, one exiting with 1: the same log on standard
#            output and in --log, the script in --script-folder, the summary, status 1,
#            and the window's stored settings untouched (about 70 s)
#   not-started  a program that cannot be started: the file ends as not started and the
#            runner ends (about 35 s)
#
#   runner_test.sh QUORBIN_RUN FAKEPROC PART
set -euo pipefail
runner=$1
fakeproc=$2
part=$3
source "$(dirname "$0")/runner_folder.bash"

work=$(mktemp -d "${TMPDIR:-/tmp}/quorbin-runner.XXXXXX")
background=""
cleanup() {
    [ -z "$background" ] || { kill -KILL "$background" 2>/dev/null; wait "$background" 2>/dev/null; }
    [ ! -s "$work/program.pid" ] || kill -KILL "-$(cat "$work/program.pid")" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "runner test ($part): $*" >&2
    for f in "$work"/out "$work"/err; do [ ! -s "$f" ] || { echo "--- $f" >&2; cat "$f" >&2; }; done
    exit 1
}

# The window's settings, in a home of the test's own; no bus to keep the machine awake.
export XDG_CONFIG_HOME=$work/config DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
export DBUS_SYSTEM_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS
store() {
    mkdir -p "$XDG_CONFIG_HOME/quorbin"
    printf '[file]\nexePath=%s\nvcfPath=%s\navsPath=%s\n[setting]\ntimeout=%s\n' "$@" \
        >"$XDG_CONFIG_HOME/quorbin/quorbin.conf"
}
folder=$work/clips
make_runner_folder "$folder" "a.avi=" "b.avi=exit=1" "hang.avi=pidfile=$work/program.pid;hang"

case $part in
usage)
    mkdir "$work/other" && : >"$work/other/c.avi"
    # stored: program, settings, template, time-out | the command line | status | what it says
    rows=(
        "$fakeproc|$folder/job.vcf|$folder/template.avs|60|--timeout 0 $folder/a.avi|2|--timeout 0 is not a number of minutes above 0"
        "$fakeproc|$folder/job.vcf|$folder/template.avs|60|--bogus $folder/a.avi|2|there is no option --bogus"
        "$fakeproc|$folder/job.vcf|$folder/template.avs|60||2|no file to process is given"
        "$fakeproc|$folder/job.vcf|$folder/template.avs|60|--parallel 2 $folder/a.avi|2|--parallel goes with --slurm"
        "$fakeproc|$folder/job.vcf|$folder/template.avs|60|$folder/missing.avi|2|the file to process: Cannot measure \"$folder/missing.avi\": No such file or directory"
        "$fakeproc|$folder/job.vcf|$folder/template.avs|60|$folder/a.avi $work/other/c.avi|2|must all come from one folder"
        "$fakeproc|$folder/job.vcf|$folder/template.avs|60|$folder/a.avi $folder/a.avi|2|the file $folder/a.avi is given twice"
        "$fakeproc|$folder/job.vcf|||$folder/a.avi|2|no template is chosen: give --template"
        "$fakeproc|$folder/job.vcf|$work/gone.avs|60|$folder/a.avi|2|the template: Cannot read \"$work/gone.avs\""
        "$work/gone|$folder/job.vcf|$folder/template.avs|60|$folder/a.avi|2|the program: Cannot measure \"$work/gone\""
        "$fakeproc|$folder/job.vcf|$folder/template.avs|abc|$folder/a.avi|2|the stored time-out \"abc\" reads as 0 minutes"
        "$fakeproc|$folder/job.vcf|$folder/template.avs|60|--help|0|usage: quorbin-run"
    )
    for row in "${rows[@]}"; do
        IFS='|' read -r exe vcf avs timeout arguments expected said <<<"$row"
        store "$exe" "$vcf" "$avs" "$timeout"
        read -ra words <<<"$arguments"
        run_bounded 20 "$work/out" "$work/err" "$runner" "${words[@]}"
        [ "$status" = "$expected" ] || fail "\"$arguments\" ended with $status, not $expected"
        grep -qF -- "$said" "$work/out" "$work/err" || fail "\"$arguments\" did not say: $said"
    done
    ;;
signals)
    store "$fakeproc" "$folder/job.vcf" "$folder/template.avs" 60
    for signal in INT:130 TERM:143; do
        rm -f "$work/program.pid"
        "$runner" "$folder/hang.avi" >"$work/out" 2>"$work/err" </dev/null &
        background=$!
        for _ in $(seq 200); do [ -s "$work/program.pid" ] && break; sleep 0.05; done
        [ -s "$work/program.pid" ] || fail "the program did not start"
        kill "-${signal%:*}" "$background"
        status=0
        wait "$background" || status=$?
        background=""
        [ "$status" = "${signal#*:}" ] || fail "SIG${signal%:*} ended the runner with $status"
        program=$(cat "$work/program.pid")
        ! kill -0 "$program" 2>/dev/null || fail "SIG${signal%:*} left the program $program running"
        messages "$work/out" | tail -n 3 | diff -u <(printf 'ABORT\nKILL process:%s result:1\n1 file: 1 aborted (hang.avi)\n' "$program") - ||
            fail "SIG${signal%:*}: not the end expected"
    done
    ;;
batch)
    store "$fakeproc" "" "" 60
    cp "$XDG_CONFIG_HOME/quorbin/quorbin.conf" "$work/stored"
    mkdir "$work/scripts"
    printf '# record=%s\n' "$work/jobs.txt" >>"$folder/template.avs"
    run_bounded 150 "$work/out" "$work/err" "$runner" --settings "$folder/job.vcf" --template "$folder/template.avs" \
        --timeout 5 --script-folder "$work/scripts" --log "$work/run.log" "$folder/b.avi" "$folder/a.avi"
    [ "$status" = 1 ] || fail "ended with $status, not 1"
    [ "$(tail -n 1 "$work/out")" = "2 files: 1 finished, 1 exited with code 1 (b.avi)" ] || fail "not the summary expected"
    diff -u <(head -n -1 "$work/out") <(tr -d '\r' <"$work/run.log") || fail "standard output and --log differ"
    [ "$(grep -o 'file:.*' "$work/out" | tr '\n' ' ')" = "file:b.avi file:a.avi " ] || fail "not run in the order given"
    [ "$(grep -c "^$work/scripts/quorbin.avs\$" "$work/jobs.txt")" = 2 ] || fail "the command line does not name the script folder's script"
    for left in quorbin.log quorbin.avs; do
        [ ! -e "$folder/$left" ] || fail "$left was written to the files' folder"
    done
    [ -s "$folder/aP.avi" ] && [ -s "$folder/bP.avi" ] || fail "an output is missing"
    cmp -s "$work/stored" "$XDG_CONFIG_HOME/quorbin/quorbin.conf" || fail "the window's stored settings changed"
    ;;
not-started)
    cp "$fakeproc" "$work/program" && chmod -x "$work/program"
    store "$work/program" "$folder/job.vcf" "$folder/template.avs" 60
    run_bounded 90 "$work/out" "$work/err" "$runner" "$folder/a.avi"
    [ "$status" = 1 ] || fail "ended with $status, not 1"
    grep -q "could not be started" "$work/err" || fail "no reason on standard error"
    messages "$work/out" | grep -vx "$work/program .*" | diff -u - <(printf '%s\n' START "RUN process:0 file:a.avi" DONE \
        "COMPLETE all files processed" "KILL process:0 result:0" "COMPLETE all files processed" IDLE \
        "1 file: 1 not started (a.avi)") || fail "not the lines expected"
    ;;
*) fail "no part $part" ;;
esac
echo "runner test ($part): passed"
