#!/usr/bin/env bash
# Installs what is missing, builds the program, its folder tool and the
# stand-in enquiry service, prepares the program folder on first use and
# starts the program. Without a display that opens, the program runs on a
# virtual one (xvfb, installed when needed).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
display=yes
if ! nevix_has_display; then
  display=no
elif ! nevix_display_opens; then
  echo "The display ${DISPLAY:-$WAYLAND_DISPLAY} cannot be opened: starting Nevix on a virtual display instead" \
       "(to choose that yourself, unset DISPLAY and WAYLAND_DISPLAY)."
  display=no
fi
if [ "$display" = no ]; then
  NEVIX_PACKAGES+=(xvfb xauth)
fi
nevix_install_missing
nevix_build nevix nevix-prepare nevix-service
export NEVIX_HOME="${NEVIX_HOME:-$HOME/Nevix}"
# Only a folder without settings is new. In a ready folder a missing database
# is the program's to report: a new, empty one would hide the real one.
# NEVIX_SERVICE, when set, is the enquiry service's address: the folder tool
# writes it into the settings, of a ready folder too.
service=()
if [ -n "${NEVIX_SERVICE:-}" ]; then
  service=(--service "$NEVIX_SERVICE")
fi
if [ ! -e "$NEVIX_HOME/Nevix.INI" ] || [ ${#service[@]} -gt 0 ]; then
  "$NEVIX_BUILD/tools/nevix-prepare" "${service[@]}" "$NEVIX_HOME"
fi
if [ "$display" = yes ]; then
  exec "$NEVIX_BUILD/src/app/nevix" "$@"
fi
echo "No display: starting Nevix on a virtual display (xvfb-run -a); Ctrl+C ends it."
unset DISPLAY WAYLAND_DISPLAY
exec xvfb-run -a "$NEVIX_BUILD/src/app/nevix" "$@"
