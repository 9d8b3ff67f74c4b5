#!/usr/bin/env bash
# tvrtool signal FILE | tvrtool decode must give back tvrtool frame FILE, for a few timer files:
# the worked example, an empty program, and big random ones (frames far over 255 bytes). decode
# with a folder on standard input exits 2.
# Usage: signal_roundtrip.sh PATH/TO/tvrtool
set -euo pipefail
tool="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT

printf 'TVRX\r\n1000\r\nSTARTUP ENABLED\r\nTimer 0\r\nON - 00:00:05\r\nOFF - 00:00:10:30\r\n' \
    >"$dir/worked.tvr"
printf 'TVRX\r\n1000\r\nSTARTUP ENABLED\r\n' >"$dir/empty.tvr"

# Random programs, reproducible from the seed: random_program SEED TIMERS INTERVALS gives up to
# TIMERS timers of up to INTERVALS intervals each.
random_program() {
    RANDOM=$1
    printf 'TVRX\r\n1000\r\n'
    if ((RANDOM % 2)); then printf 'STARTUP ENABLED\r\n'; fi
    local timers=$((RANDOM % $2 + 1))
    for ((t = 0; t < timers; t++)); do
        printf 'Timer %d\r\n' $((RANDOM % 32))
        local count=$((RANDOM % $3 + 1))
        for ((i = 0; i < count; i++)); do
            local state=ON
            if ((RANDOM % 2)); then state=OFF; fi
            printf '%s - %02d:%02d:%02d:%02d\r\n' $state $((RANDOM % 100)) $((RANDOM % 60)) \
                $((RANDOM % 60)) $((RANDOM % 60))
        done
    done
}
for seed in 1 2 3; do
    random_program $seed 32 20 >"$dir/random$seed.tvr"
done
random_program 4 400 60 >"$dir/big.tvr"

status=0
for file in "$dir"/*.tvr; do
    expected="$("$tool" frame "$file")"
    actual="$("$tool" signal "$file" | "$tool" decode)" || {
        echo "FAIL $(basename "$file"): decode refused the signal"
        status=1
        continue
    }
    bytes=$(wc -w <<<"$expected")
    if [[ "$actual" == "$expected" ]]; then
        echo "ok   $(basename "$file") ($bytes frame bytes)"
    else
        echo "FAIL $(basename "$file"): decoded frame differs"
        echo "  expected: $expected"
        echo "  decoded:  $actual"
        status=1
    fi
done

# A folder on standard input cannot be read: exit 2, as for any input that is not swap times.
code=0
"$tool" decode <"$dir" 2>"$dir/err" || code=$?
if [[ $code -eq 2 && $(wc -l <"$dir/err") -eq 1 ]]; then
    echo "ok   decode < folder: $(cat "$dir/err")"
else
    echo "FAIL decode < folder: exit $code, standard error: $(cat "$dir/err")"
    status=1
fi
exit $status
