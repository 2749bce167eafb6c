#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Set-up, build, and run Tintaro on a generated demo Wine prefix.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake --preset default
cmake --build --preset default
exec scripts/demo.sh
