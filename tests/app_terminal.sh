#!/usr/bin/env bash
# tavrel-timer --help and --version answer on a terminal with no display, where creating the
# application's window would fail.
# Usage: app_terminal.sh PATH/TO/tavrel-timer VERSION
set -uo pipefail
app="$1"
version="$2"
status=0

# No display to connect to, and the X platform asked for: what a terminal without X gives.
for platform in xcb ""; do
    for option in --help -h; do
        out="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM="$platform" "$app" "$option" 2>&1)"
        code=$?
        if [[ $code -eq 0 && "$out" == "Usage: tavrel-timer [FILE]"* ]]; then
            echo "ok   $option, QT_QPA_PLATFORM='$platform'"
        else
            echo "FAIL $option, QT_QPA_PLATFORM='$platform': exit $code: $out"
            status=1
        fi
    done
done

out="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$app" --version 2>&1)"
if [[ $? -eq 0 && "$out" == "tavrel-timer $version" ]]; then
    echo "ok   --version: $out"
else
    echo "FAIL --version: $out"
    status=1
fi
# A full disk is not success.
if env -u DISPLAY QT_QPA_PLATFORM=xcb "$app" --version >/dev/full 2>/dev/null; then
    echo "FAIL --version on /dev/full exited 0"
    status=1
fi
exit $status
