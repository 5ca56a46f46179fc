#!/usr/bin/env bash
# The real quorbin.exe under Wine, on an X server: the window "Quorbin" opens, Start on
# an empty list shows the box "No AVI files are selected." captioned "quorbin", and
# quorbin.log in the working folder holds START, the error line and IDLE, each ending
# in CR LF.
#
#   window_test.sh WINE_ENV QUORBIN_EXE WINPROBE_EXE
#
# WINE_ENV runs a command with the build tree's Wine set-up (prefix, and the display of
# the run's X server when the run has one; otherwise this test starts its own).
set -euo pipefail
wine_env=$1
quorbin=$2
winprobe=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/quorbin-window.XXXXXX")
program=""
xvfb=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null && wait "$program" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "window test: $*" >&2
    exit 1
}

display=$("$wine_env" sh -c 'echo "${DISPLAY:-}"')
if [ -z "$display" ]; then
    mkfifo "$work/display"
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" </dev/null >/dev/null 2>&1 &
    xvfb=$!
    number=""
    read -r -t 20 number <"$work/display" || true
    [ -n "$number" ] || fail "the X server did not start"
    display=":$number"
fi
export DISPLAY=$display
run() { "$wine_env" env DISPLAY="$display" "$@"; }

# Waits for a visible X window whose name is exactly the given one (xdotool matches
# names ignoring case, and the box "quorbin" must not pass for the window "Quorbin").
wait_for_x_window() {
    local deadline=$((SECONDS + 20)) window
    while ((SECONDS < deadline)); do
        for window in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$1" ] && return 0
        done
        sleep 0.05
    done
    fail "no visible X window named \"$1\""
}

# A start with nothing stored: the box of the missing template comes first.
run wine reg delete 'HKCU\Software\quorbin' /f </dev/null >/dev/null 2>&1 || true
(cd "$work" && exec "$wine_env" env DISPLAY="$display" wine "$quorbin" </dev/null >/dev/null 2>&1) &
program=$!
run wine "$winprobe" answer quorbin </dev/null >"$work/first-box" || fail "no box at start-up"
wait_for_x_window Quorbin

run wine "$winprobe" click Quorbin Start </dev/null || fail "Start could not be pressed"
wait_for_x_window quorbin
run wine "$winprobe" answer quorbin </dev/null >"$work/box" || fail "no box after Start"
[ "$(tr -d '\r' <"$work/box")" = "No AVI files are selected." ] || fail "the box said: $(cat "$work/box")"

# IDLE is logged once the box is closed.
deadline=$((SECONDS + 20))
until grep -q "IDLE" "$work/quorbin.log" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "no IDLE in quorbin.log"
    sleep 0.05
done
stamp='[0-9]{2}:[0-9]{2}:[0-9]{2} \([0-9:-]{8}\) '
expected=("START" "ERROR no AVI files selected" "IDLE")
mapfile -t lines <"$work/quorbin.log"
((${#lines[@]} == 3)) || fail "quorbin.log has ${#lines[@]} lines: $(cat -A "$work/quorbin.log")"
for i in 0 1 2; do
    [[ ${lines[$i]} =~ ^${stamp}${expected[$i]}$'\r'$ ]] ||
        fail "line $((i + 1)) of quorbin.log is not \"${expected[$i]}\" ending in CR LF: $(printf '%q' "${lines[$i]}")"
done

run wine "$winprobe" close Quorbin </dev/null || fail "the window could not be closed"
wait "$program" || fail "quorbin.exe ended with $?"
program=""
echo "window test: passed"
