# What the tests of the real window under Wine share: the X server (the run's, or one of
# their own), a work folder removed at the end, the program's start and end, and a wait
# for a log line. Sourced after
#   wine_env=...   the command that runs a command with the build tree's Wine set-up
# and the test's own `fail` (prints its message and exits 1).

source "$(dirname "${BASH_SOURCE[0]}")/../helpers/x_server.bash"

work=$(mktemp -d "${TMPDIR:-/tmp}/quorbin-window.XXXXXX")
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null && wait "$program" 2>/dev/null
    stop_x_server
    rm -rf "$work"
}
trap cleanup EXIT

display=$("$wine_env" sh -c 'echo "${DISPLAY:-}"')
[ -n "$display" ] || start_x_server "$work"
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

# wait_for_line FILE PATTERN SECONDS: waits until a line of FILE matches PATTERN.
wait_for_line() {
    local deadline=$((SECONDS + $3))
    until grep -q "$2" "$1" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "no \"$2\" in $1 after $3 s"
        sleep 0.1
    done
}
