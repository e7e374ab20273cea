#!/usr/bin/env bash
# Formats every C++ file of the project with .clang-format; with --pruefen only checks and fails
# on the first file that is not formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/pakete.sh --clang
mapfile -t dateien < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == "--pruefen" ]]; then
  clang-format --dry-run --Werror "${dateien[@]}"
  echo "${#dateien[@]} Dateien formatiert"
else
  clang-format -i "${dateien[@]}"
fi
