#!/usr/bin/env bash
# Installs what is missing, builds orvexp and runs every test under
# AddressSanitizer and UBSan, then the fuzz targets (clang libFuzzer) over their
# corpus and for a short fixed time. (The whole suite once more in the release
# build would double the build time for little: `cmake --preset release &&
# cmake --build --preset release && ctest --preset release` runs it.)
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

echo "== asan =="
cmake --preset asan -DORVEXP_WARNINGS_AS_ERRORS=ON
cmake --build --preset asan
ctest --preset asan

echo "== fuzz =="
cmake --preset fuzz -DORVEXP_WARNINGS_AS_ERRORS=ON
cmake --build --preset fuzz
ctest --preset fuzz
