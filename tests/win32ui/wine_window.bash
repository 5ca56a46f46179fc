# What the tests of the real window under Wine share: the X server (the run's, or one of
# their own), a work folder removed at the end, and waits for windows. Sourced after
#   wine_env=...   the command that runs a command with the build tree's Wine set-up
# and the test's own `fail` (prints its message and exits 1).

work=$(mktemp -d "${TMPDIR:-/tmp}/quorbin-window.XXXXXX")
program=""
xvfb=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null && wait "$program" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

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

# Starts quorbin.exe ($1) in the background, in folder $2.
start_program() {
    (cd "$2" && exec "$wine_env" env DISPLAY="$display" wine "$1" </dev/null >/dev/null 2>&1) &
    program=$!
}

# Asks the window to close and waits for the program to end.
close_program() {
    run wine "$winprobe" close Quorbin </dev/null || fail "the window could not be closed"
    wait "$program" || fail "quorbin.exe ended with $?"
    program=""
}

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

# wait_for_line FILE PATTERN SECONDS: waits until a line of FILE matches PATTERN.
wait_for_line() {
    local deadline=$((SECONDS + $3))
    until grep -q "$2" "$1" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "no \"$2\" in $1 after $3 s"
        sleep 0.1
    done
}
