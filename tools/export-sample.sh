#!/usr/bin/env bash
# Exports the sample data folder that the build writes beside orvexp, without a
# window: the year 2026 as CSV (schedules and memos) and as an iCalendar file,
# and December 2026 as one HTML page. Used by run-sample.sh on a machine without a display, and by a test.
#
#   tools/export-sample.sh BUILD_DIR OUTDIR     e.g. build/release orvexp-sample-output
set -euo pipefail

if [[ $# -ne 2 ]]; then
  echo "usage: tools/export-sample.sh BUILD_DIR OUTDIR" >&2
  exit 2
fi
build_dir=$1
out_dir=$2
orvexp=$build_dir/app/orvexp
data=$build_dir/app/schedule.dat

if [[ ! -x $orvexp ]]; then
  echo "export-sample.sh: $orvexp is not built" >&2
  exit 1
fi
if [[ ! -f $data ]]; then
  echo "export-sample.sh: no sample data at $data (build the orvexp_sample_data target)" >&2
  exit 1
fi

mkdir -p "$out_dir"
csv=$out_dir/sample-2026.csv
html=$out_dir/sample-2026-12.html
ics=$out_dir/sample-2026.ics
"$orvexp" export --type csv-both --data "$data" --from 2026/01/01 --to 2026/12/31 \
  --no-empty-memos --output "$csv"
"$orvexp" export --type html-both --data "$data" --from 2026/12/01 --to 2026/12/31 --output "$html"
"$orvexp" export --type ics --data "$data" --from 2026/01/01 --to 2026/12/31 --output "$ics"

echo "CSV  (Shift_JIS): $(realpath "$csv")"
echo "HTML (Shift_JIS): $(realpath "$html")"
echo "ICS  (UTF-8):     $(realpath "$ics")"
