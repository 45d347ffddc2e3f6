#!/usr/bin/env bash
# Builds everything and runs every test (unit, loopback, headless, Xvfb smoke,
# fuzz smoke runs); then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the threaded suites (event loop, HTTP
# component, harvest run, command-line harvester end to end) under
# ThreadSanitizer. Sanitizer builds skip the benchmarks.
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

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLT_SANITIZE=address -DLT_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan -j"$jobs" --output-on-failure

# The code that crosses threads: the event loop's mailbox, the HTTP workers,
# and the harvest run driving them, in process, through the window and as the
# command-line tool.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLT_SANITIZE=thread \
  -DLT_BUILD_BENCH=OFF -DLT_BUILD_FUZZ=OFF
cmake --build build-tsan -j"$jobs" --target loop_tests net_tests harvest_tests harvest_cli_tests \
  fake_services_tests harvest_e2e_tests app_run_tests
ctest --test-dir build-tsan -j"$jobs" --output-on-failure -L threads
