# bash completion for routix2shp: the commands, each command's options, and folders for the
# paths (files for --prj). Installed as /usr/share/bash-completion/completions/routix2shp.

_routix2shp() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  COMPREPLY=()
  if [ "$COMP_CWORD" -eq 1 ]; then
    mapfile -t COMPREPLY < <(compgen -W 'streets boundaries list --help --version' -- "$cur")
    return
  fi
  local options
  case ${COMP_WORDS[1]} in
    streets) options='--no-export --tool-folder --prj --overwrite --quiet --help --' ;;
    boundaries)
      options='--select --polyline --per-boundary --prj --overwrite --quiet --help --' ;;
    list) options='--json --help --' ;;
    *) return ;;
  esac
  case $prev in
    --select)
      mapfile -t COMPREPLY < <(compgen -W 'all' -- "$cur")
      return
      ;;
    --prj)
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return
      ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
  else
    mapfile -t COMPREPLY < <(compgen -d -- "$cur")
  fi
}
complete -o filenames -F _routix2shp routix2shp
