#!/usr/bin/env bash
# Installs the dependencies, checks the layer order of the includes, builds everything, runs
# every test, then builds and runs the tests again under the sanitizers (build-san/).
# The window's tests need a display: without one they run under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
python3 scripts/check-layers.py
bash scripts/build.sh
bash scripts/run-ctest.sh build
bash scripts/test-sanitized.sh
