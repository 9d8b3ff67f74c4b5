#!/usr/bin/env bash
# The glass benchmark: the real programming dialog on a virtual X display, watched from another
# process that reads the pane's pixel on the X server, as the device's sensor would.
#   bench/glass.sh [BUILD_DIR] [--bytes N] [--seed S] [--load] [--pace MICROSECONDS]
# --pace has the probe sleep between samples (see glass_probe.cpp); the rest goes to the driver.
# The last line is the probe's: glass: bytes=N gaps=G mean_err_ms=X p99_err_ms=Y max_err_ms=Z decoded=ok|bad
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
    build="$1"
    shift
fi
driver_args=()
probe_args=()
while [ $# -gt 0 ]; do
    if [ "$1" = --pace ] && [ $# -ge 2 ]; then
        probe_args+=(--pace "$2")
        shift 2
    else
        driver_args+=("$1")
        shift
    fi
done
for program in glass_driver glass_probe; do
    [ -x "$build/bin/$program" ] || { echo "build $program first (tools/build.sh $build)"; exit 2; }
done

display=":$((100 + RANDOM % 50))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY="$display"
unset QT_QPA_PLATFORM
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

mkfifo "$work/go"
"$build/bin/glass_driver" "${driver_args[@]}" <"$work/go" >"$work/driver.out" 2>"$work/driver.err" &
driver=$!
exec 3>"$work/go"  # keeps the driver's standard input open until we say go
for _ in $(seq 100); do
    grep -q '^ready ' "$work/driver.out" 2>/dev/null && break
    sleep 0.1
done
read -r _ x y frame < <(grep '^ready ' "$work/driver.out")
"$build/bin/glass_probe" "$x" "$y" "$frame" "${probe_args[@]}" >"$work/probe.out" &
probe=$!
sleep 0.5
echo go >&3
exec 3>&-
status=0
wait "$driver" || status=$?
wait "$probe" || true
grep -v '^ready ' "$work/driver.out" || true
cat "$work/probe.out"
[ "$status" -eq 0 ] && tail -1 "$work/probe.out" | grep -q 'decoded=ok'
