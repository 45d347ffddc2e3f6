#!/usr/bin/env bash
# Fails when a C++ source file differs from what .clang-format makes of it.
# Usage: bash tools/checks/check-format.sh   (run from anywhere; `-i` fixes)
set -euo pipefail
cd "$(dirname "$0")/../.."
if ! command -v clang-format >/dev/null; then
  echo "check-format: clang-format is not installed; skipped" >&2
  exit 0
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null | grep -v '/corpus/' || true)
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-}" = "-i" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=$(clang-format --dry-run "${files[@]}" 2>&1 | grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error)' | cut -d: -f1 | sort -u || true)
if [ -n "$bad" ]; then
  echo "check-format: these files need 'bash tools/checks/check-format.sh -i':" >&2
  echo "$bad" >&2
  exit 1
fi
