#!/usr/bin/env bash
# Builds the tests with clang, AddressSanitizer and UndefinedBehaviorSanitizer into build-san/
# and runs them. Faults the release build hides (overflows, use after free, bad downcasts,
# leaks) stop the run here. Leaks inside third-party libraries are suppressed by
# scripts/lsan.supp; nothing of ours is.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-san -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g $sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
  -DCMAKE_SHARED_LINKER_FLAGS="$sanitizers" \
  -DMARIONET_BUILD_BENCHMARKS=OFF -DMARIONET_BUILD_FUZZERS=OFF >/dev/null

# Set before building as well: the build lists the tests by running their executables.
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
cmake --build build-san -j "$(nproc)"

bash scripts/run-ctest.sh build-san -LE window
# Mesa unloads its driver when the last context goes, before the leak check runs at exit; its
# leaks would then show as "<unknown module>", past any suppression. Loaded from the start it
# stays, so the window tests keep their leak check and the driver's leaks are named.
driver="/usr/lib/$(gcc -print-multiarch)/dri/swrast_dri.so"
LD_PRELOAD="$driver" bash scripts/run-ctest.sh build-san -L window
