#!/usr/bin/env bash
# Installs the dependencies, checks the layer order of the includes, builds everything and runs
# every test. With MARIONET_SANITIZE=1 it then builds and runs the tests again under the
# sanitizers (build-san/); CI turns that on once the sanitized run of the whole tree is clean.
# The window's tests need a display: without one they run under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
python3 scripts/check-layers.py
bash scripts/build.sh
bash scripts/run-ctest.sh build
if [ "${MARIONET_SANITIZE:-0}" = 1 ]; then
  bash scripts/test-sanitized.sh
fi
