#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvanel. Without a display it
# says so and prints the payoff summary for the start values instead.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
configure_and_build build -DORVANEL_BUILD_TESTS=OFF -DORVANEL_BUILD_BENCH=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set); here is the payoff summary for the start values instead:"
  build/bin/orvanel-schedule --format table | sed -n "1,5p"
  exit 0
fi
if [ ! -x build/bin/orvanel ]; then
  echo "The window is not built yet; here is the payoff summary for the start values instead:"
  build/bin/orvanel-schedule --format table | sed -n "1,5p"
  exit 0
fi
exec build/bin/orvanel "$@"
