#!/usr/bin/env bash
# Makes docs/main-window.png (and docs/main-window-calendar.png, the drop-down calendar): the main
# window on a fresh demo billing file, grabbed offscreen on a fixed date in en_US, so the pictures
# come out the same every time.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target yvo-demo-db yvo-screenshot-main-window
bin=build/dev/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/yvo-demo-db" "$work/YVO.mdb"
mkdir -p docs
QT_QPA_PLATFORM=offscreen "$bin/yvo-screenshot-main-window" docs/main-window.png --folder "$work" \
    --today 2024-03-15 --locale en_US --calendar docs/main-window-calendar.png
echo "Wrote docs/main-window.png and docs/main-window-calendar.png"
