#!/usr/bin/env bash
# Installs what is missing, builds, prepares the program folder on first use
# and starts the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
nevix_install_missing
nevix_build
export NEVIX_HOME="${NEVIX_HOME:-$HOME/Nevix}"
"$NEVIX_BUILD/tools/nevix-prepare"
exec "$NEVIX_BUILD/src/app/nevix" "$@"
