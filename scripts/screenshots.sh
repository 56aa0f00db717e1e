#!/usr/bin/env bash
# Refreshes the pictures of the start-up windows in docs/screens.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
nevix_install_missing
nevix_build nevix-screenshots
"$NEVIX_BUILD/tools/nevix-screenshots" "$NEVIX_ROOT/docs/screens"
