#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvane on a writable copy of the sample project.
# The copy lives in ~/Corvane/Sample; it is made on first use and never overwritten afterwards,
# so the user's own changes to it survive later runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh

sample_built=build/sample
sample_copy="${CORVANE_SAMPLE_HOME:-$HOME/Corvane/Sample}"
if [ ! -e "$sample_copy" ]; then
  if [ -f "$sample_built/Sample.CVN" ]; then
    mkdir -p "$(dirname "$sample_copy")"
    cp -r "$sample_built" "$sample_copy"
    echo "Copied the sample project to $sample_copy"
  else
    echo "The sample project was not built; Corvane starts without it."
  fi
fi

args=("$@")
if [ ${#args[@]} -eq 0 ] && [ -f "$sample_copy/Sample.CVN" ]; then
  args=("$sample_copy/Sample.CVN")
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: Corvane is a desktop program and needs a graphical session."
  echo "To try it without a screen, start it under a virtual display:"
  echo "  xvfb-run -a -s '-screen 0 1280x800x24' bash scripts/run.sh"
  exit 1
fi
exec ./build/src/app/corvane "${args[@]}"
