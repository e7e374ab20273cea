#!/usr/bin/env bash
# Installs what is missing, builds every test and runs them headless under ctest.
#   --sanitize   build in a separate folder with AddressSanitizer and UndefinedBehaviorSanitizer
#   --clang      build everything with clang, the fuzz targets as libFuzzer programs, and run
#                each fuzzer for 60 seconds from its corpus (instead of the tests)
#   --werror     warnings are errors
set -euo pipefail
cd "$(dirname "$0")/.."

ordner=build/tests
optionen=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTROPFWERK_TESTS=ON -DTROPFWERK_WERROR=OFF)
clang=false
for argument in "$@"; do
  case "$argument" in
    --sanitize)
      ordner=build/sanitize
      optionen[0]=-DCMAKE_BUILD_TYPE=Debug
      optionen+=(-DTROPFWERK_SANITIZE=ON)
      ;;
    --clang)
      clang=true
      ordner=build/clang
      optionen+=(-DTROPFWERK_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
      ;;
    --werror) optionen+=(-DTROPFWERK_WERROR=ON) ;;
    *) echo "unbekannte Angabe: $argument" >&2; exit 2 ;;
  esac
done

if $clang; then
  bash scripts/pakete.sh --clang
else
  bash scripts/pakete.sh
fi
cmake -S . -B "$ordner" -G Ninja "${optionen[@]}"
cmake --build "$ordner"

if $clang; then
  # The fuzzers add what they find to a copy of the corpus, never to the committed one.
  arbeit=$(mktemp -d)
  trap 'rm -rf "$arbeit"' EXIT
  for ziel in container csvstrom binaerstrom berechnung; do
    cp -r "fuzz/korpus/$ziel" "$arbeit/$ziel"
    "$ordner/fuzz/fuzz_$ziel" -max_total_time=60 -print_final_stats=1 "$arbeit/$ziel"
  done
  exit 0
fi

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
