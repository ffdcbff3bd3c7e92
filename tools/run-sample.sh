#!/usr/bin/env bash
# Installs what is missing and builds orvexp (release), then runs its tests.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset release
cmake --build --preset release
ctest --preset release
echo "orvexp is built: build/release/app/orvexp"
