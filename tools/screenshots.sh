#!/usr/bin/env bash
# Starts the real application on a virtual X display, adds a timer and intervals with the
# mouse and keyboard (xdotool), opens the programming dialog and starts it, and saves
# screenshots of the main window and the programming dialog to docs/.
#   tools/screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
app="$build/bin/tavrel-timer"
[ -x "$app" ] || { echo "build the application first (tools/build.sh $build)"; exit 1; }
mkdir -p docs

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY="$display"
unset QT_QPA_PLATFORM
sleep 1

"$app" &
app_pid=$!
trap 'kill $app_pid $xvfb 2>/dev/null || true' EXIT

window() { timeout 20 xdotool search --sync --name "$1" | head -1; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }

main=$(window "^Tavrel - Programmable Timer$")
xdotool windowfocus --sync "$main"
sleep 0.5
# Positions inside the main window: the menu bar, then the client area.
menu=$(( $(xdotool getwindowgeometry "$main" | awk '/Geometry/ {split($2, s, "x"); print s[2]}') - 357 ))
add_timer() {
    click "$main" 46 $((menu + 12))
    local dialog
    dialog=$(window "^Programmable Timer - Edit Time$")
    xdotool windowfocus --sync "$dialog"
    # Focus starts on OK: Tab, Tab reaches the interval edit; Tab, Tab the timer number.
    xdotool key Tab Tab ctrl+a
    xdotool type --delay 20 "$1"
    if [ "$2" = OFF ]; then xdotool key Tab space; else xdotool key Tab; fi
    xdotool key Tab
    for _ in $(seq "$3"); do xdotool key Down; done
    xdotool key Return
    sleep 0.5
    xdotool windowfocus --sync "$main"
}
add_interval() { click "$main" 128 $((menu + 12)); }

add_timer "00:00:05" ON 0
add_interval
add_interval
click "$main" 120 $((menu + 120))  # the third interval's edit
xdotool key ctrl+a
xdotool type --delay 20 "00:10:00:30"
add_timer "01:30:00" OFF 3
add_interval
click "$main" 150 $((menu + 30))   # Run timer 0 on power up
click "$main" 35 $((menu + 180))   # select timer 3's second interval
sleep 0.5
import -window "$main" docs/main-window.png
echo "saved docs/main-window.png"

click "$main" 46 $((menu + 339))   # Program
program=$(window "^Program$")
xdotool windowfocus --sync "$program"
sleep 0.5
xdotool key Return                 # Start is the default button
sleep 4.6                          # the countdown, then part of the transfer
import -window "$program" docs/program-dialog.png
echo "saved docs/program-dialog.png"
