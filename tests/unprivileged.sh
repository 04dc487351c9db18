#!/bin/sh
# unprivileged.sh WORK COMMAND...: runs COMMAND as the user nobody when the
# tests run as root, since root ignores file modes; as it is otherwise.
# Nobody may not be able to read the tree (a clone in /root), so it gets its
# own copy, in the folder WORK, of the leak suppressions that LSAN_OPTIONS
# names: its leaks are checked as every other run's are. Nobody must be able
# to search WORK. Exits 125 when the copy cannot be made.
work=$1
shift
[ "$(id -u)" -eq 0 ] || exec "$@"
options=:${LSAN_OPTIONS-}
case $options in
*:suppressions=*)
    before=${options%%:suppressions=*}
    file=${options#*:suppressions=}
    after=
    case $file in *:*) after=:${file#*:} file=${file%%:*} ;; esac
    cp "$file" "$work/lsan.supp" && chmod 644 "$work/lsan.supp" || exit 125
    options=$before:suppressions=$work/lsan.supp$after
    LSAN_OPTIONS=${options#:}
    export LSAN_OPTIONS
    ;;
esac
exec setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"
