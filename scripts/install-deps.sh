#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the game need, and only those missing,
# so a second run costs about a second.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libpng-dev
    clang libclang-rt-14-dev
    scowl
    fonts-dejavu-core fonts-dejavu-extra fonts-comfortaa
    xauth xvfb xdotool x11-apps libx11-dev
    fonts-liberation2
    desktop-file-utils appstream
    alsa-utils sox pulseaudio
    at-spi2-core python3-pyatspi dbus qt6-base-private-dev
    dpkg-dev file lintian
    pulseaudio-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    sudo=sudo
else
    sudo=
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
