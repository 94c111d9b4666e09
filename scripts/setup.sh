#!/usr/bin/env bash
# Installs whatever this machine lacks for building and testing Prismel
# (Debian 12), then configures and builds one tree.
#   scripts/setup.sh                 install packages only
#   scripts/setup.sh NAME [ARGS...]  also build build/NAME with cmake ARGS
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake g++ pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-httpserver-dev qt6-websockets-dev libgl-dev libx11-dev libsimpleini-dev fonts-ipafont-gothic
  xvfb xauth xdotool dbus-daemon at-spi2-core python3-pyatspi iproute2 util-linux procps ola libola-dev tshark clang
  dpkg-dev desktop-file-utils liblo-dev liblo-tools librtmidi-dev chromium chromium-driver)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  # Root installs directly; anyone else needs a sudo that works (without a
  # password, or with one typed at a terminal).
  if [ "$(id -u)" -eq 0 ]; then
    sudo=()
  elif command -v sudo >/dev/null 2>&1 && { sudo -n true 2>/dev/null || { [ -t 0 ] && sudo -v; }; }; then
    sudo=(sudo)
  else
    echo "setup: installing ${missing[*]} needs root: run as root or with a working sudo" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  # Packages such as ola bring a service (olad); the tests start their own
  # copy in a private namespace, so none may be started by the installation.
  policy=/usr/sbin/policy-rc.d; made_policy=0
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | "${sudo[@]}" tee "$policy" >/dev/null && "${sudo[@]}" chmod 755 "$policy" && made_policy=1
  fi
  echo "wireshark-common wireshark-common/install-setuid boolean false" | "${sudo[@]}" debconf-set-selections 2>/dev/null || true
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
  if ((made_policy)); then "${sudo[@]}" rm -f "$policy"; fi
fi

if (($#)); then
  name=$1; shift
  cmake -S . -B "build/$name" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "build/$name" -j "$(nproc)"
fi
