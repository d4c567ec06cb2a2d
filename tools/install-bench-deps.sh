#!/usr/bin/env bash
# Installs what `make bench` needs on top of tools/install-deps.sh: the two
# charting libraries the chart benchmark draws the same data with, and the
# profilers. Neither the program nor `make test` needs any of these.
# Idempotent: asks apt only for what is missing.
set -euo pipefail

packages=(
  qt6-charts-dev
  libqt6opengl6-dev
  libqcustomplot-dev
  xvfb
  xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

echo "install-bench-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
