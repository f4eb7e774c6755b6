#!/usr/bin/env bash
# Writes seeds for fuzz_io_assimp and fuzz_mocap_assimp_clip into DIR: every file of
# assimp-testmodels whose extension the targets feed, led by the byte that selects its format
# (fuzz/io/assimp_formats.h).
set -euo pipefail
dir=${1:?usage: scripts/make-assimp-corpus.sh DIR}
models=${MODELS:-/usr/share/assimp/models}
formats=(fbx gltf glb dae iqm md5mesh ply blend ms3d smd stl off md3 3mf ac csm)
mkdir -p "$dir"
count=0
for i in "${!formats[@]}"; do
  while IFS= read -r -d '' file; do
    size=$(stat -c %s "$file")
    if [ "$size" -gt 1048576 ]; then continue; fi
    out="$dir/${formats[$i]}-$(basename "$file" | tr -c 'A-Za-z0-9._-' _)"
    { printf "\\x$(printf %02x "$i")"; cat "$file"; } >"$out"
    count=$((count + 1))
  done < <(find "$models" -type f -iname "*.${formats[$i]}" -print0)
done
echo "make-assimp-corpus: $count seeds in $dir"
