#!/usr/bin/env bash
# Shared by the run and test commands: install what is missing, then configure and build.
set -euo pipefail

NEVIX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
NEVIX_BUILD="${NEVIX_BUILD:-$NEVIX_ROOT/build}"

NEVIX_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins
  libsqlite3-dev
  libchm-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 poppler-utils
)

nevix_install_missing() {
  local missing=()
  for p in "${NEVIX_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Builds the targets named, or everything (tests and benchmarks included).
nevix_build() {
  if [ ! -f "$NEVIX_BUILD/build.ninja" ]; then
    cmake -S "$NEVIX_ROOT" -B "$NEVIX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  local targets=()
  [ $# -eq 0 ] || targets=(--target "$@")
  cmake --build "$NEVIX_BUILD" --parallel "$(nproc)" "${targets[@]}"
}

# True when windows can be shown on a real display.
nevix_has_display() {
  [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]
}
