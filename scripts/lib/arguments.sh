# Sourced by the scripts, which read all their arguments before doing anything: --help or -h
# anywhere prints the script's usage and ends it; an argument it does not take prints the
# usage on standard error and ends it with status 2. Before calling `read_arguments "$@"`, a
# script sets `usage` and defines `takes ARGUMENT`, which succeeds for an argument it takes;
# one outside scripts/ also sets `name`, how it is called from the top of the clone.
read_arguments() {
  local argument
  for argument in "$@"; do
    case "$argument" in --help|-h) printf '%s\n' "$usage"; exit 0 ;; esac
  done
  for argument in "$@"; do
    if ! takes "$argument"; then
      printf '%s: unknown argument "%s"\n%s\n' "${name:-scripts/$(basename "$0")}" "$argument" "$usage" >&2
      exit 2
    fi
  done
}
