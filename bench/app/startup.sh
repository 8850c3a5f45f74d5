#!/usr/bin/env bash
# Start-up time to a shown main window with the sample project open, median of N runs.
# Usage: bench/app/startup.sh [build-dir] [runs]   (needs a display, or runs itself under xvfb-run)
set -euo pipefail
build="${1:-build}"
runs="${2:-11}"
exe="$build/src/app/corvane"
project="$build/sample/Sample.CVN"
if [ -z "${DISPLAY:-}" ] && [ -z "${CORVANE_UNDER_XVFB:-}" ]; then
  exec env CORVANE_UNDER_XVFB=1 xvfb-run -a -s '-screen 0 1280x800x24' bash "$0" "$build" "$runs"
fi
# A private home: the run must not touch the user's preferences or lock file.
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cp -r "$(dirname "$project")" "$home/sample"
times=()
for _ in $(seq "$runs"); do
  t=$("$exe" --startup-benchmark "$home/sample/Sample.CVN" | awk '/^startup_ms/ {print $2}')
  times+=("$t")
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
median=$(echo "$sorted" | awk -v n="$runs" 'NR == int((n + 1) / 2)')
echo "start-up runs (ms): $(echo $sorted)"
echo "median start-up to a shown main window with the sample project: ${median} ms"
