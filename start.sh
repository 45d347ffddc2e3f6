#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
# For now the program is the command-line harvester; with no arguments it runs
# the offline demo: a loopback copy of both services answering from a small
# phrase graph, and a harvest against it.
set -euo pipefail
cd "$(dirname "$0")"
bash install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"
if [ $# -gt 0 ]; then
  exec ./build/tools/longtail-harvest/longtail-harvest "$@"
fi
exec bash tools/fake-services/demo.sh
