#!/usr/bin/env bash
# Installs what is missing, builds orvexp and runs every test: the release
# build, then the whole suite again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

for preset in release asan; do
  echo "== $preset =="
  cmake --preset "$preset" -DORVEXP_WARNINGS_AS_ERRORS=ON
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
