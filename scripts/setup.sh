#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine (as root), or says what is missing.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config ccache qt6-base-dev qt6-base-dev-tools
    qt6-serialport-dev libgl-dev libqcustomplot-dev libqcustomplot2.1-qt6
    libgtest-dev libgmock-dev python3)
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == *"ok installed"* ]] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
