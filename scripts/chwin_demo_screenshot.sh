#!/bin/sh
# Renders the character-window demo stack offscreen into a PNG to look at:
# scripts/chwin_demo_screenshot.sh [out.png] (default /tmp/chwin_demo.png).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-/tmp/chwin_demo.png}
build=${PRISMEL_BUILD:-$root/build/demo}
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target test_chwin_qt >/dev/null
QT_QPA_PLATFORM=offscreen PRISMEL_DEMO_PNG="$out" timeout 60 \
  "$build/test-bin/test_chwin_qt" --gtest_filter='DemoStackTest.*'
echo "$out"
