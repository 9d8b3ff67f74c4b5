#!/usr/bin/env bash
# Runs the transfer benchmarks several times each, quiet and with the other core busy (the glass
# one also with its probe pacing itself, 30 us between samples), and
# prints every summary line with the load average before the run. The whole output of every
# run is kept in LOG (default /tmp/measure_transfer.log).
#   bench/measure_transfer.sh [BUILD_DIR] [RUNS] [BYTES]
set -uo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
runs="${2:-3}"
bytes="${3:-16}"
log="${LOG:-/tmp/measure_transfer.log}"
: >"$log"

loadavg() { cut -d' ' -f1 /proc/loadavg; }
for load in "" --load; do
    for run in $(seq "$runs"); do
        before=$(loadavg)
        line=$(QT_QPA_PLATFORM=offscreen "$build/bin/signal_fidelity" --bytes "$bytes" --seed "$run" $load 2>/dev/null | tee -a "$log" | tail -1)
        echo "offscreen ${load:-quiet} run=$run loadavg=$before $line"
    done
    for run in $(seq "$runs"); do
        before=$(loadavg)
        line=$(xvfb-run -a "$build/bin/signal_fidelity" --bytes "$bytes" --seed "$run" $load 2>/dev/null | tee -a "$log" | tail -1)
        echo "xvfb ${load:-quiet} run=$run loadavg=$before $line"
    done
    for pace in "" 30; do
        for run in $(seq "$runs"); do
            before=$(loadavg)
            line=$(bench/glass.sh "$build" --bytes "$bytes" --seed "$run" $load ${pace:+--pace $pace} 2>/dev/null | tee -a "$log" | tail -2 | tr '\n' ' ')
            echo "glass${pace:+ paced $pace us} ${load:-quiet} run=$run loadavg=$before $line"
        done
    done
done
