# bash completion for quibo-cli
# Plain bash is enough: the bash-completion package is not needed.

# The word under the cursor as the shell will read it: without its quotes,
# or with its backslash escapes undone.
_quibo_cli_unquote()
{
    local word=$1 i
    REPLY=
    case $word in
    \'* | \"*)
        REPLY=${word:1}
        REPLY=${REPLY%"${word:0:1}"}
        ;;
    *)
        for ((i = 0; i < ${#word}; i++)); do
            [[ ${word:i:1} == \\ ]] && ((i++))
            REPLY+=${word:i:1}
        done
        ;;
    esac
}

_quibo_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} opt= pre= given= i=1 w REPLY name
    local -a found
    COMPREPLY=()

    # What came before the cursor: an option still waiting for its value,
    # or a command line that takes nothing more.
    while ((i < COMP_CWORD)); do
        w=${COMP_WORDS[i++]}
        case $w in
        --help | -h | --version | --script=*) return ;;  # the rest is not read
        --type | --hex | --decimal | --bit | --script)
            # bash splits "--type=char" at "=" (it is in COMP_WORDBREAKS).
            [[ ${COMP_WORDS[i]} == = ]] && ((i++))
            if ((i >= COMP_CWORD)); then
                opt=$w
                break
            fi
            ((i++))
            [[ $w == --script ]] && return  # a script is the whole command line
            ;;
        esac
        given=1
    done
    [[ -n $opt && $cur == = ]] && cur=
    # Without "=" in COMP_WORDBREAKS, "--type=uns" is one word.
    if [[ -z $opt && $cur == --*=* ]]; then
        case ${cur%%=*} in
        --type | --hex | --decimal | --bit | --script)
            opt=${cur%%=*} pre=$opt= cur=${cur#*=}
            ;;
        esac
    fi

    case $opt in
    --type)
        # Two names hold a blank: they go in escaped, or as they are when
        # the user opened a quote (readline closes it).
        _quibo_cli_unquote "$cur"
        for name in "unsigned char" char "unsigned short" short "unsigned long" long "unsigned long long" "long long" float double; do
            [[ $name == "$REPLY"* ]] || continue
            [[ $cur == [\'\"]* ]] || printf -v name %q "$name"
            found+=("$pre$name")
        done
        COMPREPLY=("${found[@]}")
        ;;
    --script)
        # readline quotes file names itself.
        compopt -o filenames 2>/dev/null
        _quibo_cli_unquote "$cur"
        mapfile -t found < <(compgen -f -- "$REPLY")
        [[ - == "$REPLY"* ]] && found+=(-)  # standard input
        COMPREPLY=("${found[@]/#/$pre}")
        ;;
    --hex | --decimal | --bit) ;;  # free text, a bit's number
    *)
        if [[ $cur == -* ]]; then
            if [[ -n $given ]]; then
                w="--type --hex --decimal --bit --json --code --inspect"
            else
                w="--type --hex --decimal --bit --json --code --inspect --script --help --version"
            fi
        else
            # The keys a shell leaves alone; the rest (| & << >> * ~) need quotes.
            w="add sub mul div mod not xor and or shl shr eq clr swap CLR Mot Int"
        fi
        mapfile -t COMPREPLY < <(compgen -W "$w" -- "$cur")
        ;;
    esac
}

complete -F _quibo_cli quibo-cli
