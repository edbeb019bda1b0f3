#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh cmake g++ make qt6-base-dev libjpeg62-turbo-dev fonts-liberation libgl-dev \
    python3 xvfb xauth icewm xdotool x11-utils x11-xserver-utils imagemagick xclip tesseract-ocr \
    desktop-file-utils dpkg-dev file
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-test -j"$(nproc)"
(cd build-test && ctest --output-on-failure -j2)
