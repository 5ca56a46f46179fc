#!/bin/bash
# The .deb as a user gets it, built by cpack from this build and looked at from outside:
# its files, its control fields, its desktop entry and AppStream description through
# their validators, and its program started as a new user starts it, on an X server of
# its own.
#
#     check_package.sh <cpack> <CPackConfig.cmake> <version> <application id>
set -euo pipefail
export LC_ALL=C # the order of the file list
cpack=$1
config=$2
version=$3
id=$4

work=$(mktemp -d)
xvfb=
program=
stop() {
    if [ -n "$1" ]; then
        kill "$1" 2>/dev/null || true
        wait "$1" 2>/dev/null || true
    fi
}
trap 'stop "$program"; stop "$xvfb"; rm -rf "$work"' EXIT
fail() {
    echo "package: $*" >&2
    [ ! -s "$work/quorbin.log" ] || cat "$work/quorbin.log" >&2
    exit 1
}
source "$(dirname "$0")/../helpers/x_server.bash"

"$cpack" -G DEB --config "$config" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$work/out/quorbin_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb") in: $(ls "$work/out")"

# Its files, with their modes: programs executable, everything else not.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $6 }' | sort -k2 >"$work/files"
{
    echo "-rwxr-xr-x ./usr/bin/quorbin"
    echo "-rwxr-xr-x ./usr/bin/quorbin-run"
    echo "-rw-r--r-- ./usr/share/applications/$id.desktop"
    echo "-rw-r--r-- ./usr/share/doc/quorbin/LICENSE"
    echo "-rwxr-xr-x ./usr/share/doc/quorbin/examples/quorbin-ffmpeg"
    echo "-rw-r--r-- ./usr/share/doc/quorbin/examples/quorbin-run.sub"
    echo "-rwxr-xr-x ./usr/share/doc/quorbin/examples/quorbin-wine"
    for size in 128 16 24 256 32 48 64; do
        echo "-rw-r--r-- ./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    done
    echo "-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/$id.svg"
    echo "-rw-r--r-- ./usr/share/metainfo/$id.metainfo.xml"
} >"$work/expected"
diff -u "$work/expected" "$work/files" || fail "the files differ from the expected list"

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version: $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* && $depends == *libc6* ]] || fail "Depends lacks what dpkg-shlibdeps finds: $depends"

root="$work/root"
dpkg-deb -x "$deb" "$root"
# desktop-file-validate exits 0 also when it reports errors: its output is the verdict.
said=$(desktop-file-validate "$root/usr/share/applications/$id.desktop" 2>&1)
[ -z "$said" ] || fail "desktop-file-validate: $said"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$work/appstream" 2>&1 ||
    fail "appstreamcli validate: $(cat "$work/appstream")"

# The runner needs no display: no widgets, no X, and it answers without one.
needed=$(objdump -p "$root/usr/bin/quorbin-run" | awk '$1 == "NEEDED" { print $2 }')
! grep -qE 'libQt6(Widgets|Gui)|libX11' <<<"$needed" || fail "quorbin-run links a GUI library: $needed"
env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/quorbin-run" --help | grep -q "^usage: quorbin-run" ||
    fail "quorbin-run --help did not print its usage"

# The program, as a new user starts it.
start_x_server "$work"
export DISPLAY=$display
mkdir -m 700 "$work/home" "$work/runtime"
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_RUNTIME_DIR="$work/runtime" DBUS_SESSION_BUS_ADDRESS=disabled: \
    "$root/usr/bin/quorbin" >"$work/quorbin.log" 2>&1 &
program=$!

# No template is chosen yet: a message box says so, and Enter answers it (the press
# alone: the box is gone before a release could reach it).
box=$(x_window_named quorbin "$program")
xdotool keydown --window "$box" Return
window=$(x_window_named Quorbin "$program")
[ "$(xdotool getwindowpid "$window")" = "$program" ] || fail "the window \"Quorbin\" is not the program's"
# The icon comes once the window has first been painted.
for _ in $(seq 100); do
    icon=$(xprop -id "$window" _NET_WM_ICON)
    [[ $icon == *"Icon ("* ]] && break
    sleep 0.05
done
[[ $icon == *"Icon ("* ]] || fail "the window has no icon"
echo "package: $(basename "$deb") checked; its window came up on display $DISPLAY"
