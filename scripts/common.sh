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

# True when the display named can be reached: an X server's socket or port,
# or a Wayland compositor's socket. Qt would otherwise abort at start with
# advice that does not fit.
nevix_display_opens() {
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    local socket="$WAYLAND_DISPLAY"
    [ "${socket#/}" != "$socket" ] || socket="${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/$socket"
    [ -S "$socket" ] && return 0
  fi
  [ -n "${DISPLAY:-}" ] || return 1
  if command -v xdpyinfo >/dev/null 2>&1; then
    xdpyinfo >/dev/null 2>&1
    return
  fi
  local host="${DISPLAY%:*}" number="${DISPLAY##*:}"
  number="${number%%.*}"
  [[ "$number" =~ ^[0-9]+$ ]] || return 1
  if [ -z "$host" ] || [ "$host" = unix ]; then
    [ -S "/tmp/.X11-unix/X$number" ] || grep -q "@/tmp/.X11-unix/X$number\b" /proc/net/unix 2>/dev/null
    return
  fi
  timeout 2 bash -c "exec 3<>/dev/tcp/$host/$((6000 + number))" 2>/dev/null
}
