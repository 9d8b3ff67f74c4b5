# Sourced by the frame-locking integration tests, with driver, check and work set: up to three
# runs of the driver, judged by frame_run_check.py. A clean run passes; a run the display itself
# spoiled counts only when the dialog's verdict agrees with what the display showed, and three
# of those pass too. A hang is a failed attempt; a sanitizer report or a crash fails at once.
#   frame_attempts MIN_PERIOD_US MAX_PERIOD_US
frame_attempts() {
    local damaged=0 status
    for _ in 1 2 3; do
        timeout 40 "$driver" --bytes 6 >"$work/run.out" 2>"$work/run.err"
        status=$?
        if [ "$status" -ne 0 ]; then
            echo "the driver failed ($status):"; tail -5 "$work/run.out"; tail -30 "$work/run.err"
            [ "$status" -eq 124 ] && continue
            return 1
        fi
        if python3 "$check" "$work/run.out" clean "$1" "$2"; then
            return 0
        fi
        python3 "$check" "$work/run.out" consistent || return 1
        damaged=$((damaged + 1))
    done
    [ "$damaged" -eq 3 ] && echo "the display missed frames in every attempt, and the dialog said so right"
    [ "$damaged" -eq 3 ]
}
