#!/usr/bin/env bash
# Builds Ostrane with its tests and runs them all.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh test
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DOSTRANE_SANITIZE=ON -DOSTRANE_BUILD_TESTS=ON -DOSTRANE_BUILD_BENCH=ON >/dev/null
cmake --build build-tests -j"$(nproc)"
cd build-tests
# Qt and fontconfig keep caches for the whole process: leaks are not looked for.
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
