#!/usr/bin/env bash
# Installs the Debian packages Zelvora needs to build and test, where they are missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config googletest libgtest-dev libgmock-dev
          libbenchmark-dev libeigen3-dev libedit-dev libstb-dev python3 clang-format
          qt6-base-dev qt6-translations-l10n fonts-dejavu-core)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
