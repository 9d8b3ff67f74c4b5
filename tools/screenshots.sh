#!/usr/bin/env bash
# Starts the real application on a virtual X display with a sample program and saves pictures
# to docs/: the main window resized, with its timeline and status line; the first page of its
# PDF report; the main window and the new-timer
# dialog at the default font, at a 14-point desktop font and at QT_SCALE_FACTOR=2; the
# programming dialog before Start and during a transfer; an unreadable entry and an interval
# over the device's limit marked in place, at the default font and at 14 points; the main
# window under a dark desktop theme; the main window and the programming dialog in German.
#   tools/screenshots.sh [BUILD_DIR]
# The 14-point pictures take the font from a GTK settings file through Qt's gtk3 platform
# theme, as a desktop would give it; the theme is installed when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
app="$PWD/$build/bin/tavrel-timer"
[ -x "$app" ] || { echo "build the application first (tools/build.sh $build)"; exit 1; }
mkdir -p docs

if ! dpkg-query -W -f='${Status}' qt6-gtk-platformtheme 2>/dev/null | grep -q "install ok"; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        qt6-gtk-platformtheme >/dev/null
fi

work=$(mktemp -d)
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'pkill -f "$app" 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY="$display"
unset QT_QPA_PLATFORM
# Settings (window place, recent files) of these runs stay out of the user's.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/gtk-3.0"
printf '[Settings]\ngtk-font-name=DejaVu Sans 14\n' >"$XDG_CONFIG_HOME/gtk-3.0/settings.ini"
sleep 1

printf 'TVRX\r\n1000\r\nSTARTUP ENABLED\r\nTimer 0\r\nON - 00:00:05\r\nOFF - 00:00:10:30\r\n'\
'ON - 00:10:00:30\r\nTimer 3\r\nOFF - 01:30:00\r\nON - 00:45:00\r\nON - 00:00:02\r\n'\
'Timer 5\r\nON - 00:00:01\r\nOFF - 00:00:01\r\n' >"$work/sample.tvr"

window() { timeout 20 xdotool search --sync --name "$1" | head -1; }

# start NAME [VAR=VALUE...]: the application on the sample program, with the environment given.
start() {
    env "${@:2}" "$app" "$work/sample.tvr" 2>/dev/null &
    main=$(window " - Tavrel - Programmable Timer$")
    xdotool windowfocus --sync "$main"
    sleep 1
}
stop() {
    pkill -f "$app" || true
    sleep 0.5
}
# The main window, then the new-timer dialog opened with its mnemonic (Alt+A).
shoot() {
    local name="$1"
    shift
    start "$name" "$@"
    import -window "$main" "docs/$name-main.png"
    xdotool key alt+a
    local dialog
    dialog=$(window "^Edit Time")
    sleep 0.5
    import -window "$dialog" "docs/$name-new-timer.png"
    xdotool key Escape
    stop
    echo "saved docs/$name-main.png and docs/$name-new-timer.png"
}

shoot font-default A=1
shoot font-14pt QT_QPA_PLATFORMTHEME=gtk3
shoot scale-2 QT_SCALE_FACTOR=2

# The window made larger: the list and the timeline share the room; the status line shows.
start resized A=1
xdotool windowsize --sync "$main" 640 720
sleep 0.5
import -window "$main" docs/main-window.png
echo "saved docs/main-window.png"

# File > Export as PDF, through Qt's own file dialog; its first page as a picture.
xdotool key alt+f d
save=$(window "^Export as PDF")
xdotool windowfocus --sync "$save"
sleep 0.5
xdotool type --delay 10 "$work/report.pdf"
xdotool key Return
for _ in $(seq 50); do [ -s "$work/report.pdf" ] && break; sleep 0.1; done
sleep 0.5
pdftoppm -png -r 70 -f 1 -l 1 -singlefile "$work/report.pdf" docs/report-page
echo "saved docs/report-page.png"
xdotool windowfocus --sync "$main"

# The checks in place: an interval over the device's limit (Timer 3, interval 1) and an entry
# that does not read (Timer 0, interval 2), typed into their fields; clicked where the rows
# stand at the default font.
checks() {
    start "$@"
    xdotool windowsize --sync "$main" 640 720
    sleep 0.5
    xdotool mousemove --window "$main" 300 184 click --repeat 3 1 key ctrl+a
    xdotool type --delay 20 "40:0:0"
    xdotool key Return
    xdotool mousemove --window "$main" 37 264 click 1
    sleep 0.5
}
stop
checks A=1
import -window "$main" docs/over-limit.png
xdotool key ctrl+z
xdotool mousemove --window "$main" 300 124 click --repeat 3 1 key ctrl+a
xdotool type --delay 20 "1:2"
xdotool key Return
sleep 0.5
import -window "$main" docs/inline-check.png
stop
echo "saved docs/over-limit.png and docs/inline-check.png"
start checks-14pt QT_QPA_PLATFORMTHEME=gtk3
xdotool windowsize --sync "$main" 800 900
sleep 0.5
xdotool mousemove --window "$main" 400 257 click --repeat 3 1 key ctrl+a
xdotool type --delay 20 "40:0:0"
xdotool key Return
xdotool mousemove --window "$main" 50 361 click 1
xdotool mousemove --window "$main" 400 179 click --repeat 3 1 key ctrl+a
xdotool type --delay 20 "01.30.00"
xdotool key Return
sleep 0.5
import -window "$main" docs/checks-14pt.png
stop
echo "saved docs/checks-14pt.png"
start resized A=1
xdotool windowsize --sync "$main" 640 720
sleep 0.5

xdotool key alt+p                  # Program
program=$(window "^Program$")
xdotool windowfocus --sync "$program"
sleep 0.5
import -window "$program" docs/program-dialog-ready.png
echo "saved docs/program-dialog-ready.png"
xdotool key Return                 # Start is the default button
sleep 4.6                          # the countdown, then part of the transfer
import -window "$program" docs/program-dialog.png
echo "saved docs/program-dialog.png"
stop

# Under a dark desktop theme (Adwaita's dark variant through Qt's gtk3 platform theme), at the
# default font.
mkdir -p "$work/dark-config"
start dark QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark XDG_CONFIG_HOME="$work/dark-config"
xdotool windowsize --sync "$main" 640 720
sleep 0.5
import -window "$main" docs/dark-main-window.png
stop
echo "saved docs/dark-main-window.png"

# In German, as on a desktop set to German: the main window and the programming dialog.
start german LANGUAGE=de LANG=de_DE.UTF-8
xdotool windowsize --sync "$main" 640 720
sleep 0.5
import -window "$main" docs/german-main-window.png
xdotool key alt+p                  # Programmieren
program=$(window "^Programmieren$")
xdotool windowfocus --sync "$program"
sleep 0.5
import -window "$program" docs/german-program-dialog.png
stop
echo "saved docs/german-main-window.png and docs/german-program-dialog.png"
