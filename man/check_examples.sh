#!/usr/bin/env bash
# Runs every example of the manual page ("$ morvek ARGS" inside .EX/.EE,
# followed by its output) with the built program and compares: the lines
# shown must be the first lines of what the program prints, with tabs
# expanded to eight-column stops and blanks at line ends left out.
#
#   man/check_examples.sh PAGE MORVEK
set -euo pipefail
page=${1:?usage: check_examples.sh PAGE MORVEK}
morvek=${2:?usage: check_examples.sh PAGE MORVEK}

# One record per line: "C<tab>arguments" starts an example, "L<tab>text" is a
# line of its output, roff escapes undone.
records=$(awk '
  function plain(s) { gsub(/\\&/, "", s); gsub(/\\-/, "-", s); return s }
  /^\.EX/ { inside = 1; current = 0; next }
  /^\.EE/ { inside = 0; current = 0; next }
  inside && /^\$ morvek( |$)/ { current = 1; sub(/^\$ morvek ?/, ""); print "C\t" plain($0); next }
  inside && /^\$ / { current = 0; next }
  inside && current { print "L\t" plain($0) }
' "$page")

examples=0
failures=0
check() {
  local arguments=$1 expected=$2 actual
  # The arguments are words without blanks, so splitting them is intended.
  # shellcheck disable=SC2086
  actual=$("$morvek" $arguments | expand -t 8 | sed 's/[[:space:]]*$//'; echo x)
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
have_example=0
while IFS=$'\t' read -r kind text; do
  if [[ $kind == C ]]; then
    ((have_example)) && check "$arguments" "$expected"
    arguments=$text
    expected=
    have_example=1
  else
    expected+=$text$'\n'
  fi
done <<<"$records"
((have_example)) && check "$arguments" "$expected"

if ((examples == 0)); then
  echo "check_examples: no examples found in $page"
  exit 1
fi
echo "check_examples: $examples examples, $failures differ"
((failures == 0))
