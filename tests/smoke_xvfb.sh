#!/usr/bin/env bash
# Starts the real application on a virtual X display, finds its window by its title, checks
# that Esc leaves it open, closes it with Ctrl+Q and expects a clean exit.
#   tests/smoke_xvfb.sh PATH/TO/tavrel-timer
set -euo pipefail
app="$1"
for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "smoke test needs $tool (tools/deps.sh installs it)"; exit 1; }
done

xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -c '
    set -u
    unset QT_QPA_PLATFORM
    "$1" & app=$!
    wid=$(timeout 20 xdotool search --sync --name " - Tavrel - Programmable Timer$" | head -1)
    if [ -z "$wid" ]; then
        echo "no window titled \"Untitled - Tavrel - Programmable Timer\" appeared"
        kill $app; exit 1
    fi
    echo "window $wid: $(xdotool getwindowname "$wid")"
    xdotool windowfocus --sync "$wid"
    xdotool key --clearmodifiers Escape
    sleep 1
    if ! kill -0 $app 2>/dev/null; then
        echo "the window closed on Esc"
        exit 1
    fi
    xdotool key --clearmodifiers ctrl+q
    for _ in $(seq 100); do
        kill -0 $app 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 $app 2>/dev/null; then
        echo "the window did not close on Ctrl+Q"
        kill $app; exit 1
    fi
    wait $app
    status=$?
    echo "exit status $status"
    exit $status
' smoke "$app"
