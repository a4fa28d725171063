#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (a plain build, then a
# build with AddressSanitizer and UndefinedBehaviorSanitizer).
# Exit status is non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/orvanel-runtime.XXXXXX)}
chmod 700 "$XDG_RUNTIME_DIR"

echo "== Build"
configure_and_build build -DORVANEL_BUILD_TESTS=ON -DORVANEL_BUILD_BENCH=ON -DORVANEL_SANITIZE=OFF
echo "== Tests"
ctest --test-dir build --output-on-failure --no-tests=error --timeout 600

echo "== Build with sanitizers"
configure_and_build build-asan -DORVANEL_SANITIZE=ON -DORVANEL_BUILD_TESTS=ON -DORVANEL_BUILD_BENCH=OFF
echo "== Tests with sanitizers"
# Leaks are left to the leak checks; here any invalid access or undefined behaviour fails.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --no-tests=error --timeout 900

echo "== Fuzzing (libFuzzer with AddressSanitizer, a bounded time per target)"
BUILD_TARGETS="fuzz_numbertext fuzz_calculator fuzz_inistore" \
  configure_and_build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DORVANEL_FUZZ=ON \
  -DORVANEL_BUILD_TESTS=OFF -DORVANEL_BUILD_BENCH=OFF
ctest --test-dir build-fuzz --output-on-failure --no-tests=error

echo "All tests passed."
