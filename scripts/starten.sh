#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and starts it; it finds the data files
# beside itself in the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/pakete.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTROPFWERK_TESTS=OFF
cmake --build build/release --target tropfwerk
exec build/release/tropfwerk "$@"
