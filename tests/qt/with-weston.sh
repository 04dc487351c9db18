#!/bin/sh
# Runs a command on a private, headless Weston compositor, as a Wayland
# desktop without X11: WAYLAND_DISPLAY is set, DISPLAY is not.
set -u
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY QT_QPA_PLATFORM
# Without a GPU, Qt's EGL buffer path only loads a software renderer that
# leaks at exit; shared-memory buffers need none. Qt then draws no window
# decoration, which only WaylandTest looks at (it turns them back on).
export QT_WAYLAND_DISABLE_WINDOWDECORATION=1
weston --backend=headless-backend.so --socket=quibo-test --idle-time=0 >"$home/weston.log" 2>&1 &
compositor=$!
tries=0
until [ -S "$XDG_RUNTIME_DIR/quibo-test" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$compositor" 2>/dev/null; then
        echo "with-weston.sh: weston did not start" >&2
        cat "$home/weston.log" >&2
        exit 1
    fi
    sleep 0.1
done
export WAYLAND_DISPLAY=quibo-test
"$@"
status=$?
kill "$compositor" 2>/dev/null
wait "$compositor" 2>/dev/null
exit "$status"
