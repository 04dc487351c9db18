#!/usr/bin/env bash
# quibo-cli against a failing or unusual world: io.sh CASE QUIBO_CLI.
# Each case prints what went wrong and exits 1, or exits 0.
set -u
case_name=$1
cli=$2
unprivileged_sh=$(cd "$(dirname "$0")/.." && pwd)/unprivileged.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

fail() {
    echo "io.sh $case_name: $*" >&2
    exit 1
}

# expect STATUS ERR_TEXT: the last run's status and standard error.
expect() {
    [ "$status" -eq "$1" ] || fail "exit status $status, expected $1; stderr: $(cat err)"
    grep -qF -- "$2" err || fail "standard error lacks \"$2\": $(cat err)"
    [ "$(wc -l <err)" -eq 1 ] || fail "standard error is not one line: $(cat err)"
}

script_of() {  # script_of N: N lines of clicks
    for ((i = 0; i < $1; i++)); do echo "click 5 + 3 ="; done
}

# Runs a command as an unprivileged user when the tests run as root, since
# root ignores file modes.
unprivileged() {
    chmod 755 "$work"
    "$unprivileged_sh" "$work" "$@"
}

case $case_name in
full-disk)
    script_of 3 >ok.replay
    "$cli" --script ok.replay >/dev/full 2>err
    status=$?
    expect 2 "quibo-cli: cannot write output: No space left on device"
    "$cli" --type char 5 add 3 eq >/dev/full 2>err
    status=$?
    expect 2 "quibo-cli: cannot write output: No space left on device"
    ;;
closed-pipe)
    # With SIGPIPE ignored, a closed pipe is a write error like any other,
    # and the player stops at once rather than play on into nothing.
    script_of 20000 >many.replay
    trap '' PIPE
    { "$cli" --script many.replay 2>err; echo $? >status; } | head -c 10 >/dev/null
    status=$(cat status)
    expect 2 "quibo-cli: cannot write output: Broken pipe"
    ;;
unreadable-script)
    mkdir folder
    "$cli" --script folder >out 2>err
    status=$?
    expect 2 "cannot read \"folder\": Is a directory"
    [ ! -s out ] || fail "output from a folder: $(cat out)"
    "$cli" --script - <&- >out 2>err
    status=$?
    expect 2 "cannot read standard input: Bad file descriptor"
    # The user gets a copy of quibo-cli it may run, wherever the build is.
    cp "$cli" ./quibo-cli && chmod 755 ./quibo-cli
    script_of 1 >secret.replay
    chmod 000 secret.replay
    unprivileged ./quibo-cli --script secret.replay >out 2>err
    status=$?
    expect 2 "cannot open \"secret.replay\": Permission denied"
    ;;
line-by-line)
    # One action in, one line out, before the input ends.
    mkfifo in out
    "$cli" --script - <in >out 2>err &
    player=$!
    exec 3>in 4<out
    echo "click 5" >&3
    IFS= read -r -t 10 line <&4 || fail "no line within 10 s of the action"
    [[ $line == '{"display":"5"'* ]] || fail "unexpected line: $line"
    echo "click 6" >&3
    IFS= read -r -t 10 line <&4 || fail "no second line"
    [[ $line == '{"display":"56"'* ]] || fail "unexpected line: $line"
    exec 3>&-
    wait "$player" || fail "exit status $?"
    ;;
endless-line)
    # Bounded memory whatever the input: a line without end for ten
    # seconds, and a line of 100 MB, in 16 MiB of address space.
    limit=(prlimit --as=16777216 --)
    "${limit[@]}" timeout 10 "$cli" --script /dev/zero >out 2>err
    status=$?
    [ "$status" -eq 124 ] || fail "with /dev/zero: exit status $status, expected 124 (still running): $(cat err)"
    { printf 'type '; head -c 100000000 /dev/zero | tr '\0' 1; printf '\nclick 5\n'; } |
        "${limit[@]}" "$cli" --script - >out 2>err
    status=$?
    [ "$status" -eq 1 ] || fail "with a 100 MB line: exit status $status: $(cat err)"
    [ "$(head -n 1 out)" = '{"error":"line 1: line longer than 1048576 bytes"}' ] || fail "first line: $(head -c 200 out)"
    grep -q '^{"display":"5"' out || fail "the line after the long one was not played"
    ;;
out-of-memory)
    # Memory running out is one line and status 2 like any other failure,
    # not an abort: a line of 1 MB in 8 MB of address space.
    { printf 'type '; head -c 1000000 /dev/zero | tr '\0' 1; printf '\n'; } >long.replay
    prlimit --as=8192000 -- "$cli" --script long.replay >out 2>err
    status=$?
    expect 2 "quibo-cli: out of memory"
    ;;
closed-descriptors)
    # A closed output is still a write error; with all three closed the
    # script is read and nothing is written into it.
    "$cli" --type char 5 >&- 2>err
    status=$?
    expect 2 "quibo-cli: cannot write output: Bad file descriptor"
    script_of 3 >kept.replay
    before=$(cksum <kept.replay)
    "$cli" --script kept.replay <&- >&- 2>&-
    status=$?
    [ "$status" -eq 2 ] || fail "all closed: exit status $status, expected 2"
    [ "$(cksum <kept.replay)" = "$before" ] || fail "the script changed: $(head -c 200 kept.replay)"
    ;;
terminal-prompt)
    # At a terminal the prompt shows the WRAP pane as the window does.
    printf 'datatype short\nclick B B 8 * 5 0 =\nclick CLR\n' | script -qec "$cli" /dev/null >out 2>err
    tr -d '\r' <out >plain
    grep -qx 'wrap     240000 does not fit in short' plain || fail "no wrap line: $(cat plain)"
    [ "$(grep -o 'quibo[A-Z ]*> ' plain | tr '\n' '|')" = "quibo> |quibo> |quibo WRAP> |quibo> |" ] ||
        fail "prompts: $(grep -o 'quibo[A-Z ]*> ' plain)"
    ;;
*)
    fail "no such case"
    ;;
esac
exit 0
