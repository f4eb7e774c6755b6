#!/usr/bin/env bash
# Installs the dependencies, builds everything and starts the main program.
# Until the editor's window exists this converts the bundled sample FlexModel with fmtoobj.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
mkdir -p out
cd out
../build/fmtoobj/fmtoobj ../samples/sample.fm
