#!/usr/bin/env bash
# The window's settings file where files are not its own: not regular, a
# link, unreadable or in a read-only folder, too large, below another
# user's HOME, owned by another, and a private copy with TMPDIR unusable:
# settings-files.sh CASE QUIBO. Runs quibo as settings.sh does.
set -u
case_name=$1
quibo=$2
source "$(dirname "$0")/settings-lib.sh"

case $case_name in
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
    [ "$(id -u)" -eq 0 ] || { echo "settings-files.sh ownership: needs root"; exit 77; }
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
*)
    fail "no such case"
    ;;
esac
exit 0
