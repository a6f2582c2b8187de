#!/usr/bin/env bash
# Installs the Debian packages that building, testing and the fixtures need, when missing.
set -euo pipefail
packages=(
    cmake g++ make clang libclang-rt-14-dev clang-format
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libcurl4-openssl-dev openssl nlohmann-json3-dev libcli11-dev libcairo2-dev zlib1g-dev
    mkgmap xvfb xauth python3 hyperfine time
    g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64
    dpkg-dev file lintian desktop-file-utils appstream
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq -o 'Dpkg::Options::=--path-exclude=/usr/share/doc/*' "${missing[@]}" >/dev/null
