#!/usr/bin/env bash
# The window's settings file where files are not its own: not regular, a
# link, unreadable or in a read-only folder, too large, another user's
# HOME or file, what else is in its folder, a nearly full disk, and no
# /proc: settings-files.sh CASE QUIBO. Runs quibo as settings.sh does.
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
    # with every other line kept as it was.
    mkdir -p "$folder"
    printf '; my comment\n[General]\nother=kept\n\n[Recent%%20File%%20List]\nFile1=/old\n' >"$work/real.ini"
    ln -s "$work/real.ini" "$ini"
    doc=$(new_doc doc)
    start "$doc"
    stop "$started" TERM
    [ -L "$ini" ] || fail "the link was replaced"
    diff <(printf '; my comment\n[General]\nother=kept\n\n[Recent%%20File%%20List]\nFile1=%s\nFile2=/old\n' "$doc") \
        "$work/real.ini" >/dev/null || fail "not as it should be: $(cat "$work/real.ini")"
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
    grep -q "the settings are not read: HOME \".*\" is another user's" "$work/stderr" || fail "not said: $(cat "$work/stderr")"
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

    ;;
not-ours)
    # What is in the settings folders besides Quibo's own files is never
    # removed: folders named as older Quibos named their private copies
    # (which another user of a group-writable folder could rename any
    # folder to), and whatever is named like Quibo's new files but is not
    # one (a folder, a link, a FIFO, another length, another user's file).
    # Only a new file a killed session left goes. Nothing goes under
    # TMPDIR, here not a folder.
    mkdir -p "$folder/.quibo-private-Killed" "$XDG_CONFIG_HOME/.quibo-private-Killed" "$folder/Quibo.ini.new-Folder"
    kept=(.quibo-private-Killed/settings.ini Quibo.ini.new-Abc12 Quibo.ini.new-Abc1234 Quibo.ini.new-Theirs)
    for name in "${kept[@]}" Quibo.ini.new-Killed; do : >"$folder/$name"; done
    [ "$(id -u)" -eq 0 ] && chown 65534 "$folder/Quibo.ini.new-Theirs"
    : >"$XDG_CONFIG_HOME/.quibo-private-Killed/QtProject.conf"
    ln -s "$folder/.quibo-private-Killed/settings.ini" "$folder/Quibo.ini.new-Linked"
    mkfifo "$folder/Quibo.ini.new-Fifo12"
    : >"$work/not-a-folder"
    doc=$(new_doc doc)
    TMPDIR=$work/not-a-folder start "$doc"
    wait_kept "$doc" || fail "the list was lost: $(cat "$work/stderr")"
    stop "$started" TERM
    for name in "${kept[@]}"; do [ -f "$folder/$name" ] || fail "$name removed"; done
    [ -f "$XDG_CONFIG_HOME/.quibo-private-Killed/QtProject.conf" ] && [ -d "$folder/Quibo.ini.new-Folder" ] &&
        [ -L "$folder/Quibo.ini.new-Linked" ] && [ -p "$folder/Quibo.ini.new-Fifo12" ] || fail "removed: $(ls -AR "$XDG_CONFIG_HOME")"
    [ ! -e "$folder/Quibo.ini.new-Killed" ] || fail "a killed session's new file is left"
    ;;
full-disk | no-proc)
    # As root, in a mount namespace of its own (this case again, inside).
    [ "$(id -u)" -eq 0 ] && unshare -m true 2>/dev/null || { echo "settings-files.sh $case_name: needs root and unshare"; exit 77; }
    exec unshare -m --propagation private "$0" "$case_name-inside" "$quibo"
    ;;
full-disk-inside)
    # A nearly full disk: with every number of free pages from 0 to 8 the
    # file is left as it was, and that is said, or is whole and new.
    mkdir -p "$folder"
    mount -t tmpfs -o size=64k,mode=0700 tmpfs "$folder" || fail "no tmpfs"
    trap 'kill -KILL $(jobs -p) 2>/dev/null; umount "$folder"; rm -rf "$work"' EXIT
    old=$'[General]\nkept=yes\n\n[View]\nBits=true\n\n[Recent%20File%20List]\nFile1=/older/one\nFile2=/older/two\n'
    for free in 0 1 2 3 4 5 6 7 8; do
        rm -f "$folder"/*
        printf '%s' "$old" >"$ini"
        cat /dev/zero >"$folder/filler" 2>/dev/null
        truncate -s "-$((free * 4096))" "$folder/filler"
        doc=$(new_doc "doc$free")
        : >"$work/stderr"
        start "$doc"
        stop "$started" TERM
        new=${old/File1=/File1=$doc$'\n'File2=}
        new=${new/File2=\/older\/two/File3=/older/two}
        if [ "$(cat "$ini")" = "$(printf '%s' "$old")" ]; then
            grep -q "not kept: .*No space left on device" "$work/stderr" || fail "$free pages free: left as it was, unsaid"
        else
            [ "$(cat "$ini")" = "$(printf '%s' "$new")" ] || fail "$free pages free: $(cat "$ini")"
        fi
    done
    ;;
no-proc-inside)
    # Without /proc (a chroot, a small container), as root and as a user,
    # the list is kept and nothing is made where /proc would be.
    mount -t tmpfs -o size=1m,mode=0755 tmpfs /proc || fail "cannot hide /proc"
    trap 'kill -KILL $(jobs -p) 2>/dev/null; umount /proc; rm -rf "$work"' EXIT
    cp "$quibo" "$work/quibo" && chmod 755 "$work/quibo"
    runner=()
    for user in root nobody; do
        if [ "$user" = nobody ]; then
            chown -R 65534:65534 "$work/home" "$XDG_RUNTIME_DIR"
            runner=("$unprivileged_sh" "$work")
        fi
        doc=$(new_doc "doc-$user")
        chmod 644 "$doc"
        env --default-signal=INT,HUP,TERM "${runner[@]}" "$work/quibo" "$doc" 2>>"$work/stderr" &
        started=$!
        wait_kept "$doc" || fail "as $user, the list was not kept: $(cat "$work/stderr")"
        kill -TERM "$started"
        wait "$started"
        [ -z "$(find /proc -mindepth 1 | head -n 1)" ] || fail "as $user, made in /proc: $(find /proc -mindepth 1)"
    done
    ;;
*)
    fail "no such case"
    ;;
esac
exit 0
