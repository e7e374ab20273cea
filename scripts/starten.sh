#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and starts it in its build folder,
# which holds the data files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/pakete.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTROPFWERK_TESTS=OFF
cmake --build build/release --target tropfwerk
cd build/release
exec ./tropfwerk
