#!/usr/bin/env bash
# A whole batch through the real Linux program on an X server of its own: the stored
# paths point at the stand-in processing program and a folder of two input files; the
# files are picked in the open-file dialog, Start is pressed, and once the batch has
# ended its transcript must be tests/e2e/whole_batch.expected, the one the Windows
# program must leave too.
#
#   window_batch_test.sh QUORBIN FAKEPROC
# Exits with 77 (skipped) when Xvfb or xdotool is missing.
set -euo pipefail
quorbin=$1
fakeproc=$2
here=$(dirname "$0")
source "$here/whole_batch.bash"
source "$here/../helpers/x_server.bash"

for tool in Xvfb xdotool iconv; do
    command -v "$tool" >/dev/null || {
        echo "batch test skipped: $tool not found"
        exit 77
    }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorbin-batch.XXXXXX")
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null && wait "$program" 2>/dev/null
    stop_x_server
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "batch test: $*" >&2
    exit 1
}

start_x_server "$work"
export DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config"
unset WAYLAND_DISPLAY

folder="$work/$batch_folder_name"
make_batch_folder "$folder"
mkdir -p "$XDG_CONFIG_HOME/quorbin"
printf '[file]\nexePath=%s\nvcfPath=%s\navsPath=%s\naviPath=%s\n' \
    "$fakeproc" "$folder/job.vcf" "$folder/template.avs" "$folder/" >"$XDG_CONFIG_HOME/quorbin/quorbin.conf"


(cd "$work" && exec "$quorbin" </dev/null >/dev/null 2>&1) &
program=$!
window=$(x_window_named Quorbin)
click_control "$window" 150 2250 1425 345 # Select AVI
dialog=$(x_window_named "Select AVI Files")
xdotool windowfocus --sync "$dialog"
xdotool type --delay 20 '"a.avi" "b c.avi"'
xdotool key Return
deadline=$((SECONDS + 20))
while xdotool search --onlyvisible --name '^Select AVI Files$' >/dev/null 2>&1; do
    ((SECONDS < deadline)) || fail "the open-file dialog did not take the names"
    sleep 0.05
done
click_control "$window" 150 6150 1425 345 # Start

# Each file takes three settle times of 11 s: running, done, killed.
deadline=$((SECONDS + 150))
until grep -q IDLE "$folder/quorbin.log" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "no IDLE in quorbin.log: $(cat "$folder/quorbin.log" 2>/dev/null)"
    sleep 0.1
done
kill "$program"
wait "$program" || true
program=""

batch_transcript "$folder" "$folder/" "$fakeproc" UTF-8 >"$work/transcript"
compare_transcript "$here/whole_batch.expected" "$work/transcript"
echo "batch test: passed"
