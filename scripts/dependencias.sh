#!/usr/bin/env bash
# Installs the Debian packages the project needs, when any is missing.
# Every package the build, the tests and the benchmarks use is listed here, once.
set -euo pipefail

PAQUETES=(
    build-essential
    cmake
    ninja-build
    pkg-config
    git
    googletest
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    clang-format
    ccache
    qt6-base-dev
    qt6-base-dev-tools
    libgl-dev
    fontconfig
    fonts-dejavu-core
    xvfb
    xauth
    imagemagick
    xdotool
    liborcus-dev
    libixion-dev
    libboost-dev
    libfreexl-dev
    libxlsxwriter-dev
    python3-openpyxl
    python3-xlwt
    poppler-utils
)

faltan=()
for p in "${PAQUETES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        faltan+=("$p")
    fi
done
[ ${#faltan[@]} -eq 0 ] && exit 0

echo "Instalando paquetes: ${faltan[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
