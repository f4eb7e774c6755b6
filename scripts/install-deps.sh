#!/usr/bin/env bash
# Installs every Debian package Marionet and fmtoobj build, test and run with.
# Safe to run again: when everything is present it returns without touching apt.
set -euo pipefail

packages=(
  build-essential g++ clang cmake ninja-build pkg-config clang-format python3
  libclang-rt-dev llvm  # the sanitizers' runtimes and the symbolizer of their reports
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev libgl1-mesa-dev libgl1-mesa-dri
  libx11-dev libsdl2-dev libassimp-dev
  libimagequant-dev  # the 256-colour palette of the game's .m8 skins
  libmeshoptimizer-dev  # simplifying models heavier than a FlexModel holds
  # real models (sydney.md2, spider.obj, fels.3ds) and BVH clips for the tests and the sample
  assimp-testmodels
  xvfb xauth imagemagick
  fonts-dejavu-core  # the font of the labels on the demo's contact sheet
  # the Debian package and its checks (scripts/test-package.sh): dpkg-shlibdeps, the desktop
  # entry's, AppStream's and the file types' validators, the manual pages, a key press
  dpkg-dev file desktop-file-utils appstream shared-mime-info man-db xdotool
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
if ! { $SUDO apt-get update -qq && \
       $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log"
  echo "install-deps: apt-get failed" >&2
  exit 1
fi
rm -f "$log"
echo "Installed ${#missing[@]} packages."
