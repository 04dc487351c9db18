#!/usr/bin/env bash
# The window's settings file against signals, a second instance and files
# that are not its own: settings.sh CASE QUIBO. Runs quibo on Qt's offscreen
# platform unless QT_QPA_PLATFORM says otherwise; each case prints what went
# wrong and exits 1, or exits 0.
set -u
case_name=$1
quibo=$2
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
folder="$XDG_CONFIG_HOME/Local AppWizard-Generated Applications"
ini="$folder/Quibo.ini"

fail() {
    echo "settings.sh $case_name: $*" >&2
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
    grep -qxF "$1" <(sed -n 's/^File[1-4]=//p' "$2")
}

new_doc() {
    local doc="$work/$1"
    : >"$doc"
    echo "$doc"
}

case $case_name in
signals)
    # A logout (SIGTERM), Ctrl+C (SIGINT) and a closed terminal (SIGHUP)
    # quit as closing the window does: the list is kept.
    for signal in TERM INT HUP; do
        doc=$(new_doc "doc-$signal")
        start "$doc"
        stop "$started" "$signal"
        list_has "$doc" "$ini" || fail "SIG$signal lost the list: $(cat "$ini" 2>&1)"
    done
    # Started with SIGHUP ignored (nohup), it stays ignored.
    env --ignore-signal=HUP "$quibo" "$(new_doc kept)" 2>>"$work/stderr" &
    started=$!
    wait_ready "$started"
    kill -HUP "$started"
    sleep 0.5
    kill -0 "$started" 2>/dev/null || fail "an ignored SIGHUP ended quibo"
    stop "$started" TERM
    ;;
two-instances)
    # Closed at the same moment, neither instance loses what it opened.
    for round in 1 2 3 4 5 6 7 8 9 10; do
        a=$(new_doc "a$round")
        b=$(new_doc "b$round")
        start "$a"
        first=$started
        start "$b"
        second=$started
        kill -TERM "$first" "$second"
        wait "$first" && wait "$second" || fail "round $round: an instance failed: $(cat "$work/stderr")"
        list_has "$a" "$ini" && list_has "$b" "$ini" || fail "round $round lost a file: $(cat "$ini")"
    done
    ;;
not-regular)
    # A FIFO, a folder, a link to either, a link to nothing, and a link to
    # a device (one of its own, where root may make one): never read
    # (start-up does not hang), never written.
    mkdir -p "$folder"
    mkfifo "$work/fifo"
    mkdir "$work/dir"
    kinds=(fifo dir link-fifo link-dir link-nothing)
    mknod "$work/null" c 1 3 2>/dev/null && kinds+=(link-device)
    for kind in "${kinds[@]}"; do
        rm -rf "$ini"
        case $kind in
        fifo) mkfifo "$ini" ;;
        dir) mkdir "$ini" ;;
        link-fifo) ln -s "$work/fifo" "$ini" ;;
        link-dir) ln -s "$work/dir" "$ini" ;;
        link-nothing) ln -s "$work/nothing" "$ini" ;;
        link-device) ln -s "$work/null" "$ini" ;;
        esac
        before=$(stat -c '%F %i' "$ini")
        : >"$work/stderr"
        start "$(new_doc "doc-$kind")"
        stop "$started" TERM
        [ "$(stat -c '%F %i' "$ini")" = "$before" ] || fail "$kind: the settings path changed: $(stat -c '%F' "$ini")"
        [ ! -e "$work/nothing" ] || fail "$kind: a file was made where the link points"
        grep -q "the recent-file list is not read" "$work/stderr" || fail "$kind: nothing said: $(cat "$work/stderr")"
    done
    [ ! -e "$work/null" ] || [ "$(stat -c '%F' "$work/null")" = "character special file" ] ||
        fail "the device is no longer a device"
    ;;
symlink)
    # A link to a regular file stays a link; the file behind it is updated
    # with every other key kept (Qt's store drops comments).
    mkdir -p "$folder"
    printf '; my comment\n[General]\nother=kept\n\n[Recent%%20File%%20List]\nFile1=/old\n' >"$work/real.ini"
    ln -s "$work/real.ini" "$ini"
    doc=$(new_doc doc)
    start "$doc"
    stop "$started" TERM
    [ -L "$ini" ] || fail "the link was replaced"
    list_has "$doc" "$work/real.ini" && list_has /old "$work/real.ini" || fail "list: $(cat "$work/real.ini")"
    head -n 2 "$work/real.ini" | diff - <(printf '[General]\nother=kept\n') >/dev/null ||
        fail "other keys changed: $(cat "$work/real.ini")"
    ;;
unchanged)
    # Nothing opened, or only the file already first: the file is not
    # written at all (the same inode, time and size).
    mkdir -p "$folder"
    doc=$(new_doc doc)
    printf '; my comment\n[Recent%%20File%%20List]\nFile1=%s\n' "$doc" >"$ini"
    touch -d '2001-01-01' "$ini"
    before=$(stat -c '%i %Y %s' "$ini")
    start
    stop "$started" TERM
    start "$doc"
    stop "$started" TERM
    [ "$(stat -c '%i %Y %s' "$ini")" = "$before" ] || fail "rewritten: $(cat "$ini")"
    ;;
unprivileged)
    # As a user the file modes bind (root ignores them): a settings file
    # that cannot be read is left alone, and a folder that cannot be written
    # to costs the list, said, but not the exit.
    # The user needs a copy of quibo it may run, wherever the build is; its
    # leaks are checked in the other cases.
    [ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups -- env ASAN_OPTIONS=detect_leaks=0) ||
        as_user=()
    cp "$quibo" "$work/quibo" && chmod 755 "$work/quibo"
    quibo="$work/quibo"
    mkdir -p "$folder"
    printf '[Recent%%20File%%20List]\nFile1=/secret\n' >"$ini"
    chmod 000 "$ini"
    [ "$(id -u)" -eq 0 ] && chown -R 65534:65534 "$work/home" "$XDG_RUNTIME_DIR"
    before=$(stat -c '%a %s %i %Y' "$ini")
    doc=$(new_doc doc)
    chmod 644 "$doc"
    "${as_user[@]}" "$quibo" "$doc" 2>"$work/stderr" &
    started=$!
    wait_ready "$started"
    stop "$started" TERM
    [ "$(stat -c '%a %s %i %Y' "$ini")" = "$before" ] || fail "the unreadable file changed: $(stat -c '%a %s' "$ini")"
    grep -q "the recent-file list is not read: .*Permission denied" "$work/stderr" || fail "not said: $(cat "$work/stderr")"
    rm -f "$ini"
    chmod 555 "$folder"
    : >"$work/stderr"
    "${as_user[@]}" "$quibo" "$doc" 2>"$work/stderr" &
    started=$!
    wait_ready "$started"
    stop "$started" TERM
    [ ! -e "$ini" ] || fail "a file appeared in a read-only folder"
    grep -q "the recent-file list is not kept" "$work/stderr" || fail "not said: $(cat "$work/stderr")"
    chmod 755 "$folder"
    ;;
*)
    fail "no such case"
    ;;
esac
exit 0
