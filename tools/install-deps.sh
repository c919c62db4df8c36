#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and
# only those that are missing, so a machine that has them all is left alone.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev libx11-dev
  libgtest-dev
  fonts-ipafont-gothic
  xvfb xauth xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  sudo=()
elif command -v sudo >/dev/null; then
  sudo=(sudo)
else
  echo "install-deps: missing packages (${missing[*]}) and not root; install them or run as root" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
