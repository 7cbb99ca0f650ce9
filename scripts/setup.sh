#!/usr/bin/env bash
# Installs what building and testing every front end needs on Debian 12.
set -euo pipefail
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
packages=(
  build-essential cmake ninja-build clang-format
  googletest libgtest-dev libbenchmark-dev
  libpng-dev qt6-base-dev libx11-dev xvfb xauth xdotool x11-utils imagemagick desktop-file-utils python3
  clang libclang-rt-14-dev
  g++-mingw-w64-i686 wine wine32:i386
  g++-mingw-w64-x86-64 wine64
)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${packages[@]}" >/dev/null
