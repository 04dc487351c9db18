#!/usr/bin/env bash
# The window's settings file against signals, a second instance, crowds of
# instances and locks that others hold: settings.sh CASE QUIBO. Runs quibo
# on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise; each
# case prints what went wrong and exits 1, or exits 0.
set -u
case_name=$1
quibo=$2
source "$(dirname "$0")/settings-lib.sh"

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
crowd)
    # Sixty-four instances closed together (a logout): each one's file is
    # merged, none gives up on the lock.
    docs=()
    pids=()
    for ((i = 1; i <= 64; i++)); do
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
write-reason)
    # A write that fails says why and leaves the file as it was: here a
    # file size limit of 0, which fails the new file's writing as a full
    # disk does. Standard error goes through a pipe, which the limit does
    # not bind.
    mkdir -p "$folder"
    printf '[Recent%%20File%%20List]\nFile1=/old\n' >"$ini"
    before=$(cat "$ini")
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
    [ "$(cat "$ini")" = "$before" ] || fail "the file changed: $(cat "$ini")"
    grep -q "the recent-file list is not kept: .*Quibo.ini\": File too large" "$work/stderr" ||
        fail "no reason given: $(cat "$work/stderr")"
    [ "$(grep -c 'not kept' "$work/stderr")" -eq 1 ] || fail "said more than once: $(cat "$work/stderr")"
    ;;
kept-at-once)
    # A file opened is in the list before the session ends, so that a crash
    # or a lost display keeps it.
    doc=$(new_doc doc)
    start "$doc"
    wait_kept "$doc"
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
    grep -q "the recent-file list is not kept: .*Quibo.ini.lock\": cannot lock: held by another process for 0.5 s" \
        "$work/stderr" || fail "not said: $(cat "$work/stderr")"
    doc=$(new_doc doc2)
    start "$doc"
    sleep 0.5
    kill -CONT "$holder"
    kill -KILL "$holder"
    wait "$holder" 2>/dev/null
    wait_kept "$doc" || fail "the list was not kept once the lock was free: $(cat "$ini" 2>&1)"
    stop "$started" TERM
    ;;
stale-lock)
    # A lock file that a crashed root session left in the user's folder
    # binds nobody: the user's session keeps its list at once, and the
    # file stays, as lock files do.
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
    wait_kept "$doc" || fail "not kept at once: $(cat "$work/stderr")"
    [ -f "$ini.lock" ] || fail "the lock file was removed"
    wait_ready "$started"
    stop "$started" TERM
    ;;
escapes)
    # What reaches a message from a file or the environment cannot steer
    # the terminal: a lock file whose lines hold escape sequences (as an
    # older Quibo wrote program and host there), and a settings path with
    # an escape sequence and a line break in it.
    mkdir -p "$folder"
    hold "$(printf '\033]0;TITLE\a')" "$(printf '\033[2J')"
    start "$(new_doc doc)"
    stop "$started" TERM
    kill -KILL "$holder"
    wait "$holder" 2>/dev/null
    export XDG_CONFIG_HOME="$work/$(printf 'x\033]0;T\a\ny')"
    mkdir -p "$XDG_CONFIG_HOME/Local AppWizard-Generated Applications"
    mkfifo "$XDG_CONFIG_HOME/Local AppWizard-Generated Applications/Quibo.ini"
    start "$(new_doc doc2)"
    stop "$started" TERM
    [ "$(grep -c 'quibo: ' "$work/stderr")" -eq 2 ] || fail "not said: $(cat -v "$work/stderr")"
    ! LC_ALL=C grep -q '[[:cntrl:]]' "$work/stderr" || fail "a control character was written: $(cat -v "$work/stderr")"
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
