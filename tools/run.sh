#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the folder
# that holds its five run-time pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash packaging/install-deps.sh cmake g++ make ccache qt6-base-dev libjpeg62-turbo-dev fonts-liberation fonts-liberation2 libgl-dev
# Qt's own texts (context menus, dialog buttons) in Russian; Qt's Wayland
# platform, for a Wayland session without XWayland.
bash packaging/install-deps.sh qt6-translations-l10n qt6-wayland
# ccache keeps a rebuild after an update short.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZARTEX_TESTS=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build -j"$(nproc)"
# The build writes down where it put the program, wherever that is.
program=$(cat build/program-path.txt)
cd assets/runtime
exec "$program"
