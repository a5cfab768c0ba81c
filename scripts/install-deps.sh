#!/usr/bin/env bash
# Installs every Debian package Moorlet needs to build, run and test. Idempotent: when all
# packages are present it returns at once without touching apt.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libqt6dbus6 libqt6network6
  libgl-dev libxkbcommon-dev
  clang libclang-rt-14-dev ccache
  libsdl2-dev libsodium-dev libavformat-dev libavcodec-dev libswresample-dev libavutil-dev
  libarchive-dev nlohmann-json3-dev libsimdjson-dev libhowardhinnant-date-dev tzdata
  libx11-dev libxcb1-dev libx11-xcb-dev libxcb-shape0-dev libxcb-xkb-dev libxcb-screensaver0-dev
  xvfb xauth xdotool xcompmgr x11-utils x11-xserver-utils dbus
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  ffmpeg sox fonts-dejavu-core locales
  python3
  appstream desktop-file-utils librsvg2-bin dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this script as root (or with sudo) to install them." >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
