#!/usr/bin/env bash
# Builds the desktop program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target renoquote renoquote-cli
if [ -x build/app/renoquote ]; then
  exec build/app/renoquote
fi
echo "桌面程序尚未完成；已构建命令行工具 build/cli/renoquote-cli"
