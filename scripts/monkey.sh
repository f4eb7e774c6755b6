#!/usr/bin/env bash
# The long monkey run: scripts/monkey.sh SEED STEPS [ROUND_TRIPS]
#                  or: scripts/monkey.sh --replay SCRIPT   (a finding, the document checked)
# Walks STEPS random steps through the editor's commands from SEED over a real model, checking
# the document after each, then runs ROUND_TRIPS undo round trips (seeds SEED, SEED+1, ...).
# A finding prints the seed, the step and a replayable script; the exit status is 1 then.
#   MARIONET_MONKEY_SHRINK=1  also shrink a finding's script to the fewest lines
#   MARIONET_MONKEY_TRACE=1   print every statement and what it printed
#   MONKEY_BUILD=build-san    run the sanitizer build (configure it first with
#                             scripts/test-sanitized.sh); the default is build/
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$#" -lt 2 ]; then
  sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
build="${MONKEY_BUILD:-build}"
if [ ! -f "$build/build.ninja" ]; then
  if [ "$build" != build ]; then
    echo "$build is not configured: run scripts/test-sanitized.sh once first." >&2
    exit 2
  fi
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target marionet_monkey >/dev/null
if [ "$build" != build ]; then
  export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0"
fi
exec "$build/tests/monkey/marionet_monkey" "$@"
