#!/usr/bin/env bash
# Runs the real program as a user would, on a virtual X screen of 1280x1024 without a window
# manager: builds it, puts a demo billing file beside a copy of it in a temporary folder, types the
# first quarter of 2025 into the date pickers, presses the three report buttons one after the other
# and saves what the screen shows:
#   docs/program-main-window.png      the main window with the dates typed in
#   docs/preview-detailed.png         the preview of each report, first page, scaled to 75 % in
#                                     256 colours
#   docs/preview-summary.png
#   docs/preview-open-invoices.png
# Each preview is closed with Escape and the program with its Close button. Fails when a window
# does not come, an error box shows, a preview does not fill the screen or the program does not end.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != "--on-screen" ]; then
    ./tools/install-deps.sh
    cmake --preset dev >/dev/null
    cmake --build --preset dev --target YVOreport yvo-demo-db
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" --on-screen
fi

bin=build/dev/bin
work=$(mktemp -d)
program=""
cleanup() {
    if [ -n "$program" ] && kill -0 "$program" 2>/dev/null; then
        kill "$program"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "screenshot-program: $*" >&2
    exit 1
}

# The window of that exact title, waiting up to 20 seconds for it.
window_named() {
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -1 || fail "no window \"$1\""
}

no_error_box() {
    if xdotool search --onlyvisible --name '^Yvoreport$' >/dev/null 2>&1; then
        local picture
        picture=$(mktemp --suffix=.png)
        import -window root "$picture"
        fail "an error box is open; the screen is in $picture"
    fi
}

# Clicks at x, y in the main window's client area (the controls table in app/MainForm.cpp).
click() {
    xdotool mousemove --window "$main" "$1" "$2" click 1
}

# Double-clicks the first part of the picker whose field starts at x, y, types the date as it is
# shown and leaves the picker with Tab.
type_date() {
    xdotool mousemove --window "$main" $(($1 + 6)) $(($2 + 10)) click --repeat 2 --delay 100 1
    sleep 0.2
    xdotool type --delay 50 "$3"
    xdotool key Tab
}

# Presses the report button at x, y and saves its preview window as $3, then closes it.
preview() {
    click "$1" "$2"
    local window
    window=$(window_named "Print Preview")
    eval "$(xdotool getwindowgeometry --shell "$window")"
    if [ "$WIDTH" -ne 1280 ] || [ "$HEIGHT" -ne 1024 ]; then
        fail "the preview is ${WIDTH}x${HEIGHT}, not the whole screen"
    fi
    sleep 2 # the first page shows at once, the status bar's count once all pages are laid out
    no_error_box
    import -window root -resize 75% "PNG8:$3"
    xdotool windowfocus --sync "$window" key Escape
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name '^Print Preview$' >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "the preview did not close"
}

# The program reads YVO.mdb beside itself, so it runs from a folder of its own.
cp "$bin/YVOreport" "$work/"
"$bin/yvo-demo-db" "$work/YVO.mdb" >/dev/null
mkdir -m 700 "$work/runtime"
env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 TZ=UTC XDG_RUNTIME_DIR="$work/runtime" "$work/YVOreport" &
program=$!
main=$(window_named "Corvessa Report Generator")
sleep 1
no_error_box

mkdir -p docs
type_date 66 38 "1/1/2025"   # DTPStart
type_date 226 38 "3/31/2025" # DTPEnd
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage docs/program-main-window.png

preview 80 202 docs/preview-detailed.png      # DetailedReportRzBitBtn
preview 80 238 docs/preview-summary.png       # SummaryReportRzBitBtn
preview 80 276 docs/preview-open-invoices.png # OpenInvoicesRzBitBtn

click 77 315 # CloseRzBitBtn
for _ in $(seq 50); do
    if ! kill -0 "$program" 2>/dev/null; then
        wait "$program" || fail "the program ended with an error"
        program=""
        echo "Wrote docs/program-main-window.png and docs/preview-{detailed,summary,open-invoices}.png"
        exit 0
    fi
    sleep 0.1
done
fail "the program did not end when its Close button was clicked"
