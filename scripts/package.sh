#!/usr/bin/env bash
# Builds the Debian package of MerValla: installs what is missing, builds the
# program optimised in build/package and makes mervalla_<version>_<arch>.deb
# there with CPack. Install it with: sudo apt install ./build/package/mervalla_*.deb
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
build="$here/build/package"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build"
rm -f "$build"/mervalla_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/mervalla_*.deb
