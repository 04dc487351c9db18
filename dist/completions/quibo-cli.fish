# fish completion for quibo-cli

# Whether more arguments are of use: --help and --version end the command
# line, and a script plays alone.
function __quibo_cli_open
    set -l args (commandline -opc)
    set -e args[1]
    set -l i 1
    while test $i -le (count $args)
        switch $args[$i]
            case --help -h --version '--script=*'
                return 1
            case --script
                # Open only while its file is still to come.
                if test $i -lt (count $args)
                    return 1
                end
            case --type --hex --decimal --bit
                set i (math $i + 1) # skip the value
        end
        set i (math $i + 1)
    end
    return 0
end

# Whether nothing but the option being completed is on the line yet:
# --script, --help and --version go with no action.
function __quibo_cli_first
    set -l args (commandline -opc)
    set -e args[1]
    test (count $args) -eq 0; or test "$args" = --script
end

# The words for keys that a shell leaves alone, with the caption each clicks.
function __quibo_cli_keys
    printf '%s\t%s\n' add + sub - mul '*' div / mod % not '~' xor '^' and '&' or '|' \
        shl '<<' shr '>>' eq = clr CLR swap Mot CLR Clear Mot 'Byte order' Int 'Byte order'
end

complete -c quibo-cli -f
complete -c quibo-cli -n __quibo_cli_first -l script -r -F -a - -d 'Play a replay script (- for standard input)'
complete -c quibo-cli -n __quibo_cli_first -o h -l help -d 'Show the usage with examples'
complete -c quibo-cli -n __quibo_cli_first -l version -d 'Show the version'
complete -c quibo-cli -n __quibo_cli_open -l type -x -d 'Choose a data type' \
    -a "(printf '%s\n' 'unsigned char' char 'unsigned short' short 'unsigned long' long 'unsigned long long' 'long long' float double)"
complete -c quibo-cli -n __quibo_cli_open -l hex -x -d 'Click into HEX, clear it and type TEXT'
complete -c quibo-cli -n __quibo_cli_open -l decimal -x -d 'Click into DECIMAL, clear it and type TEXT'
complete -c quibo-cli -n __quibo_cli_open -l bit -x -d "Flip bit N of the converter's value"
complete -c quibo-cli -n __quibo_cli_open -l json -d 'Print the final state as one JSON line'
complete -c quibo-cli -n __quibo_cli_open -l code -d "Print the converter's value as code writes it"
complete -c quibo-cli -n __quibo_cli_open -l inspect -d "Print the converter's value as every type of its width"
complete -c quibo-cli -n __quibo_cli_open -k -a '(__quibo_cli_keys)'
