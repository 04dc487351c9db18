# What the settings.sh and settings-files.sh cases share, sourced with
# case_name and quibo set: a private HOME and settings folder, and quibo
# started, made ready for signals and stopped.

unprivileged_sh=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/unprivileged.sh
work=$(mktemp -d)
trap 'kill -KILL $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
folder="$XDG_CONFIG_HOME/Local AppWizard-Generated Applications"
ini="$folder/Quibo.ini"

fail() {
    echo "$(basename "$0") $case_name: $*" >&2
    exit 1
}

# Waits until process $1 is quibo (not yet the shell that starts it, which
# handles SIGTERM too) and handles SIGTERM, so that a signal quits it rather
# than kills it. quibo installs its handlers before anything else it does.
wait_ready() {
    local tries name mask
    for ((tries = 0; tries < 400; tries++)); do
        kill -0 "$1" 2>/dev/null || fail "quibo ($1) ended at start-up: $(cat "$work/stderr")"
        name=$(awk '/^Name:/ { print $2 }' "/proc/$1/status" 2>/dev/null)
        mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null)
        if [ "$name" = "$(basename "$quibo" | cut -c1-15)" ] && [ -n "$mask" ] && (((16#$mask >> 14) & 1)); then
            return 0
        fi
        sleep 0.05
    done
    fail "quibo ($1) does not handle SIGTERM after 20 s"
}

# Starts quibo with a file; its pid in $started. A background job of a
# script starts with SIGINT ignored: give it the signals as a desktop does.
start() {
    env --default-signal=INT,HUP,TERM "$quibo" "$@" 2>>"$work/stderr" &
    started=$!
    wait_ready "$started"
}

stop() {  # stop PID SIGNAL: the signal, then the exit status must be 0
    kill "-$2" "$1"
    local status
    wait "$1"
    status=$?
    [ "$status" -eq 0 ] || fail "quibo exited with $status after SIG$2: $(cat "$work/stderr")"
}

list_has() {  # list_has FILE: the settings file names FILE
    sed -n 's/^File[1-4]=//p' "$2" 2>/dev/null | grep -qxF "$1"
}

wait_kept() {  # wait_kept FILE: until the settings file names FILE, 10 s at most
    local tries
    for ((tries = 0; tries < 200; tries++)); do
        list_has "$1" "$ini" && return 0
        sleep 0.05
    done
    return 1
}

new_doc() {
    local doc="$work/$1"
    : >"$doc"
    echo "$doc"
}

# Another instance, stopped, holds the lock, with the lines an older Quibo
# wrote in it (process, program, host; "$1" and "$2" for the last two); its
# pid in $holder. A stopped process in a process group that becomes
# orphaned gets SIGHUP from the kernel: the holder stays, as a stuck holder
# does.
hold() {
    local program=${1:-quibo} host=${2:-$(uname -n)}
    (
        trap '' HUP
        exec 9>"$ini.lock"
        flock 9
        printf '%s\n%s\n%s\n' "$BASHPID" "$program" "$host" >&9
        exec sleep 60
    ) </dev/null >/dev/null 2>&1 &
    holder=$!
    until [ -s "$ini.lock" ]; do sleep 0.02; done
    kill -STOP "$holder"
}
