#!/usr/bin/env bash
# The frame-locked transfer measured where it is shown.
#   bench/frames.sh [BUILD_DIR] xvfb|weston17|weston33 [--bytes N] [--seed S] [--load]
# xvfb: the real dialog on Xvfb, a separate process reading the pane's pixel on the X server
# (glass_probe) as the device's sensor would; each change against the frame start X11 Present
# reported for that swap. weston17/weston33: headless Weston at repaint-window 17 or -1, judged
# from the compositor's presentation feedback (no screen to watch). Prints the driver's cpu line
# and the summary of bench/frames_summary.py:
#   frames: where=W swaps=S within_2ms=N (P %) worst_ms=X gaps_on_plan=G of T period_us=P
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ] && [ "${1#weston}" = "$1" ] && [ "$1" != xvfb ]; then
    build="$1"
    shift
fi
where="${1:?xvfb, weston17 or weston33}"
shift
work=$(mktemp -d)
server=""
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT

mkfifo "$work/go"
run_driver() {
    "$build/bin/glass_driver" "$@" <"$work/go" >"$work/driver.out" 2>"$work/driver.err" &
    driver=$!
    exec 3>"$work/go"
    for _ in $(seq 100); do
        grep -q '^ready ' "$work/driver.out" 2>/dev/null && break
        sleep 0.1
    done
}

if [ "$where" = xvfb ]; then
    exec 4>"$work/display"
    Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    server=$!
    exec 4>&-
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -1 "$work/display")" QT_QPA_PLATFORM=xcb
    run_driver "$@"
    read -r _ x y frame < <(grep '^ready ' "$work/driver.out")
    "$build/bin/glass_probe" "$x" "$y" "$frame" --list 1 >"$work/probe.out" &
    probe=$!
    sleep 0.5
    echo go >&3
    exec 3>&-
    wait "$driver" || true
    wait "$probe" || true
    grep -E '^(cpu|status):' "$work/driver.out"
    python3 bench/frames_summary.py xvfb "$work/driver.out" "$work/probe.out"
else
    case "$where" in
        weston17) repaint=17 ;;
        weston33) repaint=-1 ;;
        *) echo "xvfb, weston17 or weston33"; exit 2 ;;
    esac
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    printf '[core]\nrepaint-window=%s\nidle-time=0\n[shell]\npanel-position=none\n' "$repaint" >"$work/weston.ini"
    weston --config="$work/weston.ini" --backend=headless-backend.so --use-pixman --socket=bench \
        --width=1024 --height=768 >/dev/null 2>&1 &
    server=$!
    for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/bench" ] && break; sleep 0.1; done
    export WAYLAND_DISPLAY=bench QT_QPA_PLATFORM=wayland
    run_driver "$@"
    echo go >&3
    exec 3>&-
    wait "$driver" || true
    grep -E '^(cpu|status):' "$work/driver.out"
    python3 bench/frames_summary.py "$where" "$work/driver.out"
fi
