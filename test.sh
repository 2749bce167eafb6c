#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Set-up, build and every test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake --preset default
cmake --build --preset default
ctest --preset all
