#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
nevix_install_missing
nevix_build
export QT_QPA_PLATFORM=offscreen
cd "$NEVIX_BUILD"
ctest --output-on-failure --parallel "$(nproc)" "$@"
