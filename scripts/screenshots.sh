#!/bin/sh
# Regenerates the pictures of docs/screenshots under Xvfb (offscreen when xvfb-run is missing).
# Needs a configured build: cmake --preset default
set -e
cd "$(dirname "$0")/.."
cmake --build build --target psyche-screenshots
if command -v xvfb-run > /dev/null; then
    xvfb-run -a -s "-screen 0 1280x1024x24" ./build/psyche-screenshots docs/screenshots
else
    QT_QPA_PLATFORM=offscreen ./build/psyche-screenshots docs/screenshots
fi
