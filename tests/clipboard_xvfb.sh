#!/usr/bin/env bash
# Two real windows of the application on one virtual X display share its clipboard: a timer
# copied in one is pasted into the other, the clipboard holds the timer-file lines a text editor
# gets, and intervals put there by another program (xclip, standing in for a text editor) paste
# as intervals. The second window saves, and the file shows what arrived.
#   tests/clipboard_xvfb.sh PATH/TO/tavrel-timer
set -euo pipefail
app="$1"
for tool in xvfb-run xdotool xclip; do
    command -v "$tool" >/dev/null || { echo "clipboard check needs $tool (tools/deps.sh installs it)"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'TVRX\r\n1000\r\nTimer 3\r\nON - 00:00:05\r\nOFF - 00:02:00\r\nTimer 3\r\nON - 00:00:01:30\r\n' >"$work/a.tvr"
printf 'TVRX\r\n1000\r\nTimer 0\r\nOFF - 00:00:01\r\n' >"$work/b.tvr"

xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -c '
    set -u
    unset QT_QPA_PLATFORM
    app="$1"; work="$2"
    export XDG_CONFIG_HOME="$work/config"
    pids=()
    stop() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; }
    fail() { echo "$1"; stop; exit 1; }
    window() {  # the window titled after its file
        timeout 20 xdotool search --sync --name "^$1 - Tavrel - Programmable Timer$" | head -1
    }
    key() { xdotool windowfocus --sync "$1"; sleep 0.3; xdotool key --clearmodifiers "$2"; sleep 0.5; }
    # Waits until the file holds text, for up to ten seconds.
    saved() { for _ in $(seq 100); do grep -q "$2" "$1" && return 0; sleep 0.1; done; return 1; }

    "$app" "$work/a.tvr" & pids+=($!)
    "$app" "$work/b.tvr" & pids+=($!)
    a=$(window a.tvr); b=$(window b.tvr)
    [ -n "$a" ] && [ -n "$b" ] || fail "the two windows did not appear"
    echo "windows $a (a.tvr) and $b (b.tvr), processes ${pids[*]}"

    # A opens with timer 3 selected: copy it.
    key "$a" ctrl+c
    copied=$(timeout 5 xclip -o -selection clipboard | od -An -c | tr -s " ")
    expected=$(printf "Timer 3\r\nON - 00:00:05\r\nOFF - 00:02:00\r\nTimer 3\r\nON - 00:00:01:30\r\n" | od -An -c | tr -s " ")
    [ "$copied" = "$expected" ] || fail "the clipboard holds \"$copied\", not the timer lines"
    timeout 5 xclip -o -selection clipboard -t TARGETS | grep -qx "text/plain" ||
        fail "the clipboard offers no text/plain"
    echo "copied in a.tvr: the clipboard holds the timer-file lines"

    key "$b" ctrl+v
    key "$b" ctrl+s
    saved "$work/b.tvr" "^Timer 3" || fail "b.tvr did not get timer 3: $(cat "$work/b.tvr")"
    grep -c "^Timer 3" "$work/b.tvr" | grep -qx 2 || fail "the block start of timer 3 was lost"
    echo "pasted in b.tvr and saved: $(tr -d "\r" <"$work/b.tvr" | tr "\n" "|")"

    # Intervals from another program go below the pasted timer'"'"'s last row.
    printf "Porch light\nON - 00:00:07\n" | xclip -i -selection clipboard
    key "$b" ctrl+v
    # The reader skipped the first line and says so in a message box; Return closes it.
    box=""
    for _ in $(seq 50); do
        box=$(xdotool search --onlyvisible --pid "${pids[1]}" 2>/dev/null | grep -vx "$b" | head -1)
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no message about the skipped line appeared"
    echo "message box $box: $(xdotool getwindowname "$box")"
    key "$box" Return
    key "$b" ctrl+s
    saved "$work/b.tvr" "ON - 00:00:07" || fail "the intervals from xclip were not pasted"
    echo "pasted text from xclip: $(tr -d "\r" <"$work/b.tvr" | tr "\n" "|")"

    for w in "$a" "$b"; do key "$w" ctrl+q; done
    for pid in "${pids[@]}"; do
        for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -0 "$pid" 2>/dev/null && fail "process $pid did not exit on Ctrl+Q"
        wait "$pid" || fail "process $pid exited with status $?"
    done
    echo "both windows closed"
' clipboard "$app" "$work"
