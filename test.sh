#!/usr/bin/env bash
# Builds everything and runs every test (unit, loopback, headless, Xvfb smoke,
# fuzz smoke runs). Usage: bash test.sh
set -euo pipefail
cd "$(dirname "$0")"
bash install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure
