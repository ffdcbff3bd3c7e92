#!/usr/bin/env bash
# Installs what is missing, builds orvexp and runs every test: the release
# build, then the whole suite again under AddressSanitizer and UBSan, then the
# fuzz targets (clang libFuzzer) over their corpus and for a short fixed time.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

for preset in release asan; do
  echo "== $preset =="
  cmake --preset "$preset" -DORVEXP_WARNINGS_AS_ERRORS=ON
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "== fuzz =="
cmake --preset fuzz -DORVEXP_WARNINGS_AS_ERRORS=ON
cmake --build --preset fuzz
ctest --preset fuzz
