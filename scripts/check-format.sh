#!/usr/bin/env bash
# Checks that every C++ source file of the repository is formatted as .clang-format says, with
# clang-format 14 (the version on Debian 12; other versions format some constructs differently,
# so the check insists on this one). Lists the files that differ and fails; changes nothing.
# To fix them: clang-format-14 -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."

formatter=${CLANG_FORMAT:-clang-format-14}
if ! command -v "$formatter" >/dev/null; then
  echo "check-format: $formatter is not installed (scripts/setup.sh installs it)" >&2
  exit 2
fi
if ! "$formatter" --version | grep -q 'version 14\.'; then
  echo "check-format: $formatter is not clang-format 14: $("$formatter" --version)" >&2
  exit 2
fi

# One formatter process per batch of files: --dry-run --Werror names each file that would change.
mapfile -t differ < <(
  git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h' '*.hpp' '*.c' '*.cc' |
    xargs -0 -r -n 64 "$formatter" --style=file --dry-run --Werror 2>&1 |
    sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)

if [ ${#differ[@]} -gt 0 ]; then
  echo "check-format: ${#differ[@]} file(s) differ from clang-format 14:" >&2
  printf '  %s\n' "${differ[@]}" >&2
  exit 1
fi
echo "check-format: every source file is formatted"
