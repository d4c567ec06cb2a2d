#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that building, running and testing the program needs,
# and the packages named as arguments (tools/install-bench-deps.sh names those only
# the benchmarks need).
# Idempotent: asks apt only for what is missing, and does nothing when all is there.
set -euo pipefail

packages=(
  build-essential
  cmake
  pkg-config
  libgtest-dev
  libgmock-dev
  qt6-base-dev
  qt6-translations-l10n
  libjpeg-dev
  fonts-ipafont-gothic
  fonts-ipafont-mincho
  fontconfig
  libfontconfig-dev
  libx11-dev
  libxfixes-dev
  xvfb
  xauth
  xdotool
  xclip
  x11-utils
  imagemagick
  # The chart's page saved as PDF, read back as text and rendered in the tests.
  poppler-utils
  python3
  util-linux
  desktop-file-utils
  appstream
  librsvg2-bin
  dpkg-dev
  file
  qt6-qpa-plugins
  qt6-base-private-dev
  clang
  libclang-rt-14-dev
  valgrind
  # The input-method tests: IBus and Fcitx 5, each with Mozc, run as an
  # unprivileged user in a session bus of their own.
  ibus
  ibus-mozc
  mozc-server
  fcitx5
  fcitx5-mozc
  fcitx5-frontend-qt6
  dbus-daemon
  dbus-bin
  x11-xkb-utils
  procps
  # The screen reader's view: the accessibility bus and its registry, and
  # the Python binding a screen reader reads the program through.
  at-spi2-core
  python3-pyatspi
  gir1.2-atspi-2.0
  python3-gi
  # Wayland: the toolkit's plugin, and a real compositor (weston, headless)
  # with the headers its test seat module is built against.
  qt6-wayland
  weston
  libweston-10-dev
  # The Debian package (make deb) and its test: the packaging helpers, the
  # manual pages' formatter (scdoc) and reader (man-db), lintian, the locale
  # sources the Japanese page is looked up with, and ccache for builds that
  # keep a cache.
  debhelper
  lintian
  scdoc
  man-db
  locales
  ccache
  "$@"
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

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
