#!/usr/bin/env bash
# Installs the dependencies, builds everything and starts the editor's window.
# The editor works in out/: "mn.log" is written there and "default.spz" and "mocap.spz" are
# looked for there. Arguments are passed on (e.g. --batch FILE, --help).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
mkdir -p out
cd out
if [ "$#" -eq 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat <<'TEXT'
Marionet is built, but this machine has no display to open its window on.
Run the window on a virtual display (screenshots with ImageMagick's "import -window root"):
    cd out && xvfb-run -a -s "-screen 0 1280x1024x24" ../build/app/Marionet
or run an editor script without a window:
    cd out && ../build/app/Marionet --batch script.txt
TEXT
  exit 0
fi
exec ../build/app/Marionet "$@"
