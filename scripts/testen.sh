#!/usr/bin/env bash
# Installs what is missing, builds every test and runs them headless under ctest.
#   --sanitize   build in a separate folder with AddressSanitizer and UndefinedBehaviorSanitizer
#   --werror     warnings are errors
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/pakete.sh

ordner=build/tests
optionen=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTROPFWERK_TESTS=ON -DTROPFWERK_WERROR=OFF)
for argument in "$@"; do
  case "$argument" in
    --sanitize)
      ordner=build/sanitize
      optionen[0]=-DCMAKE_BUILD_TYPE=Debug
      optionen+=(-DTROPFWERK_SANITIZE=ON)
      ;;
    --werror) optionen+=(-DTROPFWERK_WERROR=ON) ;;
    *) echo "unbekannte Angabe: $argument" >&2; exit 2 ;;
  esac
done

cmake -S . -B "$ordner" -G Ninja "${optionen[@]}"
cmake --build "$ordner"

# The number and table tests also run under a German locale. A machine without one gets it
# generated into a temporary folder; the tests then fail rather than skip when it is unusable.
export TROPFWERK_TEST_LOCALE=de_DE.UTF-8
if ! locale -a 2>/dev/null | grep -qiE '^de_DE\.utf-?8$'; then
  gebietsschemata=$(mktemp -d)
  trap 'rm -rf "$gebietsschemata"' EXIT
  localedef -i de_DE -f UTF-8 "$gebietsschemata/$TROPFWERK_TEST_LOCALE" ||
    echo "localedef konnte $TROPFWERK_TEST_LOCALE nicht erzeugen" >&2
  # only that folder is searched now: run everything else in the built-in C.UTF-8
  export LOCPATH=$gebietsschemata LC_ALL=C.UTF-8
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$ordner" --output-on-failure -j2
