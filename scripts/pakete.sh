#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when they are missing.
set -euo pipefail

pakete=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev qt6-translations-l10n
  qt6-tools-dev qt6-l10n-tools
  libgl-dev fonts-liberation2
  libgtest-dev libgmock-dev libbenchmark-dev libssl-dev zlib1g-dev
  poppler-utils locales
  dpkg-dev file man-db
)
for argument in "$@"; do
  case "$argument" in
    --clang) pakete+=(clang libclang-rt-14-dev clang-format) ;;
    --fotos) pakete+=(xvfb xauth) ;;
    # checking the Debian package: lintian, hardening-check, the desktop entry and metainfo
    --paket) pakete+=(lintian devscripts desktop-file-utils appstream) ;;
  esac
done

fehlend=()
for p in "${pakete[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || fehlend+=("$p")
done
[[ ${#fehlend[@]} -eq 0 ]] && exit 0

als_root=()
if [[ $(id -u) -ne 0 ]]; then
  als_root=(sudo)
fi
echo "Installiere: ${fehlend[*]}"
"${als_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${als_root[@]}" apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
