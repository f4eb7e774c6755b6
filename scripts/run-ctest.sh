#!/usr/bin/env bash
# Runs the tests of one build folder (build/, build-san/); under Xvfb when there is no display.
# Further arguments go to ctest (e.g. -L window). A test that fails is run once more before the
# run fails: window tests have aborted now and then on a heavily loaded machine (Xvfb starved).
# No test may take more than 5 minutes: one that waits on a dialog nobody answers fails.
set -euo pipefail
cd "$(dirname "$0")/../${1:?usage: run-ctest.sh BUILD_FOLDER [CTEST ARGUMENTS]}"
shift
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --repeat until-pass:2 --timeout 300 -j "$(nproc)" "$@"
fi
exec ctest --output-on-failure --repeat until-pass:2 --timeout 300 -j "$(nproc)" "$@"
