#!/usr/bin/env bash
# Renders the software centre's screenshot with the desktop program's own windows (the picture test
# on Qt's offscreen platform) and puts it into packaging/screenshots/, from where it is shipped.
set -euo pipefail
cd "$(dirname "$0")/.."
nice -n 10 tools/build.sh --target gui_pictures_test
QT_QPA_PLATFORM=offscreen ZELVORA_PICTURE_DIR="$PWD/build/gui-pictures" \
    build/tests/gui/gui_pictures_test StartedDesktopForTheSoftwareCentre >/dev/null
cp build/gui-pictures/screenshot.png packaging/screenshots/zelvora.png
echo "packaging/screenshots/zelvora.png"
