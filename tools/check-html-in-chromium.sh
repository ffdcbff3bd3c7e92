#!/usr/bin/env bash
# Renders an exported HTML page in headless Chromium and checks that the
# browser decodes it as Shift_JIS: the page declares "charset=x-sjis", a label
# that browsers must map to Shift_JIS, so the Japanese captions, weekday names
# and the title's "～" must come out as those characters.
#
#   tools/check-html-in-chromium.sh PAGE.html
#       checks a page written by `orvexp export --type 3|4|5`
#   tools/check-html-in-chromium.sh --export ORVEXP SCHEDULE.DAT
#       exports a week of the data folder of SCHEDULE.DAT as HTML (type 5) with
#       the given orvexp program first, then checks that page
#
# Needs Chromium (apt-get install chromium). Exit 0 when every check passes.
set -euo pipefail

browser=""
for candidate in chromium chromium-browser google-chrome; do
  if command -v "$candidate" > /dev/null; then browser="$candidate"; break; fi
done
if [[ -z "$browser" ]]; then
  echo "check-html-in-chromium: Chromium is not installed (apt-get install chromium)" >&2
  exit 2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if [[ "${1:-}" == "--export" ]]; then
  if [[ $# -ne 3 ]]; then
    echo "usage: $0 --export ORVEXP SCHEDULE.DAT" >&2
    exit 2
  fi
  page="$work/page.html"
  "$2" export --type html-both --data "$3" --from 1999/04/05 --to 1999/04/11 --output "$page"
elif [[ $# -eq 1 ]]; then
  page="$(realpath "$1")"
else
  echo "usage: $0 PAGE.html | --export ORVEXP SCHEDULE.DAT" >&2
  exit 2
fi

# The DOM as the browser built it, serialised in UTF-8. Running as root needs
# --no-sandbox; the separate profile keeps the user's own untouched.
"$browser" --headless --disable-gpu --no-sandbox --no-first-run --user-data-dir="$work/profile" \
  --dump-dom "file://$page" > "$work/dom.html" 2> "$work/browser.log" || {
  echo "check-html-in-chromium: $browser could not render $page" >&2
  tail -n 5 "$work/browser.log" >&2
  exit 1
}

failed=0
expect() { # description, extended regular expression
  if grep -Eq -- "$2" "$work/dom.html"; then
    echo "ok:   $1"
  else
    echo "FAIL: $1" >&2
    failed=1
  fi
}

expect "date header decoded (日付)" '<th[^>]*>日付</th>'
expect "title decoded with the full-width tilde (U+FF5E)" '<title>[0-9/]{10} ～ [0-9/]{10}の(予定とメモ|予定|メモ)</title>'
expect "weekday names decoded" '[0-9]{4}/[0-9]{2}/[0-9]{2}\((日|月|火|水|木|金|土)\)'
if grep -q $'\xEF\xBF\xBD' "$work/dom.html"; then
  echo "FAIL: the page holds bytes the browser could not decode (U+FFFD)" >&2
  failed=1
else
  echo "ok:   no undecodable bytes"
fi

exit "$failed"
