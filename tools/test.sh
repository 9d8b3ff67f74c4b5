#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds a plain Release tree (as the README
# tells a user to, so -O3 warnings are seen; warnings are errors here) and runs every test
# headless, packs the Debian package and checks what it holds with lintian,
# desktop-file-validate and appstreamcli; then builds and runs the whole suite again with
# AddressSanitizer and UndefinedBehaviorSanitizer (leak checking on), and runs the fuzzers for
# FUZZ_SECONDS each (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

tools/deps.sh

export QT_QPA_PLATFORM=offscreen

echo "== formatting"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "clang-format: $(git ls-files '*.cpp' '*.h' | wc -l) files formatted"

echo "== build and test"
tools/build.sh build -DCMAKE_BUILD_TYPE=Release -DTIMER_WERROR=ON
ctest --test-dir build --output-on-failure -j2

echo "== Debian package"
rm -rf build/package
(cd build && cpack -G DEB -B package)
deb=$(ls build/package/*.deb)
listed=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for file in ./usr/bin/tavrel-timer ./usr/bin/tvrtool ./usr/share/applications/tavrel-timer.desktop \
    ./usr/share/mime/packages/tavrel-timer.xml \
    ./usr/share/icons/hicolor/256x256/apps/tavrel-timer.png \
    ./usr/share/man/man1/tvrtool.1.gz ./usr/share/man/man1/tavrel-timer.1.gz \
    ./usr/share/metainfo/org.example.TavrelTimer.metainfo.xml \
    ./usr/share/tavrel-timer/examples/hourly-cycle.tvr ./usr/share/tavrel-timer/examples/blink.tvr \
    ./usr/share/tavrel-timer/examples/three-timers.tvr \
    ./usr/share/doc/tavrel-timer/copyright ./usr/share/doc/tavrel-timer/changelog.gz; do
    if ! grep -qxF "$file" <<<"$listed"; then
        echo "$deb does not hold $file"
        exit 1
    fi
done
if [ -z "$(dpkg-deb --field "$deb" Depends)" ]; then
    echo "$deb declares no dependencies"
    exit 1
fi
# The files as the package holds them. lintian fails on errors and warnings; the README lists
# the information tags it still prints and why they stay.
unpacked=build/package/unpacked
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/tavrel-timer.desktop"
echo "desktop-file-validate: tavrel-timer.desktop passed"
echo "appstreamcli validate --no-net: org.example.TavrelTimer.metainfo.xml"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/org.example.TavrelTimer.metainfo.xml"
lintian --fail-on error,warning --display-info "$deb"
echo "lintian: $(basename "$deb"): no errors or warnings"

echo "== build and test with sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
tools/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DTIMER_SANITIZE=ON -DTIMER_BUILD_BENCH=OFF
ctest --test-dir build-asan --output-on-failure -j2

echo "== fuzz the file reader and the interval reader"
tools/fuzz "${FUZZ_SECONDS:-60}"

echo "== all tests passed"
