#!/usr/bin/env bash
# Takes the README's pictures of the windows and of the printed report again, under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/pakete.sh --fotos
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTROPFWERK_TESTS=OFF
cmake --build build/release --target tropfwerk-bildschirmfotos datendateien
ziel="$PWD/doc"
mkdir -p "$ziel"
(cd build/release && xvfb-run -a -s "-screen 0 1280x1024x24" ./tropfwerk-bildschirmfotos "$ziel")
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$ziel/auswertung.pdf" "$ziel/bericht"
rm -f "$ziel/auswertung.pdf"
