#!/bin/sh
# requires.sh NEED... -- COMMAND...: runs COMMAND if every NEED is on this
# machine; otherwise fails with one line naming the Debian package to
# install. A NEED is PROGRAM=PACKAGE, or python3:MODULE=PACKAGE for a module
# of Debian's own /usr/bin/python3.
while [ "$#" -gt 0 ] && [ "$1" != "--" ]; do
    need=${1%%=*}
    package=${1#*=}
    case $need in
        python3:*)
            module=${need#python3:}
            /usr/bin/python3 -c "import $module" >/dev/null 2>&1 \
                || { echo "missing the Python module $module: install the Debian package $package" >&2; exit 1; }
            ;;
        *)
            command -v "$need" >/dev/null 2>&1 \
                || { echo "missing $need: install the Debian package $package" >&2; exit 1; }
            ;;
    esac
    shift
done
[ "$#" -gt 0 ] && shift
exec "$@"
