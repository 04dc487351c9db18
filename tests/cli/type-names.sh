#!/usr/bin/env bash
# Every data type of the type table, as quibo-cli names them, in each list
# of types written by hand: the completions give them all in the table's
# order; --help, the manual pages and the manual name each one.
# type-names.sh QUIBO_CLI SOURCE_DIR
cli=$1
top=$2
failed=0
list=$("$cli" --type '' 2>&1 | sed -n 's/.*(the types: \(.*\))$/\1/p')
[ -n "$list" ] || { echo "type-names.sh: quibo-cli names no types"; exit 1; }
IFS=$'\n' read -r -d '' -a names < <(printf '%s' "${list//, /$'\n'}")

# The names as a shell word list, a name with a blank in quote $1.
words() {
    local name out=()
    for name in "${names[@]}"; do
        if [[ $name == *" "* ]]; then out+=("$1$name$1"); else out+=("$name"); fi
    done
    echo "${out[*]}"
}
has() {  # has FILE TEXT
    grep -qF -- "$2" "$1" || { echo "type-names.sh: $1 lacks: $2"; failed=1; }
}
has "$top/dist/completions/quibo-cli.bash" "for name in $(words '"'); do"
has "$top/dist/completions/_quibo-cli" "data type:($(words '"'))"
has "$top/dist/completions/quibo-cli.fish" "printf '%s\n' $(words "'"))"
help=$("$cli" --help | tr -s ' \n' '  ')
for name in "${names[@]}"; do
    quoted=$name
    [[ $name == *" "* ]] && quoted="\"$name\""
    [[ $help == *"$quoted"* ]] || { echo "type-names.sh: --help lacks: $quoted"; failed=1; }
    grep -qE -- "^\.BR? $quoted( |\$)" "$top/dist/quibo-cli.1.in" || { echo "type-names.sh: quibo-cli.1 lacks: $quoted"; failed=1; }
    [[ $(tr -s ' \n' '  ' <"$top/dist/quibo.1.in") == *"$name"* ]] || { echo "type-names.sh: quibo.1 lacks: $name"; failed=1; }
    has "$top/doc/manual.md" "\`$name\`"
done
exit $failed
