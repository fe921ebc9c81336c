# bash completion for zkcli: commands, options, their values, and files (only ZK containers after decrypt
# and hint).

# Whether the file starts with the mark of a ZK container, of any version.
_zkcli_is_container() {
  local magic
  LC_ALL=C IFS= read -r -n 12 magic <"$1" 2>/dev/null
  [[ $magic == "ENCRYPTED BY" ]]
}

# Folders and files completing $1; with "containers", only the files that are containers.
_zkcli_files() {
  local cur=$1 only=$2 path
  local -a found=()
  while IFS= read -r path; do
    if [[ -d $path ]]; then
      found+=("$path")
    elif [[ $only != containers ]] || _zkcli_is_container "$path"; then
      found+=("$path")
    fi
  done < <(compgen -f -- "$cur")
  compopt -o filenames 2>/dev/null
  COMPREPLY=("${found[@]}")
}

_zkcli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local command=${COMP_WORDS[1]} options
  COMPREPLY=()
  if ((COMP_CWORD == 1)); then
    mapfile -t COMPREPLY < <(compgen -W "encrypt decrypt wipe hint sha1 check-value check-strength help --help" -- "$cur")
    return
  fi
  case $prev in
    -a | --algorithm)
      mapfile -t COMPREPLY < <(compgen -W "twofish rijndael gost" -- "$cur")
      return ;;
    --naming)
      mapfile -t COMPREPLY < <(compgen -W "enc own random" -- "$cur")
      return ;;
    --level)
      mapfile -t COMPREPLY < <(compgen -W "1 2 3 4" -- "$cur")
      return ;;
    -p | --password | --hint | --ext | -j | --jobs)
      return ;;
    -o | --output | --files-from)
      _zkcli_files "$cur"
      return ;;
  esac
  local files="--json --files-from --null --no-recurse --help"
  local password="--password --password-stdin"
  case $command in
    encrypt) options="$password --hint --algorithm --naming --ext --level --wipe-source --output --jobs $files" ;;
    decrypt) options="$password --wipe-source --output --jobs $files" ;;
    wipe) options="--yes --jobs $files" ;;
    hint | sha1) options=$files ;;
    check-value | check-strength) options="$password --help" ;;
    *) return ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    return
  fi
  case $command in
    decrypt | hint) _zkcli_files "$cur" containers ;;
    encrypt | wipe | sha1) _zkcli_files "$cur" ;;
  esac
}
complete -F _zkcli zkcli
