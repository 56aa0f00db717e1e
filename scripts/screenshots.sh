#!/usr/bin/env bash
# Refreshes the pictures of the windows in docs/screens.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
nevix_install_missing
nevix_build nevix-shot
# A fixed present, so that pictures change only when their windows do.
"$NEVIX_BUILD/tools/nevix-shot" --all "$NEVIX_ROOT/docs/screens" --now "2024-03-15 10:30"
