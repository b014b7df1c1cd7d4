#!/usr/bin/env bash
# Installs the Debian packages Zelvora needs to build and test, where they are missing, and the
# packages named as arguments.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config googletest libgtest-dev libgmock-dev
          libbenchmark-dev libeigen3-dev libedit-dev libstb-dev python3 clang-format
          qt6-base-dev qt6-translations-l10n fonts-dejavu-core)
# The manual pages (scdoc) and the icon's fixed sizes (rsvg-convert); further packages may be named
# on the command line (tools/check-package.sh names the checkers of the Debian package).
packages+=(scdoc librsvg2-bin)
# The Jupyter kernel's tests run notebooks with Debian's Python (/usr/bin/python3): the wrapper-kernel
# base class, the kernel client with its command-line tools, and the headless notebook runner.
packages+=(python3-ipykernel python3-jupyter-client jupyter-client jupyter-core python3-nbclient
           python3-nbformat "$@")
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
