#!/usr/bin/env bash
# Builds the console (installing what is missing) and starts it. The console
# keeps its settings (prismel.INI) and its show files beside the executable,
# in build/default/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/default -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/default -j "$(nproc)" --target prismel prismel-show prismel_assets
exec build/default/bin/prismel "$@"
