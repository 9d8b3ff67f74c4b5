#!/usr/bin/env bash
# Installs what is missing, builds, and starts the application. Arguments go to the application
# (a timer file to open).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/deps.sh
tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo

if [ -x build/bin/tavrel-timer ]; then
    exec build/bin/tavrel-timer "$@"
fi
exec build/bin/tvrtool --help
