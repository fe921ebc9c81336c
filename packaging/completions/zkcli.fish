# fish completion for zkcli: commands, options, their values, and files (only ZK containers after decrypt
# and hint).

# The files and folders completing the current word, files only when they are ZK containers.
function __zkcli_containers
    set -l token (commandline -ct)
    for path in $token*
        if test -d $path
            echo $path/
        else if test -f $path; and test (LC_ALL=C head -c 12 -- $path 2>/dev/null | string collect) = "ENCRYPTED BY"
            echo $path
        end
    end
end

set -l commands encrypt decrypt wipe hint sha1 check-value check-strength help
set -l file_commands encrypt decrypt wipe hint sha1
complete -c zkcli -f
complete -c zkcli -n "not __fish_seen_subcommand_from $commands" -a "$commands"
complete -c zkcli -n "__fish_seen_subcommand_from encrypt wipe sha1" -F
complete -c zkcli -n "__fish_seen_subcommand_from decrypt hint" -a "(__zkcli_containers)"
complete -c zkcli -n "__fish_seen_subcommand_from encrypt decrypt check-value check-strength" -s p -l password -x -d "the password"
complete -c zkcli -n "__fish_seen_subcommand_from encrypt decrypt check-value check-strength" -l password-stdin -d "read the password from standard input"
complete -c zkcli -n "__fish_seen_subcommand_from encrypt" -l hint -x -d "password hint"
complete -c zkcli -n "__fish_seen_subcommand_from encrypt" -s a -l algorithm -x -a "twofish rijndael gost" -d "cipher"
complete -c zkcli -n "__fish_seen_subcommand_from encrypt" -l naming -x -a "enc own random" -d "output names"
complete -c zkcli -n "__fish_seen_subcommand_from encrypt" -l ext -x -d "own extension"
complete -c zkcli -n "__fish_seen_subcommand_from encrypt" -l level -x -a "1 2 3 4" -d "security level"
complete -c zkcli -n "__fish_seen_subcommand_from encrypt decrypt" -l wipe-source -d "wipe the source afterwards"
complete -c zkcli -n "__fish_seen_subcommand_from encrypt decrypt" -s o -l output -r -F -d "output file"
complete -c zkcli -n "__fish_seen_subcommand_from encrypt decrypt wipe" -s j -l jobs -x -d "files at once"
complete -c zkcli -n "__fish_seen_subcommand_from wipe" -s y -l yes -d "wipe without asking"
complete -c zkcli -n "__fish_seen_subcommand_from $file_commands" -l json -d "one JSON object per file"
complete -c zkcli -n "__fish_seen_subcommand_from $file_commands" -l files-from -r -F -d "more paths from a file"
complete -c zkcli -n "__fish_seen_subcommand_from $file_commands" -s 0 -l null -d "names of --files-from end with NUL"
complete -c zkcli -n "__fish_seen_subcommand_from $file_commands" -l no-recurse -d "only the files directly in a folder"
complete -c zkcli -s h -l help -d "the help text"
