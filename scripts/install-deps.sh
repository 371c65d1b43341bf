#!/usr/bin/env bash
# Installs what renoquote needs to build, test and run, and only what is missing.
# Debian 12; as root, or through sudo when it is there.
set -euo pipefail
packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6svg6 qt6-webengine-dev qt6-charts-dev
  qt6-l10n-tools qt6-tools-dev  # lupdate and lrelease: the English interface
  libcurl4-openssl-dev libxlsxwriter-dev nlohmann-json3-dev libzip-dev libexpat1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-wqy-microhei qt6-translations-l10n
  python3
  poppler-utils python3-openpyxl
  xvfb xauth
  librsvg2-bin dpkg-dev file appstream desktop-file-utils  # the Debian package: icons, dependencies, checks
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "安装缺少的软件包: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
