#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
nevix_install_missing
nevix_build
exec "$NEVIX_BUILD/src/app/nevix" "$@"
