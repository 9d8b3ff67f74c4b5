#!/usr/bin/env bash
# tvrtool never reports success when its output is lost: every command with standard output on
# a full disk (/dev/full) or closed exits 3 with one line on standard error; normalize refuses a
# full device as OUT and leaves it alone. --version gives the project's version.
# Usage: tvrtool_output.sh PATH/TO/tvrtool VERSION
set -uo pipefail
tool="$1"
version="$2"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT

printf 'TVRX\r\n1000\r\nTimer 0\r\nON - 00:00:05\r\nOFF - 00:00:10:30\r\n' >"$dir/ok.tvr"
printf 'TVRX\r\n1000\r\nTimer 40\r\nON - 00:00:05\r\n' >"$dir/bad.tvr"
"$tool" signal "$dir/ok.tvr" >"$dir/signal.txt"

status=0
fail() {
    echo "FAIL $*"
    status=1
}

# expect_lost DESCRIPTION REDIRECT ARGS...: the command's output goes nowhere.
expect_lost() {
    local what="$1" redirect="$2"
    shift 2
    local code
    case "$redirect" in
    full) "$tool" "$@" <"$dir/signal.txt" >/dev/full 2>"$dir/err" ;;
    closed) "$tool" "$@" <"$dir/signal.txt" >&- 2>"$dir/err" ;;
    esac
    code=$?
    local lines
    lines=$(wc -l <"$dir/err")
    if [[ $code -ne 3 ]]; then
        fail "$what, stdout $redirect: exit $code, not 3"
    elif [[ $lines -ne 1 ]] || ! grep -q '^tvrtool: cannot write standard output: ' "$dir/err"; then
        fail "$what, stdout $redirect: standard error was: $(cat "$dir/err")"
    else
        echo "ok   $what, stdout $redirect: $(cat "$dir/err")"
    fi
}

for redirect in full closed; do
    for command in info frame signal csv; do
        expect_lost "$command" $redirect $command "$dir/ok.tvr"
    done
    expect_lost "check, fits" $redirect check "$dir/ok.tvr"
    expect_lost "check, does not fit" $redirect check "$dir/bad.tvr"
    expect_lost "decode" $redirect decode
    expect_lost "--help" $redirect --help
    expect_lost "--version" $redirect --version
done

# normalize writes no standard output; its OUT on a full device is refused without touching the
# node. As root a regression would replace the node, so root never aims at /dev/full: it makes
# a private node of the same device (1,7) in the temporary folder, or, where it may not make
# device nodes, a pipe, which is refused the same way.
full=/dev/full
if [[ $(id -u) -eq 0 ]]; then
    full="$dir/full"
    if ! mknod "$full" c 1 7 2>/dev/null; then
        echo "note mknod refused; a pipe stands in for the full device"
        mkfifo "$full"
    fi
fi
kind() { stat -c '%F %t,%T' "$1"; }
before=$(kind "$full")
"$tool" normalize "$dir/ok.tvr" "$full" 2>"$dir/err"
code=$?
if [[ $code -ne 1 || $(wc -l <"$dir/err") -ne 1 || $(kind "$full") != "$before" ]]; then
    fail "normalize OUT $full: exit $code, $(cat "$dir/err"), now $(kind "$full")"
else
    echo "ok   normalize OUT $full ($before): $(cat "$dir/err")"
fi

actual="$("$tool" --version)"
if [[ "$actual" == "tvrtool $version" ]]; then
    echo "ok   --version: $actual"
else
    fail "--version printed '$actual', not 'tvrtool $version'"
fi
exit $status
