#!/usr/bin/env bash
# Builds Prismel (installing what is missing) and starts the console.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh default
bin=build/default/bin
if [ -x "$bin/prismel" ]; then
  exec "$bin/prismel" "$@"
fi
echo "Built into $bin:"
ls "$bin"
echo "The console window is not built yet; prismel-show works on show folders (prismel-show --help)."
