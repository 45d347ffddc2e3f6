#!/usr/bin/env bash
# Builds everything and runs every test (unit, loopback, headless, Xvfb smoke,
# fuzz smoke runs), then runs the threaded tests again under ThreadSanitizer.
# Usage: bash test.sh
set -euo pipefail
cd "$(dirname "$0")"
bash install-deps.sh
bash tools/checks/check-format.sh
python3 tools/checks/check-includes.py
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure

# The event loop and the HTTP component are the code that crosses threads.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLT_SANITIZE=thread \
  -DLT_BUILD_BENCH=OFF -DLT_BUILD_FUZZ=OFF
cmake --build build-tsan -j"$jobs" --target loop_tests net_tests
ctest --test-dir build-tsan -j"$jobs" --output-on-failure -R '^(EventLoop|WebGetTest|SplitUrlTest)\.'
