#!/usr/bin/env bash
# Installs what is missing, then checks everything CI checks, in this order:
#   1. formatting of every source file (clang-format 14);
#   2. the normal build with warnings as errors, and every test suite (GoogleTest and Qt Test);
#   3. every test suite again, built with AddressSanitizer and UBSan (build-asan/); any report
#      fails the test that made it;
#   4. each fuzz harness for a few seconds on its seed corpus (clang, build-fuzz/).
# Every step runs even when an earlier one failed, so one run shows every problem; the script
# fails when any step failed. By default (and so in CI) all four run; CORVANE_TEST_STEPS names
# the steps to run instead, e.g. "format build" for a quicker check. The sanitizer step is the
# longest: it builds everything a second time, instrumented.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
steps=${CORVANE_TEST_STEPS:-format build asan fuzz}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

failed=()
step() {
  local name=$1
  shift
  case " $steps " in *" $name "*) ;; *) return 0 ;; esac
  local start=$SECONDS
  echo "=== $name"
  if "$@"; then
    echo "=== $name passed in $((SECONDS - start)) s"
  else
    echo "=== $name FAILED after $((SECONDS - start)) s"
    failed+=("$name")
  fi
}

build_and_test() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "${launcher[@]}" >/dev/null &&
    cmake --build build -j"$jobs" &&
    ctest --test-dir build --output-on-failure -j"$jobs"
}

# halt_on_error and -fno-sanitize-recover make the first report end the test with a failure;
# leaks are reported as well.
asan_build_and_test() {
  export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_SANITIZE=ON \
    -DCORVANE_BUILD_BENCH=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "${launcher[@]}" >/dev/null &&
    cmake --build build-asan -j"$jobs" &&
    ctest --test-dir build-asan --output-on-failure -j"$jobs"
}

fuzz_briefly() {
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_BUILD_FUZZ=ON -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF \
    "${launcher[@]}" >/dev/null &&
    cmake --build build-fuzz -j"$jobs" --target corvane_fuzz &&
    ctest --test-dir build-fuzz -L fuzz --output-on-failure
}

step format bash scripts/check-format.sh
step build build_and_test
step asan asan_build_and_test
step fuzz fuzz_briefly

if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All checks passed."
