#!/usr/bin/env bash
# Runs every figure of app_bench: start, idle and run on a private Xvfb
# display (stopped at the end), copy headless.
#   bash bench/app/run.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
bench="$build/bench/app/app_bench"
fifo="$(mktemp -u)"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -f "$fifo"' EXIT
display=":$(head -1 "$fifo")"
export DISPLAY="$display" SDL_VIDEODRIVER=x11 SDL_FRAMEBUFFER_ACCELERATION=0
unset http_proxy https_proxy all_proxy
"$bench" start 5
"$bench" idle
"$bench" run 30
SDL_VIDEODRIVER=offscreen "$bench" copy 1000000
SDL_VIDEODRIVER=offscreen "$bench" export 1000000
