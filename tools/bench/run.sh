#!/usr/bin/env bash
# The frame-time benchmark: a storey of SIZE x SIZE cells with OBJECTS
# objects, played for a few seconds in developer mode (walking, turning) by
# the headless runner without pacing. Prints the runner's timing report.
#
#   tools/bench/run.sh [SIZE] [OBJECTS] [FRAMES] [zoom] [ENEMIES]
#
# With "zoom" the developer zoom (Q) is on: a quarter of the cells are visible
# (pass "" to leave it off). With ENEMIES the player paces a pen of pillars in
# an open hall while that many alerted enemies around it, in his light, chase
# him (tools/bench/big_storey.py).
set -euo pipefail
cd "$(dirname "$0")/../.."
size=${1:-200}
objects=${2:-1000}
frames=${3:-600}
zoom=${4:-}
enemies=${5:-0}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --build build --target quarvel-sim quarvel-levelc -j2 >/dev/null
/usr/bin/python3 tools/bench/big_storey.py "$size" "$objects" "$enemies" > "$work/big.map"
mkdir -p "$work/run/data"
cp -r data/. "$work/run/data/"
ln -s "$PWD/sound" "$work/run/sound"
touch "$work/run/kresk"
build/quarvel-levelc "$work/big.map" "$work/run/data/temp.lvl" | sed 's/^.*: /storey: /'
if [ "$enemies" -gt 0 ]; then
    # Round and round inside the pen, two cells each way, the aim swinging.
    for ((f = 0; f < frames; f += 80)); do
        printf '%d mouse 460 295\n%d down D\n%d up D\n' $f $f $((f + 20))
        printf '%d mouse 400 355\n%d down S\n%d up S\n' $((f + 20)) $((f + 20)) $((f + 40))
        printf '%d mouse 340 295\n%d down A\n%d up A\n' $((f + 40)) $((f + 40)) $((f + 60))
        printf '%d mouse 400 235\n%d down W\n%d up W\n' $((f + 60)) $((f + 60)) $((f + 80))
    done > "$work/walk.txt"
else
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
fi
[ "$zoom" = zoom ] && printf '1 down Q\n2 up Q\n' >> "$work/walk.txt"
echo "run: ${frames} frames${zoom:+, zoomed}"
build/quarvel-sim --workdir "$work/run" --frames "$frames" --input "$work/walk.txt" --bench \
    ${BENCH_DUMP:+--dump "$BENCH_DUMP"} 2>/dev/null
