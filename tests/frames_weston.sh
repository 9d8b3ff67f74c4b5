#!/usr/bin/env bash
# The programming dialog on a headless Weston (pixman, no GPU), whose repaint-window sets its
# frame period: 17 gives frames of about 17.2 ms, -1 about 33 ms. The run is frame-locked from
# presentation feedback and frame_run_check.py judges it, with attempts as under Xvfb
# (tests/frames_xvfb.sh).
#   tests/frames_weston.sh FRAME_RUN_DRIVER REPAINT_WINDOW MIN_PERIOD_US MAX_PERIOD_US
# With --pause SECONDS instead of the period range, Weston is stopped (SIGSTOP) that long in
# the middle of the transfer: the run must stop as damaged, by byte, and offer Start again.
set -uo pipefail
driver="$1"
repaint="$2"
check="$(dirname "$0")/frame_run_check.py"
work=$(mktemp -d)
weston_pid=""
trap '[ -n "$weston_pid" ] && kill -CONT "$weston_pid" 2>/dev/null && kill "$weston_pid" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '[core]\nrepaint-window=%s\nidle-time=0\n[shell]\npanel-position=none\n' "$repaint" >"$work/weston.ini"
socket="timer-$$"
weston --config="$work/weston.ini" --backend=headless-backend.so --use-pixman --width=1024 \
    --height=768 --socket="$socket" --log="$work/weston.log" >/dev/null 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    sleep 0.1
done
export WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland
# Under the sanitizers: Qt's Wayland plugin keeps its registry objects for the life of the
# process. Their stacks end in libwayland-client (no frame pointers there), and unwinding them
# fully would slow every allocation and the frames with it; so these runs leave allocations made
# inside that library alone. The dialog paints in software: no EGL, which keeps one of its own.
export QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none
root="$(cd "$(dirname "$0")/.." && pwd)"
cat "$root/tools/lsan.supp" - >"$work/lsan.supp" <<'SUPP'
leak:libwayland-client.so
SUPP
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/lsan.supp"

if [ "$3" = --pause ]; then
    timeout 60 "$driver" --bytes 10 >"$work/run.out" 2>"$work/run.err" &
    run=$!
    for _ in $(seq 200); do
        grep -q '^sending' "$work/run.out" 2>/dev/null && break
        sleep 0.05
    done
    sleep 1
    kill -STOP "$weston_pid"
    sleep "$4"
    kill -CONT "$weston_pid"
    if ! wait "$run"; then
        echo "the driver failed:"; tail -30 "$work/run.err"; exit 1
    fi
    python3 "$check" "$work/run.out" damaged || { tail -3 "$work/run.err"; exit 1; }
    exit 0
fi

. "$(dirname "$0")/frame_attempts.sh"
frame_attempts "$3" "$4"
