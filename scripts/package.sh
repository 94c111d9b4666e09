#!/usr/bin/env bash
# Builds the Debian package of the console (installing what is missing) into
# build/default/package and checks it in a scratch root
# (tests/package/check_package.sh). Install it with
#   sudo apt install ./build/default/package/prismel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/default -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/default -j "$(nproc)" --target prismel prismel-show prismel_man >/dev/null
rm -f build/default/package/prismel_*.deb
if ! log=$(cd build/default && cpack -G DEB 2>&1); then
  echo "$log" >&2
  exit 1
fi
deb=$(ls build/default/package/prismel_*.deb)
echo "package: $deb"
tests/package/check_package.sh "$deb"
