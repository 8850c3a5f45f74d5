#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvane on a writable copy of the sample project.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Corvane is a desktop program; to try it without a screen run:"
  echo "  xvfb-run -a bash scripts/run.sh"
  exit 1
fi
exec ./build/src/app/corvane "$@"
