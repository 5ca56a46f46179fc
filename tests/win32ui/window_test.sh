#!/usr/bin/env bash
# The real quorbin.exe under Wine, on an X server: the window "Quorbin" opens, its menu
# command Batch > Open the log file reaches the core (before any Start there is no log
# yet, and a box says so), Start on an empty list shows the box "No AVI files are
# selected." captioned "quorbin", and quorbin.log in the working folder holds START, the
# error line and IDLE, each ending in CR LF.
#
#   window_test.sh WINE_ENV QUORBIN_EXE WINPROBE_EXE
#
# WINE_ENV runs a command with the build tree's Wine set-up (prefix, and the display of
# the run's X server when the run has one; otherwise this test starts its own).
set -euo pipefail
wine_env=$1
quorbin=$2
winprobe=$3

fail() {
    echo "window test: $*" >&2
    exit 1
}
source "$(dirname "$0")/wine_window.bash"

# A start with nothing stored: the box of the missing template comes first.
run wine reg delete 'HKCU\Software\quorbin' /f </dev/null >/dev/null 2>&1 || true
start_program "$quorbin" "$work"
run wine "$winprobe" answer quorbin </dev/null >"$work/first-box" || fail "no box at start-up"
x_window_named Quorbin >/dev/null

# Alt+B, O: Batch > Open the log file, as the user types it.
xdotool windowfocus --sync "$(x_window_named Quorbin)" key alt+b o || fail "the menu could not be typed"
run wine "$winprobe" answer quorbin </dev/null >"$work/log-box" || fail "no box after Open the log file"
grep -q "There is no log file" "$work/log-box" || fail "Open the log file said: $(cat "$work/log-box")"

run wine "$winprobe" click Quorbin Start </dev/null || fail "Start could not be pressed"
x_window_named quorbin >/dev/null
run wine "$winprobe" answer quorbin </dev/null >"$work/box" || fail "no box after Start"
[ "$(tr -d '\r' <"$work/box")" = "No AVI files are selected." ] || fail "the box said: $(cat "$work/box")"

# IDLE is logged once the box is closed.
wait_for_line "$work/quorbin.log" IDLE 20
stamp='[0-9]{2}:[0-9]{2}:[0-9]{2} \([0-9:-]{8}\) '
expected=("START" "ERROR no AVI files selected" "IDLE")
mapfile -t lines <"$work/quorbin.log"
((${#lines[@]} == 3)) || fail "quorbin.log has ${#lines[@]} lines: $(cat -A "$work/quorbin.log")"
for i in 0 1 2; do
    [[ ${lines[$i]} =~ ^${stamp}${expected[$i]}$'\r'$ ]] ||
        fail "line $((i + 1)) of quorbin.log is not \"${expected[$i]}\" ending in CR LF: $(printf '%q' "${lines[$i]}")"
done

close_program
echo "window test: passed"
