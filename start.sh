#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
#
#   bash start.sh            the window (longtail) against the real services
#   bash start.sh --demo     the window against the bundled fake services on
#                            loopback (the demo phrase graph); they stop when
#                            the window closes
#   bash start.sh ARGS...    the command-line harvester: longtail-harvest ARGS
#
# Without a display the window cannot open; the offline command-line demo
# runs instead, so the harvester is always shown at work.
set -euo pipefail
cd "$(dirname "$0")"
root="$(pwd)"
bash install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"

demo=""
if [ "${1:-}" = "--demo" ]; then
  demo=1
  shift
fi
if [ $# -gt 0 ]; then
  exec ./build/tools/longtail-harvest/longtail-harvest "$@"
fi

window="$root/build/app/longtail"
# The window's status when there is no display to open it on.
no_display=2

offline_demo() {
  echo "start.sh: no display for the window; running the offline command-line demo instead" >&2
  exec bash tools/fake-services/demo.sh
}

if [ -z "$demo" ]; then
  status=0
  "$window" || status=$?
  [ "$status" -eq "$no_display" ] && offline_demo
  exit "$status"
fi

# The window against fake-services on loopback.
. tools/fake-services/serve.sh
work="$(mktemp -d)"
serve_fake_services start.sh "$root/build/tools/fake-services/fake-services" tools/fake-services/demo.graph
echo "start.sh: fake services on 127.0.0.1:$port (demo graph); type 长尾词 and press 查询" >&2

# The window's resume file goes to the scratch folder; loopback must not go
# through a proxy.
status=0
(
  cd "$work"
  env -u http_proxy -u https_proxy -u all_proxy \
    LONGTAIL_SUGGEST_HOST="127.0.0.1:$port" LONGTAIL_SEARCH_HOST="127.0.0.1:$port" "$window"
) || status=$?
if [ "$status" -eq "$no_display" ]; then
  stop_fake_services
  offline_demo
fi
exit "$status"
