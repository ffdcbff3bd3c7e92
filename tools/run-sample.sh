#!/usr/bin/env bash
# Installs what is missing, builds orvexp (release) with the sample data folder
# beside it, and runs it on that sample: with a display the wizard opens (page 2
# proposes the sample's schedule.dat); without one the sample is exported to a
# CSV, an HTML and an iCalendar file in ./orvexp-sample-output/.
set -euo pipefail
caller_dir=$PWD
cd "$(dirname "$0")/.."
source_dir=$PWD

tools/install-deps.sh
cmake --preset release
cmake --build --preset release --target orvexp orvexp_sample_data

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  echo "Starting the wizard; page 2 proposes $source_dir/build/release/app/schedule.dat"
  exec build/release/app/orvexp
fi
echo "No display: exporting the sample instead of opening the wizard."
tools/export-sample.sh build/release "$caller_dir/orvexp-sample-output"
