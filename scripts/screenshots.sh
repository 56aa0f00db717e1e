#!/usr/bin/env bash
# Refreshes the pictures of the windows in docs/screens.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
nevix_install_missing
nevix_build nevix-shot
# A fixed present, so that pictures change only when their windows do.
"$NEVIX_BUILD/tools/nevix-shot" --all "$NEVIX_ROOT/docs/screens" --now "2024-03-15 10:30"
# Page 1 of each printed report.
nevix_build nevix-report
reports="$(mktemp -d)"
trap 'rm -rf "$reports"' EXIT
for kind in enquiries response-summary responses statements statement-summary; do
  "$NEVIX_BUILD/tools/nevix-report" "$kind" --fixture standard --now "2024-03-15 10:30" -o "$reports/$kind.pdf"
  first="$reports/$kind.pdf"
  [ -f "$first" ] || first="$reports/$kind-001.pdf"
  pdftoppm -f 1 -l 1 -r 60 -png -singlefile "$first" "$NEVIX_ROOT/docs/screens/report-$kind"
done
