#!/usr/bin/env bash
# Installs what is missing, builds the program and its folder tool, prepares
# the program folder on first use and starts the program. Without a display
# the program runs on a virtual one (xvfb, installed when needed).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
if ! nevix_has_display; then
  NEVIX_PACKAGES+=(xvfb xauth)
fi
nevix_install_missing
nevix_build nevix nevix-prepare
export NEVIX_HOME="${NEVIX_HOME:-$HOME/Nevix}"
"$NEVIX_BUILD/tools/nevix-prepare"
if nevix_has_display; then
  exec "$NEVIX_BUILD/src/app/nevix" "$@"
fi
echo "No display: starting Nevix on a virtual display (xvfb-run -a); Ctrl+C ends it."
exec xvfb-run -a "$NEVIX_BUILD/src/app/nevix" "$@"
