#!/usr/bin/env bash
# Builds everything and runs every test:
#   1. the normal build: core, command line, windows, and all their tests; then its Debian
#      package, built and checked (scripts/check-package.sh);
#   2. the core, the command line and their tests again under AddressSanitizer and UBSan;
#   3. the libFuzzer targets (clang), each for a bounded time from the seed corpus in fuzz/.
# Any failing test, sanitizer report or broken fuzz invariant fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fuzz_seconds=${RENOQUOTE_FUZZ_SECONDS:-20}
passed=0

run_ctest() {
  local log
  log=$(mktemp)
  ctest --test-dir "$1" --output-on-failure -j2 --timeout 600 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  local count
  count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
  rm -f "$log"
  [ "$status" -eq 0 ] || exit "$status"
  passed=$((passed + ${count:-0}))
}

echo "== build and test =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
cmake --build build -j2
run_ctest build

echo "== Debian package =="
package_log=$(mktemp)
if ! bash scripts/check-package.sh build 2>&1 | tee "$package_log"; then
  echo "package: $passed passed, 1 failed"
  exit 1
fi
package_checks=$(sed -n 's/^package checks: \([0-9]*\) passed$/\1/p' "$package_log")
rm -f "$package_log"
passed=$((passed + ${package_checks:-0}))

echo "== sanitizers (AddressSanitizer, UBSan) =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRENOQUOTE_SANITIZE=ON \
  -DRENOQUOTE_BUILD_UI=OFF -DRENOQUOTE_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build build-asan -j2
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_ctest build-asan

echo "== fuzzing (${fuzz_seconds} s a target) =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRENOQUOTE_FUZZ=ON \
  -DRENOQUOTE_BUILD_UI=OFF -DRENOQUOTE_BUILD_TESTS=OFF -DRENOQUOTE_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build build-fuzz -j2
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work="build-fuzz/corpus/$name"
  mkdir -p "$work" "fuzz/corpus/$name"
  echo "-- $name"
  if ! "$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/$name-" "$work" "fuzz/corpus/$name" > "build-fuzz/$name.log" 2>&1; then
    tail -n 40 "build-fuzz/$name.log"
    echo "fuzz: $passed passed, 1 failed"
    exit 1
  fi
  grep -E '^stat::number_of_executed_units' "build-fuzz/$name.log" || true
  passed=$((passed + 1))
done

echo "all: $passed passed, 0 failed"
