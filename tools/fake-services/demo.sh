#!/usr/bin/env bash
# Offline demo: starts fake-services on loopback with the demo phrase graph,
# points the command-line harvester at it and harvests the seed 长尾词.
#
#   bash tools/fake-services/demo.sh [SEED] [harvester options...]
#
# BUILD_DIR (default: build) names the CMake build folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${BUILD_DIR:-$root/build}" && pwd)"
server="$build/tools/fake-services/fake-services"
harvest="$build/tools/longtail-harvest/longtail-harvest"
graph="$root/tools/fake-services/demo.graph"
seed="${1:-长尾词}"
shift || true

for bin in "$server" "$harvest"; do
  if [ ! -x "$bin" ]; then
    echo "demo: $bin is not built (cmake --build $build)" >&2
    exit 1
  fi
done

. "$root/tools/fake-services/serve.sh"
work="$(mktemp -d)"
serve_fake_services demo "$server" --log "$work/requests.log" "$graph"

echo "== fake-services on 127.0.0.1:$port, phrase graph $graph"
echo "== longtail-harvest${*:+ $*} $seed"
# The harvester's side file is written to its working folder; keep it in the
# scratch folder. Proxies are cleared: loopback must not go through one.
(
  cd "$work"
  env -u http_proxy -u https_proxy -u all_proxy \
    LONGTAIL_SUGGEST_HOST="127.0.0.1:$port" LONGTAIL_SEARCH_HOST="127.0.0.1:$port" \
    "$harvest" --max-seconds 30 --export "$work/export.txt" "$@" "$seed"
) > "$work/results.txt" 2> "$work/status.txt"

echo "== status texts"
cat "$work/status.txt"
echo "== results ($(wc -l < "$work/results.txt") rows)"
cat "$work/results.txt"
echo "== requests served: $(wc -l < "$work/requests.log")"
echo "== export file: $(wc -c < "$work/export.txt") bytes, code page 936, CR LF line ends"
