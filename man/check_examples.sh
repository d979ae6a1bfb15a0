#!/usr/bin/env bash
# Runs every example of the manual page ("$ morvek ARGS" inside .EX/.EE,
# followed by its output) with the built program and compares: the lines
# shown must be the first lines of what the program prints, with tabs
# expanded to eight-column stops and blanks at line ends left out. An
# example that pipes into morvek ("$ printf ... | morvek --batch ...") runs
# in bash, with the built program first on the PATH.
#
#   man/check_examples.sh PAGE MORVEK
set -euo pipefail
page=${1:?usage: check_examples.sh PAGE MORVEK}
morvek=${2:?usage: check_examples.sh PAGE MORVEK}

# One record per line: "C<tab>arguments" starts an example, "L<tab>text" is a
# line of its output, roff escapes undone.
records=$(awk '
  function plain(s) { gsub(/\\&/, "", s); gsub(/\\-/, "-", s); gsub(/\\e/, "\\\\", s); gsub(/\\\(aq/, "\047", s); return s }
  /^\.EX/ { inside = 1; current = 0; next }
  /^\.EE/ { inside = 0; current = 0; next }
  inside && /^\$ .*\| *(morvek|jq) / { current = 1; sub(/^\$ /, ""); print "P\t" plain($0); next }
  inside && /^\$ morvek( |$)/ { current = 1; sub(/^\$ morvek ?/, ""); print "C\t" plain($0); next }
  inside && /^\$ / { current = 0; next }
  inside && current { print "L\t" plain($0) }
' "$page")

examples=0
failures=0
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
ln -s "$(cd "$(dirname "$morvek")" && pwd)/$(basename "$morvek")" "$bin/morvek"
check() {
  local kind=$1 arguments=$2 expected=$3 actual
  if [[ $kind == P ]]; then
    actual=$(PATH="$bin:$PATH" bash -o pipefail -c "$arguments" 2>/dev/null | expand -t 8 | sed 's/[[:space:]]*$//'; echo x)
  else
    # The arguments are words without blanks, so splitting them is intended.
    # shellcheck disable=SC2086
    actual=$("$morvek" $arguments | expand -t 8 | sed 's/[[:space:]]*$//'; echo x)
  fi
  actual=${actual%x}
  examples=$((examples + 1))
  if [[ ${actual:0:${#expected}} != "$expected" ]]; then
    failures=$((failures + 1))
    echo "check_examples: morvek $arguments prints other lines than the page shows"
    diff <(printf '%s' "$expected") <(printf '%s' "${actual:0:${#expected}}") || true
  fi
}

arguments=
expected=
example_kind=
while IFS=$'\t' read -r kind text; do
  if [[ $kind == C || $kind == P ]]; then
    [[ -n $example_kind ]] && check "$example_kind" "$arguments" "$expected"
    arguments=$text
    expected=
    example_kind=$kind
  else
    expected+=$text$'\n'
  fi
done <<<"$records"
[[ -n $example_kind ]] && check "$example_kind" "$arguments" "$expected"

if ((examples == 0)); then
  echo "check_examples: no examples found in $page"
  exit 1
fi
echo "check_examples: $examples examples, $failures differ"
((failures == 0))
