#!/usr/bin/env bash
# Builds Ostrane and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh build
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DOSTRANE_BUILD_TESTS=OFF -DOSTRANE_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target ostrane
exec build/ostrane "$@"
