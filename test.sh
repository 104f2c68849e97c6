#!/usr/bin/env bash
# Builds and runs every test twice: in a normal build and in an address + undefined-behaviour
# sanitizer build; then runs the Access reader's fuzz target briefly. Offscreen, en_US (set by the tests), UTC. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 TZ=UTC
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

for preset in dev asan; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j2
done

# A short run of the fuzz target over the Access reader (clang's libFuzzer).
echo "== fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz
