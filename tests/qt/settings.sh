#!/usr/bin/env bash
# The window's settings file against signals, a second instance and files
# that are not its own: settings.sh CASE QUIBO. Runs quibo on Qt's offscreen
# platform unless QT_QPA_PLATFORM says otherwise; each case prints what went
# wrong and exits 1, or exits 0.
set -u
case_name=$1
quibo=$2
unprivileged_sh=$(cd "$(dirname "$0")/.." && pwd)/unprivileged.sh
work=$(mktemp -d)
trap 'kill -KILL $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
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
        grep -q "the settings are not read" "$work/stderr" || fail "$kind: nothing said: $(cat "$work/stderr")"
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
    # The user needs a copy of quibo it may run, wherever the build is.
    as_user=("$unprivileged_sh" "$work")
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
    grep -q "the settings are not read: .*Permission denied" "$work/stderr" || fail "not said: $(cat "$work/stderr")"
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
large)
    # A settings file over 1 MiB (a sparse 2 MiB one here) is neither read
    # into memory nor written back.
    mkdir -p "$folder"
    truncate -s 2M "$ini"
    before=$(stat -c '%i %s %b %Y' "$ini")
    start "$(new_doc doc)"
    stop "$started" TERM
    [ "$(stat -c '%i %s %b %Y' "$ini")" = "$before" ] || fail "the large file changed: $(stat -c '%s bytes, %b blocks' "$ini")"
    grep -q "the settings are not read: .*larger than 1 MiB" "$work/stderr" || fail "not said: $(cat "$work/stderr")"
    ;;
home)
    # Without an absolute HOME (unset, empty, relative) there is no
    # settings file: nothing is made at the filesystem root or under the
    # working folder.
    cd "$work" || fail "no work folder"
    root_config=$([ -e /.config ] && echo yes || echo no)
    for home in unset empty relative; do
        : >"$work/stderr"
        case $home in
        unset) environment=(-u HOME) ;;
        empty) environment=(HOME=) ;;
        relative) environment=(HOME=relative) ;;
        esac
        env --default-signal=INT,HUP,TERM -u XDG_CONFIG_HOME "${environment[@]}" "$quibo" "$(new_doc "doc-$home")" \
            2>>"$work/stderr" &
        started=$!
        wait_ready "$started"
        stop "$started" TERM
        [ ! -e "$work/relative" ] && [ ! -e "$work/.config" ] || fail "HOME $home: folders made under the working folder"
        [ "$root_config" = yes ] || [ ! -e /.config ] || fail "HOME $home: /.config was made"
        grep -q "the settings are not read: HOME is not" "$work/stderr" || fail "HOME $home: not said: $(cat "$work/stderr")"
        [ "$(grep -c . "$work/stderr")" -eq 1 ] || fail "HOME $home: more than one line: $(cat "$work/stderr")"
    done
    ;;
ownership)
    # Root with another user's HOME (sudo -E) leaves the user's settings
    # alone: neither the file nor a missing ~/.config is touched. A file of
    # another user's in root's own folder keeps its owner when replaced.
    [ "$(id -u)" -eq 0 ] || { echo "settings.sh ownership: needs root"; exit 77; }
    user_home="$work/user"
    user_folder="$user_home/.config/Local AppWizard-Generated Applications"
    mkdir -p "$user_folder"
    printf '[Recent%%20File%%20List]\nFile1=/theirs\n' >"$user_folder/Quibo.ini"
    chmod 600 "$user_folder/Quibo.ini"
    chown -R 65534:65534 "$user_home"
    before=$(stat -c '%U:%G %a %i %Y' "$user_folder/Quibo.ini")
    HOME=$user_home XDG_CONFIG_HOME= start "$(new_doc doc)"
    stop "$started" TERM
    [ "$(stat -c '%U:%G %a %i %Y' "$user_folder/Quibo.ini")" = "$before" ] ||
        fail "the user's file changed: $(stat -c '%U:%G %a' "$user_folder/Quibo.ini")"
    grep -q "the settings are not read: .*: owned by another user" "$work/stderr" || fail "not said: $(cat "$work/stderr")"
    rm -rf "$user_home/.config"
    HOME=$user_home XDG_CONFIG_HOME= start "$(new_doc doc2)"
    stop "$started" TERM
    [ ! -e "$user_home/.config" ] || fail "~/.config made as $(stat -c '%U:%G' "$user_home/.config")"

    mkdir -p "$folder"
    printf '[Recent%%20File%%20List]\nFile1=/theirs\n' >"$ini"
    chown 65534:65534 "$ini"
    chmod 640 "$ini"
    doc=$(new_doc doc3)
    start "$doc"
    stop "$started" TERM
    list_has "$doc" "$ini" || fail "not written: $(cat "$ini")"
    [ "$(stat -c '%u:%g %a' "$ini")" = "65534:65534 640" ] || fail "owner or mode lost: $(stat -c '%U:%G %a' "$ini")"

    # Below the user's HOME no link is followed, even to a folder of root's.
    roots="$work/roots/Local AppWizard-Generated Applications"
    mkdir -p "$roots"
    ln -s "$work/roots" "$user_home/.config"
    : >"$work/stderr"
    HOME=$user_home XDG_CONFIG_HOME= start "$(new_doc doc4)"
    stop "$started" TERM
    [ -z "$(ls -A "$roots")" ] || fail "written through the user's link: $(ls -A "$roots")"
    grep -q "the settings are not read: .*/.config: a link, not followed in another user's HOME" "$work/stderr" ||
        fail "not said: $(cat "$work/stderr")"
    ;;
crowd)
    # Sixteen instances closed together (a logout): each one's file is
    # merged, none gives up on the lock.
    docs=()
    pids=()
    for ((i = 1; i <= 16; i++)); do
        docs+=("$(new_doc "crowd$i")")
        start "${docs[-1]}"
        pids+=("$started")
    done
    kill -TERM "${pids[@]}"
    for pid in "${pids[@]}"; do
        wait "$pid" || fail "an instance failed: $(cat "$work/stderr")"
    done
    ! grep -q "not kept" "$work/stderr" || fail "$(cat "$work/stderr")"
    kept=0
    for doc in "${docs[@]}"; do
        list_has "$doc" "$ini" && ((kept++))
    done
    [ "$kept" -eq 4 ] || fail "$kept of the crowd's files listed: $(cat "$ini")"
    ;;
lock-reason)
    # The lock's failure says why: here a file size limit of 0, which
    # fails the lock file's line as a full disk does.
    # Standard error goes through a pipe, which the limit does not bind.
    mkdir -p "$folder"
    doc=$(new_doc doc)
    mkfifo "$work/errors"
    cat "$work/errors" >>"$work/stderr" &
    reader=$!
    (
        trap '' XFSZ
        ulimit -f 0
        env --default-signal=INT,HUP,TERM "$quibo" "$doc" 2>"$work/errors" &
        started=$!
        wait_ready "$started"
        stop "$started" TERM
    ) || exit 1
    wait "$reader"
    grep -q "the recent-file list is not kept: .*Quibo.ini.lock: cannot lock: File too large" "$work/stderr" ||
        fail "no reason given: $(cat "$work/stderr")"
    ;;
kept-at-once)
    # A file opened is in the list before the session ends, so that a crash
    # or a lost display keeps it.
    doc=$(new_doc doc)
    start "$doc"
    for ((tries = 0; tries < 200; tries++)); do
        [ -f "$ini" ] && list_has "$doc" "$ini" && break
        sleep 0.05
    done
    kill -KILL "$started"
    wait "$started" 2>/dev/null
    list_has "$doc" "$ini" || fail "the list was lost: $(cat "$ini" 2>&1)"
    ;;
held-lock)
    # Another instance, stopped, holds the lock. The window's thread never
    # sleeps or blocks on it; SIGTERM still ends the session within a
    # second, saying that the list is not kept; and once the holder lets
    # go, a session that runs keeps its list.
    mkdir -p "$folder"
    hold() {
        # A stopped process in a process group that becomes orphaned gets
        # SIGHUP from the kernel: the holder stays, as a stuck holder does.
        (
            trap '' HUP
            exec 9>"$ini.lock"
            flock 9
            printf '%s\nquibo\n%s\n' "$BASHPID" "$(uname -n)" >&9
            exec sleep 60
        ) </dev/null >/dev/null 2>&1 &
        holder=$!
        until [ -s "$ini.lock" ]; do sleep 0.02; done
        kill -STOP "$holder"
    }
    hold
    start "$(new_doc doc)"
    slept=0
    looked=0
    for ((i = 0; i < 80; i++)); do
        wchan=$(cat "/proc/$started/task/$started/wchan" 2>/dev/null)
        [ -n "$wchan" ] && [ "$wchan" != 0 ] && ((looked++))
        [[ $wchan == *sleep* || $wchan == *lock* ]] && ((slept++))
        sleep 0.025
    done
    [ "$looked" -gt 0 ] || { echo "settings.sh held-lock: this kernel does not say where a thread waits"; exit 77; }
    [ "$slept" -eq 0 ] || fail "the window's thread slept in $slept of 80 looks"
    begun=$(date +%s%N)
    stop "$started" TERM
    took=$((($(date +%s%N) - begun) / 1000000))
    [ "$took" -lt 2000 ] || fail "SIGTERM took $took ms with the lock held"
    grep -q "the recent-file list is not kept: .*Quibo.ini.lock: cannot lock: held by quibo (process $holder on .*) for 0.5 s" \
        "$work/stderr" || fail "not said: $(cat "$work/stderr")"
    doc=$(new_doc doc2)
    start "$doc"
    sleep 0.5
    kill -CONT "$holder"
    kill -KILL "$holder"
    for ((tries = 0; tries < 100; tries++)); do
        list_has "$doc" "$ini" 2>/dev/null && break
        sleep 0.05
    done
    list_has "$doc" "$ini" || fail "the list was not kept once the lock was free: $(cat "$ini" 2>&1)"
    stop "$started" TERM
    ;;
stale-lock)
    # A lock that a crashed root session left in the user's folder is no
    # one's: the user's session removes it at once and keeps its list.
    [ "$(id -u)" -eq 0 ] || { echo "settings.sh stale-lock: needs root"; exit 77; }
    cp "$quibo" "$work/quibo" && chmod 755 "$work/quibo"
    mkdir -p "$folder"
    chown -R 65534:65534 "$work/home" "$XDG_RUNTIME_DIR"
    sh -c 'exit 0' &
    ended=$!
    wait "$ended"
    printf '%s\nquibo\n%s\n' "$ended" "$(uname -n)" >"$ini.lock"
    doc=$(new_doc doc)
    chmod 644 "$doc"
    env --default-signal=INT,HUP,TERM "$unprivileged_sh" "$work" "$work/quibo" "$doc" 2>"$work/stderr" &
    started=$!
    for ((tries = 0; tries < 100; tries++)); do
        [ -f "$ini" ] && list_has "$doc" "$ini" && break
        sleep 0.05
    done
    list_has "$doc" "$ini" || fail "not kept at once: $(cat "$work/stderr")"
    [ ! -e "$ini.lock" ] || fail "the stale lock is still there"
    wait_ready "$started"
    stop "$started" TERM
    ;;
private-copy)
    # Nothing goes under TMPDIR: one that is full or not a folder costs
    # nothing. The copy folders that a killed session left beside either
    # settings file are gone after the first frame.
    mkdir -p "$folder/.quibo-private-Killed" "$XDG_CONFIG_HOME/.quibo-private-Killed"
    : >"$folder/.quibo-private-Killed/settings.ini"
    : >"$work/not-a-folder"
    doc=$(new_doc doc)
    TMPDIR=$work/not-a-folder start "$doc"
    for ((tries = 0; tries < 100; tries++)); do
        [ -f "$ini" ] && break
        sleep 0.05
    done
    stop "$started" TERM
    list_has "$doc" "$ini" || fail "the list was lost: $(cat "$work/stderr")"
    [ ! -e "$folder/.quibo-private-Killed" ] && [ ! -e "$XDG_CONFIG_HOME/.quibo-private-Killed" ] ||
        fail "a killed session's copy folder is left"
    ;;
closed-descriptors)
    # Started with standard output and error closed, or all three, the
    # window starts, runs and quits on SIGTERM as usual, though Qt writes
    # to standard error (here that XDG_RUNTIME_DIR is not set).
    unset XDG_RUNTIME_DIR
    for closed in "1 2" "0 1 2"; do
        doc=$(new_doc "doc-${closed// /}")
        if [ "$closed" = "1 2" ]; then
            env --default-signal=INT,HUP,TERM "$quibo" "$doc" >&- 2>&- &
        else
            env --default-signal=INT,HUP,TERM "$quibo" "$doc" <&- >&- 2>&- &
        fi
        started=$!
        wait_ready "$started"
        sleep 1
        kill -0 "$started" 2>/dev/null || fail "fds $closed closed: quibo ended by itself"
        kill -TERM "$started"
        for ((tries = 0; tries < 200; tries++)); do
            kill -0 "$started" 2>/dev/null || break
            sleep 0.05
        done
        if kill -0 "$started" 2>/dev/null; then
            kill -KILL "$started"
            fail "fds $closed closed: SIGTERM did not end quibo"
        fi
        wait "$started" || fail "fds $closed closed: exit status $?"
        list_has "$doc" "$ini" || fail "fds $closed closed: the list lacks the file"
    done
    ;;
*)
    fail "no such case"
    ;;
esac
exit 0
