#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what `make bench` needs on top of what tools/install-deps.sh installs:
# the two charting libraries the chart benchmark draws the same data with (and
# the OpenGL module Qt Charts' CMake package asks for). Neither the program nor
# `make test` needs any of these. Idempotent, like install-deps.sh.
set -euo pipefail
exec bash "$(dirname "$0")/install-deps.sh" qt6-charts-dev libqt6opengl6-dev libqcustomplot-dev
