#!/usr/bin/env bash
# Installs the dependencies, checks the layer order of the includes, builds everything and runs
# every test, checks the Debian package (scripts/test-package.sh), then builds and runs the
# tests again under the sanitizers (build-san/).
# MARIONET_SANITIZE=0 leaves the sanitized run out (a quicker run on a developer's machine).
# The window's tests need a display: without one they run under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
python3 scripts/check-layers.py
bash scripts/build.sh
bash scripts/run-ctest.sh build
bash scripts/test-package.sh
if [ "${MARIONET_SANITIZE:-1}" != 0 ]; then
  bash scripts/test-sanitized.sh
fi
