#!/usr/bin/env bash
# The core stays Qt-free and below the GUI; every project include names its folder.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
if grep -nE '#include <Q|#include "(gui|res|app)/' core/*.h core/*.cpp; then
    echo "core/ includes Qt or the GUI"
    status=1
fi
if grep -nE '#include "[A-Za-z]+\.h"' core/*.{h,cpp} gui/*/*.{h,cpp} cli/*.{h,cpp} app/*.cpp; then
    echo "an include without its folder"
    status=1
fi
exit $status
