#!/usr/bin/env bash
# CompletionTest.sh COMPLETIONS_DIR
# zkcli's completions completing words in real shells: bash (through bash-completion's loader where that
# is installed), and fish and zsh where they are installed.
set -euo pipefail
source_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The files to complete: a container, one with a name no type claims, a file that only looks like one by
# name, a plain file, a folder and a name with a blank.
mkdir "$work/files" && cd "$work/files"
printf 'ENCRYPTED BY V3.X ZK\0\0\0\0' >c.enc
printf 'ENCRYPTED BY V3.X ZK\0\0\0\0' >photo.bmp
echo plain >fake.enc
echo plain >a.txt
echo plain >'b c.txt'
mkdir d

# bash: the words typed and the completions expected, sorted and blank-separated.
bash_cases=(
  'zkcli enc|encrypt'
  'zkcli c|check-strength check-value'
  'zkcli encrypt --alg|--algorithm'
  'zkcli encrypt -a r|rijndael'
  'zkcli encrypt --naming |enc own random'
  'zkcli encrypt --level |1 2 3 4'
  'zkcli wipe --j|--jobs --json'
  'zkcli decrypt |c.enc d photo.bmp'
  'zkcli hint p|photo.bmp'
  'zkcli sha1 |a.txt b c.txt c.enc d fake.enc photo.bmp'
  'zkcli encrypt a|a.txt'
  'zkcli check-value --password-|--password-stdin'
)
bash_complete() {  # bash_complete WORDS: prints the completions of the last word
  bash --norc --noprofile -c '
    if [ -f /usr/share/bash-completion/bash_completion ]; then
      source /usr/share/bash-completion/bash_completion
      XDG_DATA_DIRS=$1 BASH_COMPLETION_USER_DIR=/nonexistent __load_completion zkcli || exit 3
    else
      source "$1/bash-completion/completions/zkcli"
    fi
    read -ra COMP_WORDS <<<"$2"
    [[ $2 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$2 COMP_POINT=${#2}
    complete -p zkcli >/dev/null || exit 4
    _zkcli zkcli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd" "' _ "$work/share" "$1"
}
# The installed layout the loader looks in: DATADIR/bash-completion/completions/zkcli.
mkdir -p "$work/share/bash-completion/completions"
cp "$source_dir/zkcli.bash" "$work/share/bash-completion/completions/zkcli"
for entry in "${bash_cases[@]}"; do
  words=${entry%%|*} expected=${entry#*|}
  got=$(bash_complete "$words") || fail "bash: '$words' ended with status $?"
  [ "$got" = "$expected" ] || fail "bash: '$words' completed to '$got', not '$expected'"
done
[ -f /usr/share/bash-completion/bash_completion ] || echo "note: bash-completion is not installed; the script was sourced directly"

if command -v fish >/dev/null; then
  fish_cases=(
    'zkcli enc|encrypt'
    'zkcli encrypt --naming |enc own random'
    'zkcli decrypt |c.enc d/ photo.bmp'
  )
  for entry in "${fish_cases[@]}"; do
    words=${entry%%|*} expected=${entry#*|}
    got=$(fish --no-config -c "source $source_dir/zkcli.fish; complete -C '$words'" | cut -f1 | sort | paste -sd' ')
    [ "$got" = "$expected" ] || fail "fish: '$words' completed to '$got', not '$expected'"
  done
else
  echo "note: fish is not installed"
fi

if command -v zsh >/dev/null; then
  # zsh reads the function without complaint, as compinit would.
  zsh -n "$source_dir/_zkcli" || fail "zsh cannot read _zkcli"
else
  echo "note: zsh is not installed"
fi

[ "$failures" = 0 ] && echo "zkcli's completions complete as expected"
exit $((failures > 0))
