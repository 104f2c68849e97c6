#!/usr/bin/env bash
# Builds the program, puts a demo billing file beside it when there is none, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target YVOreport yvo-demo-db yvo-jet-reader
bin=build/dev/bin
if [ ! -e "$bin/YVO.mdb" ]; then
    "$bin/yvo-demo-db" "$bin/YVO.mdb"
    echo "Made a demo billing file: $bin/YVO.mdb"
fi
exec "$bin/YVOreport"
