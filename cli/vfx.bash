# bash completion for vfx

_vfx() {
  local cur prev
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}
  case $prev in
    -f | --file)
      COMPREPLY=($(compgen -f -- "$cur"))
      return ;;
    -p | --preset)
      COMPREPLY=($(compgen -W "$(vfx --list-presets 2>/dev/null | cut -d' ' -f1)" -- "$cur"))
      return ;;
    -F | --format)
      COMPREPLY=($(compgen -W "$(vfx --list-formats 2>/dev/null | cut -d' ' -f1)" -- "$cur"))
      return ;;
    -b | --blend)
      COMPREPLY=($(compgen -W "straight even vivid" -- "$cur"))
      return ;;
    --color | --colour)
      COMPREPLY=($(compgen -W "auto always never" -- "$cur"))
      return ;;
    -c | --colours | --colors | -r | --random | -t | --template | --width)
      return ;;
  esac
  case $cur in
    --color=* | --colour=*)
      COMPREPLY=($(compgen -W "auto always never" -- "${cur#*=}"))
      return ;;
    -*)
      COMPREPLY=($(compgen -W "--help --version --file --colours --colors --preset --random
        --blend --bold --italic --underline --strike --wavy --format --template --whole
        --columns --width --color= --list-presets --list-formats" -- "$cur"))
      [[ ${COMPREPLY[0]} == *= ]] && compopt -o nospace
      return ;;
  esac
}
complete -F _vfx vfx
