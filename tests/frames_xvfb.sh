#!/usr/bin/env bash
# The programming dialog on Xvfb, whose Present extension keeps a 60 Hz frame clock: the run is
# frame-locked and frame_run_check.py finds every gap on its planned frames. A loaded machine
# can make the X server miss a frame, which the dialog must then report; so one run in two
# attempts must be clean, and every attempt must agree with the check.
#   tests/frames_xvfb.sh FRAME_RUN_DRIVER
set -uo pipefail
driver="$1"
check="$(dirname "$0")/frame_run_check.py"
work=$(mktemp -d)
xvfb=""
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -1 "$work/display")" QT_QPA_PLATFORM=xcb
for attempt in 1 2; do
    timeout 40 "$driver" --bytes 6 >"$work/run.out" 2>"$work/run.err"
    status=$?
    if [ "$status" -ne 0 ]; then
        echo "the driver failed ($status):"; tail -5 "$work/run.out"; tail -30 "$work/run.err"
        # A hang is a failed attempt; a sanitizer report or a crash fails the test at once.
        [ "$status" -eq 124 ] && continue
        exit 1
    fi
    if python3 "$check" "$work/run.out" clean 16500 16834; then
        exit 0
    fi
    echo "attempt $attempt was not clean:"; tail -3 "$work/run.out"; tail -3 "$work/run.err"
done
exit 1
