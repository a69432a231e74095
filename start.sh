#!/usr/bin/env bash
# Sets up, builds (optimised) and starts MerValla. Arguments go to the program,
# for example: ./start.sh --data ~/Bokforing
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$here/build/release" --target mervalla
exec "$here/build/release/app/mervalla" "$@"
