#!/usr/bin/env bash
# tvrtool speaks English whatever the user's language: every command prints the same bytes on
# standard output and standard error, exits with the same code and writes the same file under
# a German environment as under the C locale.
# Usage: tvrtool_locale.sh PATH/TO/tvrtool
set -uo pipefail
tool="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT

# A German locale of our own when the system has none, so the German runs really are German.
german=(LANG=de_DE.UTF-8 LANGUAGE=de LC_ALL=de_DE.UTF-8)
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && command -v localedef >/dev/null &&
    mkdir "$dir/locale" &&
    localedef -i de_DE -f UTF-8 "$dir/locale/de_DE.UTF-8" >/dev/null 2>&1; then
    german+=(LOCPATH="$dir/locale")
fi
if env "${german[@]}" locale -k decimal_point 2>/dev/null | grep -qx 'decimal_point=","'; then
    echo "note German locale in effect"
else
    echo "note no German locale on this system; comparing under the German variables alone"
fi

printf 'TVRX\r\n1000\r\nSTARTUP ENABLED\r\nTimer 0\r\nON - 00:00:05\r\nOFF - 01:02:10:30\r\n' \
    >"$dir/good.tvr"
# Unreadable lines, an interval before the first timer line and a ninth interval of a block.
{
    printf 'TVRX\r\n1000\r\nON - 00:00:01\r\nTimer 1\r\n'
    for i in 1 2 3 4 5 6 7 8 9; do printf 'ON - 00:00:0%d\r\n' "$i"; done
    printf 'hello\r\nOFF 00:00:05\r\n'
    printf 'x%.0s' $(seq 300)
    printf '\r\nTimer 2\r\nOFF - 00:01:00\r\n'
} >"$dir/skipped.tvr"
# Every kind of device problem: a timer number the device lacks, an interval too long, one
# timer in two places, an empty block and more than the device memory.
{
    printf 'TVRX\r\n1000\r\nTimer 40\r\nON - 00:00:05\r\nTimer 3\r\nON - 2500:00:00\r\n'
    printf 'Timer 4\r\nOFF - 00:00:01\r\nTimer 3\r\nON - 00:00:01\r\nTimer 5\r\n'
    for t in 6 7 8 9 10 11; do
        printf 'Timer %d\r\n' "$t"
        for i in 1 2 3 4 5 6 7 8; do printf 'ON - 00:00:%02d\r\n' "$i"; done
    done
} >"$dir/problems.tvr"
printf 'Hello\r\nworld\r\n' >"$dir/notatimer.tvr"
printf 'TVRX\r\n2000\r\nTimer 0\r\n' >"$dir/newer.tvr"
"$tool" signal "$dir/good.tvr" >"$dir/good.signal"
printf '0\n10\n25\nend 40\n' >"$dir/bad.signal"

status=0
seed=""
# same DESCRIPTION INPUT ARGS...: the command under C and under German. $dir/out.tvr, which
# starts as a copy of $seed or absent, is compared afterwards too.
same() {
    local what="$1" input="$2"
    shift 2
    local run code
    for run in c de; do
        if [[ -n $seed ]]; then cp "$seed" "$dir/out.tvr"; else rm -f "$dir/out.tvr"; fi
        if [[ $run == c ]]; then
            env -u LANG -u LANGUAGE LC_ALL=C "$tool" "$@" <"$input" >"$dir/$run.out" \
                2>"$dir/$run.err"
        else
            env "${german[@]}" "$tool" "$@" <"$input" >"$dir/$run.out" 2>"$dir/$run.err"
        fi
        code=$?
        echo "$code" >"$dir/$run.code"
        if [[ -e $dir/out.tvr ]]; then
            cp "$dir/out.tvr" "$dir/$run.file"
        else
            : >"$dir/$run.file"
        fi
    done
    local part differs=""
    for part in out err code file; do
        cmp -s "$dir/c.$part" "$dir/de.$part" || differs+=" $part"
    done
    if [[ -n $differs ]]; then
        echo "FAIL $what: differs in$differs"
        diff "$dir/c.out" "$dir/de.out"
        diff "$dir/c.err" "$dir/de.err"
        status=1
    elif [[ ! -s $dir/c.out && ! -s $dir/c.err && ! -s $dir/c.file ]]; then
        echo "FAIL $what: printed nothing to compare"
        status=1
    else
        echo "ok   $what: exit $(cat "$dir/c.code"), $(wc -c <"$dir/c.out") bytes out," \
            "$(wc -c <"$dir/c.err") bytes err"
    fi
}

for file in good skipped problems notatimer newer missing; do
    for command in info frame check signal csv; do
        same "$command $file" /dev/null "$command" "$dir/$file.tvr"
    done
    same "normalize $file" /dev/null normalize "$dir/$file.tvr" "$dir/out.tvr"
done
seed="$dir/skipped.tvr"
same "normalize skipped in place" /dev/null normalize "$dir/out.tvr" "$dir/out.tvr"
same "normalize --force skipped in place" /dev/null normalize --force "$dir/out.tvr" "$dir/out.tvr"
seed=""
same "decode good" "$dir/good.signal" decode
same "decode bad" "$dir/bad.signal" decode
same "--help" /dev/null --help
same "--version" /dev/null --version
same "unknown command" /dev/null frobnicate
same "no arguments" /dev/null
exit $status
