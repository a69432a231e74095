#!/usr/bin/env bash
# Sets up, builds the test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every test headless, then runs each fuzz
# target for 30 seconds (when clang is there).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build/test" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DMERVALLA_TESTS=ON -DMERVALLA_SANITIZE=ON >/dev/null
cmake --build "$here/build/test"
(cd "$here/build/test" &&
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j 2 "$@")
"$here/scripts/fuzz.sh" 30
