#!/usr/bin/env bash
# The frame-time benchmark: a storey of SIZE x SIZE cells with OBJECTS
# objects, played for a few seconds in developer mode (walking, turning) by
# the headless runner without pacing. Prints the runner's timing report.
#
#   tools/bench/run.sh [SIZE] [OBJECTS] [FRAMES] [zoom]
#
# With "zoom" the developer zoom (Q) is on: a quarter of the cells are visible.
set -euo pipefail
cd "$(dirname "$0")/../.."
size=${1:-200}
objects=${2:-1000}
frames=${3:-600}
zoom=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --build build --target quarvel-sim quarvel-levelc -j2 >/dev/null
/usr/bin/python3 tools/bench/big_storey.py "$size" "$objects" > "$work/big.map"
mkdir -p "$work/run/data"
cp -r data/. "$work/run/data/"
ln -s "$PWD/sound" "$work/run/sound"
touch "$work/run/kresk"
build/quarvel-levelc "$work/big.map" "$work/run/data/temp.lvl" | sed 's/^.*: /storey: /'
cat > "$work/walk.txt" <<'WALK'
0 mouse 700 400
10 down D
200 down S
300 up D
400 up S
400 down W
400 mouse 100 100
599 up W
WALK
[ "$zoom" = zoom ] && printf '1 down Q\n2 up Q\n' >> "$work/walk.txt"
echo "run: ${frames} frames${zoom:+, zoomed}"
build/quarvel-sim --workdir "$work/run" --frames "$frames" --input "$work/walk.txt" --bench 2>/dev/null
