#!/bin/sh
# Renders a manual page and fails on any warning or error the formatter
# prints. Exits 77 (a skip for the test driver) where no formatter exists.
#
#   man/check_page.sh PAGE
set -u
page=${1:?usage: check_page.sh PAGE}
[ -r "$page" ] || { echo "check_page: cannot read $page" >&2; exit 1; }

checked=0
failed=0
report() {
  if [ -n "$2" ]; then
    echo "check_page: $1 warns about $page:"
    echo "$2"
    failed=1
  fi
}

if command -v groff >/dev/null 2>&1; then
  # The typesetter and the terminal device break lines differently: check both.
  for device in ps utf8; do
    report "groff -ww -z -man -T$device" "$(groff -ww -z -man -T"$device" "$page" 2>&1)"
  done
  checked=1
fi
if command -v man >/dev/null 2>&1; then
  report "man --warnings -l" "$(MANWIDTH=80 man --warnings=all -l "$page" 2>&1 >/dev/null)"
  checked=1
fi

if [ "$checked" -eq 0 ]; then
  echo "check_page: neither groff nor man is installed; not checked"
  exit 77
fi
[ "$failed" -eq 0 ] && echo "check_page: $page renders without warnings"
exit "$failed"
