#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages the build, the tests and the tools need, if any is missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    qt6-base-private-dev libwayland-dev wayland-protocols libxcb-present-dev
    weston qt6-wayland
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core
    xvfb xauth xdotool xclip x11-utils imagemagick poppler-utils libx11-dev
    python3 python3-pyatspi at-spi2-core dbus-daemon
    clang libclang-rt-dev
    dpkg-dev file
    lintian desktop-file-utils appstream clang-format
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
