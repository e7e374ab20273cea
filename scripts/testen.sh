#!/usr/bin/env bash
# Installs what is missing, builds every test and runs them headless under ctest.
#   --sanitize   build in a separate folder with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/pakete.sh

ordner=build/tests
optionen=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTROPFWERK_TESTS=ON)
if [[ "${1:-}" == "--sanitize" ]]; then
  ordner=build/sanitize
  optionen=(-DCMAKE_BUILD_TYPE=Debug -DTROPFWERK_TESTS=ON -DTROPFWERK_SANITIZE=ON)
fi
if [[ "${CI:-}" == "true" ]]; then
  optionen+=(-DTROPFWERK_WERROR=ON)
fi

cmake -S . -B "$ordner" -G Ninja "${optionen[@]}"
cmake --build "$ordner"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$ordner" --output-on-failure -j2
