#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch folder and checks what it installs:
# every file in its place, the desktop entry, AppStream and file-type files valid, the manual
# pages free of warnings and naming everything the README lists, then runs the installed
# programs: fmtoobj on the sample, the road (samples/road.mnb) from the installed samples,
# a quick export that finds the installed "mocap.spz", and `Marionet FILE` in a window.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target Marionet fmtoobj manual_pages
rm -f build/marionet_*.deb
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/marionet_*.deb)
echo "Package: $deb ($(du -k "$deb" | cut -f1) kB)"
dpkg-deb -f "$deb" Depends

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
prefix="$scratch/root/usr"
app_id=io.github.marionet.Marionet

fail() { echo "test-package: $*" >&2; exit 1; }

expected=(
  bin/Marionet bin/fmtoobj
  "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$app_id.svg"
  share/man/man1/Marionet.1.gz share/man/man1/fmtoobj.1.gz
  share/mime/packages/marionet.xml share/doc/marionet/README.md
  share/marionet/mocap.spz share/marionet/samples/road.mnb share/marionet/samples/sample.fm
  share/marionet/samples/cmu_01_01_jump.spz share/marionet/samples/sydney/sydney.md2
)
for size in 16 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for file in "${expected[@]}"; do
  [ -f "$prefix/$file" ] || fail "the package lacks /usr/$file"
done
echo "Files: all ${#expected[@]} in place."

desktop-file-validate "$prefix/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"
# The file types compile into a MIME database, and a FlexModel is recognised by its content.
mkdir -p "$scratch/mime/packages"
cp "$prefix/share/mime/packages/marionet.xml" "$scratch/mime/packages/"
update-mime-database "$scratch/mime" >/dev/null 2>&1 || fail "update-mime-database refused marionet.xml"
grep -q "application/x-heretic2-flexmodel" "$scratch/mime/magic" ||
  fail "the FlexModel type has no content match"
for page in Marionet fmtoobj; do
  warnings=$(man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done
python3 scripts/check-manual-pages.py

work="$scratch/work"
mkdir -p "$work/out"
samples="$prefix/share/marionet/samples"
# The road reads ../samples/ from its folder "out": the installed samples, not the tree's.
ln -s "$samples" "$work/samples"

cd "$work/out"
"$prefix/bin/fmtoobj" /f stand2 "$samples/sample.fm" >/dev/null
vertices=$(grep -c '^v ' stand2FFFF.obj)
[ "$vertices" -gt 0 ] || fail "fmtoobj wrote no vertices"
echo "fmtoobj: stand2FFFF.obj with $vertices vertices."

xvfb-run -a -s "-screen 0 1280x1024x24" "$prefix/bin/Marionet" --batch ../samples/road.mnb \
  >road.log 2>&1 || { tail -20 road.log; fail "the road failed"; }
"$prefix/bin/fmtoobj" /f jump230 sydney.fm >/dev/null || fail "sydney.fm lacks frame jump230"
echo "Road: sydney.fm ($(du -k sydney.fm | cut -f1) kB, frame jump230 read back), $(ls ./*.png | wc -l) snapshots."

# "Quick Flex Model" reads "mocap.spz" by name; this folder has none, so the installed one
# (the jump clip) gives the first 32 poses.
cat >quick.mnb <<'SCRIPT'
answer file ../samples/sydney/sydney.md2
answer text stand1
answer no
run Open
answer nodes 0 1 5 6 10 11 13 14 15
run Mesh Nodes
answer file ../samples/sydney/sydney.bnd
run Load Bindings
answer file quick.fm
run File/Export/Quick Flex Model
SCRIPT
[ ! -e mocap.spz ] || fail "the work folder must not hold mocap.spz"
"$prefix/bin/Marionet" --batch quick.mnb >quick.log 2>&1 || { tail -20 quick.log; fail "the quick export failed"; }
"$prefix/bin/fmtoobj" /f jump32 quick.fm >/dev/null || fail "quick.fm lacks frame jump32"
if "$prefix/bin/fmtoobj" /f jump33 quick.fm >/dev/null 2>&1; then fail "quick.fm has more than 32 frames"; fi
echo "Quick export: 32 frames from the installed mocap.spz."

# `Marionet FILE`, as the desktop entry starts it: the window opens the file (its frame
# question is answered with Return) and the log says so.
rm -f mn.log
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" "$2" 2>/dev/null & pid=$!
  wait_for() { for _ in $(seq 1 120); do grep -q "$1" mn.log 2>/dev/null && return 0; sleep 0.25; done; return 1; }
  wait_for "^Loading" && sleep 0.5 && xdotool key Return && wait_for "^Opened:"
  found=$?
  kill -TERM "$pid"; wait "$pid"
  exit $found' _ "$prefix/bin/Marionet" "$samples/sample.fm" ||
  { cat mn.log 2>/dev/null; fail "Marionet FILE did not open the file"; }
echo "Marionet FILE: $(grep '^Opened:' mn.log)"
echo "Package tests passed."
