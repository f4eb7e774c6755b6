#!/usr/bin/env bash
# The whole road on the sample character without a window: samples/road.mnb opens Sydney, fits
# the skeleton to her, binds her, makes her poseable and exports an animated FlexModel of the jump
# clip into out/, taking snapshots on the way; then fmtoobj writes two frames of the result as
# OBJ and the snapshots are put side by side in out/road-contact-sheet.png.
# Run scripts/test.sh (or scripts/run.sh) first: this uses the build they make.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
for program in build/app/Marionet build/fmtoobj/fmtoobj; do
  if [ ! -x "$program" ]; then
    echo "demo: $program is missing; build first with scripts/test.sh or scripts/run.sh" >&2
    exit 1
  fi
done
mkdir -p out
cd out
rm -f road-*.png [1-4]-*.png sydney.fm
# Snapshots are drawn by OpenGL and need a display; Xvfb gives one when there is none.
run=()
if [ -z "${DISPLAY:-}" ]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi
"${run[@]}" "$root/build/app/Marionet" --batch ../samples/road.mnb > road.log
grep -E '^(Snapshot|status: Flex model generated)' road.log
for frame in jump1 jump53; do
  "$root/build/fmtoobj/fmtoobj" /f "$frame" sydney.fm > /dev/null
  echo "fmtoobj: out/${frame}FFFF.obj"
done
# The contact sheet: each snapshot with a label saying what it shows, in the road's order.
sheet=()
while read -r picture label; do
  sheet+=(-label "$label" "$picture")
done <<'PICTURES'
1-fitted.png 1 Fitted, from the front
1-fitted-side.png 1 Fitted, from her right
2-left-thigh.png 2 Bound to the left thigh
2-right-upper-arm.png 2 Bound to the right upper arm
2-head.png 2 Bound to the head
3-jump1.png 3 jump1: standing
3-jump17.png 3 jump17: the crouch
3-jump17-side.png 3 jump17: knees over the toes
3-jump53.png 3 jump53: in the air
PICTURES
montage "${sheet[@]}" -tile 5x -geometry +4+4 -background '#303030' -fill white -font DejaVu-Sans -pointsize 15 \
  road-contact-sheet.png
echo "demo: out/road-contact-sheet.png, out/sydney.fm, out/road.log"
