#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the folder
# that holds its five run-time pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh cmake g++ make qt6-base-dev libjpeg62-turbo-dev fonts-liberation libgl-dev
# Qt's own texts (context menus, dialog buttons) in Russian; Qt's Wayland
# platform, for a Wayland session without XWayland.
bash tools/install-deps.sh qt6-translations-l10n qt6-wayland
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZARTEX_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
cd assets/runtime
exec ../../build/zartex
