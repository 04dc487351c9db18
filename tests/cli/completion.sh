#!/usr/bin/env bash
# The bash completion for quibo-cli, driven as readline drives it:
# completion.sh COMPLETION_FILE. Prints each difference and exits 1, or
# exits 0. Syntax-checks the zsh and fish files beside it if those shells
# are installed.
completion=$(realpath "$1") || exit 1
source "$completion" || exit 1
func=$(complete -p quibo-cli 2>/dev/null | sed -n 's/.* -F \([^ ]*\) .*/\1/p')
if [ -z "$func" ]; then
    echo "completion.sh: $1 sets up no completion function for quibo-cli"
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0

sorted() {
    [ -z "$1" ] || printf '%s\n' "$1" | LC_ALL=C sort
}

# offers EXPECTED WORD...: completing the last WORD, as typed, after
# "quibo-cli" and the other WORDs offers exactly the lines of EXPECTED.
offers() {
    local expected got
    expected=$(sorted "$1")
    shift
    COMP_WORDS=(quibo-cli "$@")
    COMP_CWORD=$#
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    "$func" quibo-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    got=$(sorted "$(printf '%s\n' "${COMPREPLY[@]}")")
    if [ "$got" != "$expected" ]; then
        echo "completion.sh: ${COMP_LINE}<TAB>"
        diff <(sorted "$expected") <(sorted "$got") | sed -n 's/^</  missing:/p; s/^>/  extra:  /p'
        failed=1
    fi
}

# Data type names: escaped as a shell word, or bare inside an opened quote.
unsigned='unsigned\ char
unsigned\ short
unsigned\ long
unsigned\ long\ long'
offers "$unsigned
char
short
long
long\ long
float
double" --type ''
offers "$unsigned" --type uns
offers "$unsigned" --type = uns  # --type=uns, split at "=" by bash
offers 'unsigned\ short' --type 'unsigned\ s'
offers $'unsigned char\nunsigned short\nunsigned long\nunsigned long long' --type '"uns'
offers $'unsigned\\ long\nunsigned\\ long\\ long' --type 'unsigned\ l'
offers $'long\nlong\\ long' --type lo
offers 'double' --hex 1 --type do
offers '--type=float' '--type=f'  # when COMP_WORDBREAKS lacks "="

# Options: all of them first; after an action, only those that go with it.
offers '--type' --ty
offers $'--type\n--hex\n--decimal\n--bit\n--json\n--code\n--inspect\n--script\n--help\n--version' -
offers $'--type\n--hex\n--decimal\n--bit\n--json\n--code\n--inspect' 5 add 3 -
offers '' --bit ''
offers '' --hex ''
offers '' --script x.replay -
offers '' --help ''

# Script files, among them one with a blank in its name; - is standard input.
touch a.replay 'my script.replay'
mkdir scripts
offers $'a.replay\nmy script.replay\nscripts\n-' --script ''
offers 'my script.replay' --script 'my\ s'
offers 'my script.replay' --script "'my s"
offers 'a.replay' --script = a

# Keys: only words a shell leaves alone.
offers $'sub\nswap\nshl\nshr' --type char 5 s
offers 'clr' --decimal 7 c
offers 'Mot' --type char 1 M

# The other shells' files, when those shells are installed.
dir=$(dirname "$completion")
if command -v zsh >/dev/null; then
    zsh -n "$dir/_quibo-cli" || failed=1
fi
if command -v fish >/dev/null; then
    fish --no-execute "$dir/quibo-cli.fish" || failed=1
fi
exit $failed
