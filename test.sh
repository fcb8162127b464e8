#!/usr/bin/env bash
# Builds Ostrane with its tests and runs them all, then builds the fuzz targets
# with clang and runs each briefly on its seed corpus.
# Arguments go to the main tree's ctest (e.g. -R Reglages).
# Builds go through a compiler launcher when CMAKE_CXX_COMPILER_LAUNCHER is set
# in the environment (e.g. ccache).
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh test
jobs=$(nproc)

cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DOSTRANE_SANITIZE=ON -DOSTRANE_BUILD_TESTS=ON -DOSTRANE_BUILD_BENCH=ON >/dev/null
cmake --build build-tests -j"$jobs"
# libFuzzer needs clang; the fuzz tree builds the Qt-free cores on their own.
CXX=clang++ cmake -S fuzz -B build-fuzz >/dev/null
cmake --build build-fuzz -j"$jobs"

status=0
# Qt and fontconfig keep caches for the whole process: leaks are not looked for.
(cd build-tests && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
  ctest --output-on-failure -j"$jobs" "$@") || status=1
# The cores keep nothing: there, a leak is a fault.
(cd build-fuzz && UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j"$jobs") || status=1
exit $status
