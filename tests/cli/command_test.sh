#!/usr/bin/env bash
# The real vfx from outside: quiet when its reader goes away, as cat is; what `cmake --install`
# puts in place; the bash completion offering presets and formats.
#
#   command_test.sh <vfx> <build folder> <source folder>
set -uo pipefail
vfx=$1 build=$2 source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAILED: $*"; status=1; }

# A closed pipe: the default SIGPIPE ends vfx, as it ends cat (status 141 in the shell), and
# nothing is said on standard error.
yes 'a line for the pipe that closes' | head -c 20000000 >"$work/big.txt"
"$vfx" --format ansi --color=always -f "$work/big.txt" 2>"$work/err" | head -1 >/dev/null
vfx_status=${PIPESTATUS[0]}
cat "$work/big.txt" 2>/dev/null | head -1 >/dev/null
cat_status=${PIPESTATUS[0]}
[ "$vfx_status" = "$cat_status" ] || fail "vfx | head -1 ended with $vfx_status, cat with $cat_status"
[ -s "$work/err" ] && fail "vfx | head -1 said: $(cat "$work/err")"

cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
for file in bin/vfx share/man/man1/vfx.1 share/bash-completion/completions/vfx; do
  [ -f "$work/prefix/$file" ] || fail "not installed: $file"
done

complete_words() {  # complete_words <word...>: what the completion offers for the last word
  PATH=$(dirname "$vfx"):$PATH bash -c 'source "$0"; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1));
    _vfx; echo "${COMPREPLY[*]}"' "$source/cli/vfx.bash" vfx "$@"
}
[ "$(complete_words -p neon)" = "neon-sign" ] || fail "completion of a preset: $(complete_words -p neon)"
[ "$(complete_words --format mini)" = "minimessage" ] || fail "completion of a format"
[ "$(complete_words --pre)" = "--preset" ] || fail "completion of an option: $(complete_words --pre)"

[ $status -eq 0 ] && echo "vfx from outside: a closed pipe, the installed files, the completion"
exit $status
