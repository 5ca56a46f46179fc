#!/usr/bin/env bash
# A batch survives the tool: the real program runs a batch on an X server of its own
# and is killed (SIGKILL) while its first job runs; started again, it offers the batch
# back, Yes ends the job it left running, and Start goes on from the interrupted file.
#
#   restart_batch_test.sh QUORBIN FAKEPROC
# Exits with 77 (skipped) when Xvfb or xdotool is missing.
set -euo pipefail
quorbin=$1
fakeproc=$2
here=$(dirname "$0")
source "$here/../helpers/x_server.bash"

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || {
        echo "restart test skipped: $tool not found"
        exit 77
    }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorbin-restart.XXXXXX")
program=""
cleanup() {
    if [ -n "$program" ]; then
        kill -9 "$program" 2>/dev/null || true
        wait "$program" 2>/dev/null || true
    fi
    if [ -f "$work/clips/job.pid" ]; then
        kill -9 "$(cat "$work/clips/job.pid")" 2>/dev/null || true
    fi
    stop_x_server
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "restart test: $*" >&2
    [ -f "$work/clips/quorbin.log" ] && cat "$work/clips/quorbin.log" >&2
    exit 1
}

start_x_server "$work"
export DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
unset WAYLAND_DISPLAY

# Each job writes its process id and grows its output until it is ended.
folder="$work/clips"
mkdir -p "$folder" "$XDG_CONFIG_HOME/quorbin"
: >"$folder/a.avi"
: >"$folder/b.avi"
: >"$folder/job.vcf"
printf 'Open("$FILE")\n# steps=-1\n# rate=10\n# interval_ms=200\n# pidfile=job.pid\n' >"$folder/template.avs"
printf '[file]\nexePath=%s\nvcfPath=%s\navsPath=%s\naviPath=%s\n' \
    "$fakeproc" "$folder/job.vcf" "$folder/template.avs" "$folder/" >"$XDG_CONFIG_HOME/quorbin/quorbin.conf"

start_quorbin() {
    (cd "$work" && exec "$quorbin" </dev/null >/dev/null 2>>"$work/stderr") &
    program=$!
}
wait_for() { # wait_for SECONDS WHAT COMMAND...
    local deadline=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do
        ((SECONDS < deadline)) || fail "$what"
        sleep 0.1
    done
}
runs() { kill -0 "$1" 2>/dev/null && [ "$(ps -o stat= -p "$1" | cut -c1)" != Z ]; }
not_runs() { ! runs "$1"; }
launched() { [ "$(grep -c "RUN process:[1-9][0-9]* file:$1" "$folder/quorbin.log" 2>/dev/null)" -ge "$2" ]; }

start_quorbin
window=$(x_window_named Quorbin "$program")
click_control "$window" 150 2250 1425 345 # Select AVI
dialog=$(x_window_named "Select AVI Files" "$program")
xdotool windowfocus --sync "$dialog"
xdotool type --delay 20 '"a.avi" "b.avi"'
xdotool key Return
wait_for 20 "the open-file dialog did not take the names" \
    bash -c "! xdotool search --onlyvisible --name '^Select AVI Files$' >/dev/null 2>&1"
click_control "$window" 150 6150 1425 345 # Start
wait_for 20 "a.avi was not launched" launched a.avi 1
wait_for 20 "the job wrote no process id" test -s "$folder/job.pid"
job=$(cat "$folder/job.pid")

kill -9 "$program"
wait "$program" 2>/dev/null || true
program=""
runs "$job" || fail "the job ended with the tool"
grep -q '^mode 1$' "$XDG_STATE_HOME"/quorbin/*.batch || fail "no record of the running batch"

start_quorbin
box=$(x_window_named quorbin "$program")
xdotool windowfocus --sync "$box"
xdotool key Return # Yes
wait_for 20 "Yes did not end the job the killed tool left running" not_runs "$job"
window=$(x_window_named Quorbin "$program")
rm -f "$folder/job.pid"
click_control "$window" 150 6150 1425 345 # Start
wait_for 20 "Start did not go on from the interrupted file" launched a.avi 2
grep -q "file:b.avi" "$folder/quorbin.log" && fail "b.avi ran before the interrupted a.avi"
click_control "$window" 150 7320 1425 345 # Abort
wait_for 20 "Abort did not end the job" grep -q "KILL process:[1-9][0-9]* result:1" "$folder/quorbin.log"
echo "restart test: passed"
