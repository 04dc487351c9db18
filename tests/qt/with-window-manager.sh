#!/bin/sh
# Runs a command on the current X display under the openbox window manager,
# with settings and caches in a folder of its own.
set -u
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# On a loaded machine the server may not take connections at once.
tries=0
until xprop -root >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
        echo "with-window-manager.sh: no X server at $DISPLAY" >&2
        exit 1
    fi
    sleep 0.1
done
# Windows mapped before the window manager runs are framed late: wait for
# it. On a loaded machine openbox at times fails to connect: start it again.
starts=0
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    if [ -z "${wm:-}" ] || ! kill -0 "$wm" 2>/dev/null; then
        starts=$((starts + 1))
        if [ "$starts" -gt 5 ]; then
            echo "with-window-manager.sh: openbox did not start" >&2
            cat "$home/openbox.log" >&2
            exit 1
        fi
        openbox --sm-disable >"$home/openbox.log" 2>&1 &
        wm=$!
    fi
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
        echo "with-window-manager.sh: openbox did not announce itself" >&2
        exit 1
    fi
    sleep 0.1
done
"$@"
status=$?
[ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
[ -n "${wm:-}" ] && wait "$wm" 2>/dev/null
exit "$status"
