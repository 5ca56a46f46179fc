# What the shell tests that drive a real window share: a private X server, and waiting
# for a window on it. Sourced by a test that defines `fail` (prints its message and
# exits 1).

# start_x_server FOLDER: starts Xvfb, which names its display through a pipe in FOLDER
# once it accepts clients; sets xvfb (its process) and display (":N").
start_x_server() {
    mkfifo "$1/display"
    Xvfb -displayfd 3 -noreset -nolisten tcp -dpi 96 -screen 0 1280x1024x24 3>"$1/display" \
        </dev/null >/dev/null 2>&1 &
    xvfb=$!
    local number=""
    read -r -t 20 number <"$1/display" || true
    [ -n "$number" ] || fail "the X server did not start"
    display=":$number"
}

stop_x_server() {
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    xvfb=""
}

# x_window_named NAME [PROCESS]: prints the id of the visible X window named exactly
# NAME, once there is one (20 s at most; fails at once should PROCESS end first).
# xdotool matches names ignoring case, and the box "quorbin" must not pass for the
# window "Quorbin".
x_window_named() {
    local deadline=$((SECONDS + 20)) window
    while ((SECONDS < deadline)); do
        [ -z "${2:-}" ] || kill -0 "$2" 2>/dev/null || fail "the program ended before a window \"$1\" appeared"
        for window in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$1" ] && echo "$window" && return 0
        done
        sleep 0.05
    done
    fail "no visible X window named \"$1\""
}

# click_control WINDOW LEFT TOP WIDTH HEIGHT: clicks the middle of a control given in twips
# of the client area, the window's lower 8880 twips under the menu bar; the window has no
# frame on a server without a window manager, and 96 dots an inch make 15 twips.
click_control() {
    local height menu_bar
    height=$(xdotool getwindowgeometry --shell "$1" | sed -n 's/^HEIGHT=//p')
    menu_bar=$((height - 8880 / 15))
    xdotool mousemove --window "$1" $((($2 + $4 / 2) / 15)) $((menu_bar + ($3 + $5 / 2) / 15)) click 1
}
