#!/usr/bin/env bash
# The start-up benchmark: how soon the first picture shows and how much
# memory the program takes, for this tree and, side by side, an older commit
# (checked out in a scratch worktree and built there), so a change's cost is
# seen in one run.
#
#   tools/bench/startup.sh [--web] [COMMIT] [RUNS]
#
# Prints the median of RUNS runs (default 7; 3 for the long storey run) of:
#   runner     quarvel-sim --frames 1: wall and processor seconds, the first
#              picture after the process start, peak resident memory
#   menu       peak memory of the runner that skips the splash and stays two
#              seconds at the menu
#   window     the game in a window at 1x under Xvfb (sound on SDL's dummy
#              device), closed after five seconds: first picture, processor
#              seconds, peak memory
#   storey 10  the recorded run of storey 10, every frame drawn: peak memory
#              and the 99th percentile of the whole frame, in wall time and
#              in processor time (which other programs do not lengthen)
# With --web also the browser version (built when missing): the download at
# the start (the page, quarvel.js, quarvel.wasm and quarvel.data), each
# language's package of pictures (fetched only for that language; "-" when
# a tree has none) and the first picture in headless Chromium from a
# loopback server, for a browser asking for Russian and for English.
# Wall times depend on what else runs: the load average is printed.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
web=0
[ "${1:-}" = "--web" ] && { web=1; shift; }
old=${1:-}
runs=${2:-7}
long_runs=$(( runs < 3 ? runs : 3 ))
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

median() { sort -g | awk '{ v[NR] = $1 } END { print NR ? v[int((NR + 1) / 2)] : "-" }'; }

# The third word of the first line read, or "-" when there is none (an older
# commit that does not print the figure), so the table's columns stay in line.
third_or_dash() { awk 'NR == 1 { print $3 } END { if (!NR) print "-" }'; }

# A folder to run in with a tree's data linked file by file (what the game
# writes stays in the folder).
scratch() {
  local tree=$1 dir=$2
  rm -rf "$dir"
  mkdir -p "$dir/data"
  for f in "$tree"/data/*; do ln -s "$f" "$dir/data/"; done
  ln -s "$tree/sound" "$dir/sound"
}

build_tree() {
  local tree=$1 launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  [ -f "$tree/build/CMakeCache.txt" ] ||
    cmake -S "$tree" -B "$tree/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
  cmake --build "$tree/build" --target quarvel quarvel-sim -j2 >/dev/null
}

# "wall-s processor-s peak-MiB" of a command, its output in $work/out.
timed() {
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" >"$work/out" 2>&1 || true
  awk '{ printf "%s %.2f %.0f\n", $1, $2 + $3, $4 / 1024 }' "$work/time"
}

runner_start() {
  local tree=$1 i
  scratch "$tree" "$work/run"
  for ((i = 0; i < runs; i++)); do
    (cd "$work/run" && timed "$tree/build/quarvel-sim" --frames 1 --bench)
    echo "first $(grep -o 'first picture [0-9.]*' "$work/out" | third_or_dash)"
  done >"$work/runner"
  echo "$(awk '!/^first/ { print $1 }' "$work/runner" | median)" \
       "$(awk '!/^first/ { print $2 }' "$work/runner" | median)" \
       "$(awk '/^first/ { print $2 }' "$work/runner" | median)" \
       "$(awk '!/^first/ { print $3 }' "$work/runner" | median)"
}

runner_menu() {
  local tree=$1 i
  scratch "$tree" "$work/run"
  printf '5 down SPACE\n6 up SPACE\n' >"$work/menu.txt"
  for ((i = 0; i < runs; i++)); do
    (cd "$work/run" && timed "$tree/build/quarvel-sim" --frames 130 --input "$work/menu.txt") | awk '{ print $3 }'
  done | median
}

start_xvfb() {
  [ -n "$xvfb_pid" ] && return 0
  local d
  for d in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$d" ] || [ -e "/tmp/.X$d-lock" ] || break
  done
  Xvfb ":$d" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$d"
  sleep 1
}

window() {
  local tree=$1 i pid game
  start_xvfb
  for ((i = 0; i < runs; i++)); do
    scratch "$tree" "$work/run"
    (cd "$work/run" && SDL_AUDIODRIVER=dummy /usr/bin/time -f "%U %S %M" -o "$work/time" \
      "$tree/build/quarvel" >"$work/out" 2>&1) &
    pid=$!
    sleep 5
    game=$(pgrep -P "$(pgrep -P "$pid" | head -1)" | head -1 || true)
    [ -n "$game" ] && kill -TERM "$game"
    wait "$pid" || true
    echo "$(awk '{ printf "%.2f %.0f", $1 + $2, $3 / 1024 }' "$work/time")" \
         "$(grep -o 'First picture [0-9.]*' "$work/out" | third_or_dash)"
  done >"$work/window"
  echo "$(awk '{ print $2 }' "$work/window" | median)" "$(awk '{ print $1 }' "$work/window" | median)" \
       "$(awk '{ print $3 }' "$work/window" | median)"
}

storey10() {
  local tree=$1 i
  for ((i = 0; i < long_runs; i++)); do
    scratch "$tree" "$work/run"
    cp "$tree/tests/replays/10.save" "$work/run/data/save"
    (cd "$work/run" && timed "$tree/build/quarvel-sim" --input "$tree/tests/replays/10.txt" --bench) |
      awk '{ printf "%s ", $3 }'
    grep -o 'frame 99th percentile [0-9.]* ms, in processor time [0-9.]*' "$work/out" |
      awk '{ print $4, $9 }' || echo "- -"
  done >"$work/storey"
  echo "$(awk '{ print $1 }' "$work/storey" | median)" "$(awk '{ print $2 }' "$work/storey" | median)" \
       "$(awk '{ print $3 }' "$work/storey" | median)"
}

browser() {
  local tree=$1
  [ "$web" = 1 ] || { echo "- - - -"; return; }
  (cd "$tree" && source "$root/tools/deps.sh" && source "$root/tools/web/toolchain.sh" &&
    ensure_packages "${WEB_PACKAGES[@]}" "${WEB_TEST_PACKAGES[@]}" && web_environment &&
    web_build_game >/dev/null)
  echo "$(megabytes "$tree"/build-web/{index.html,quarvel.js,quarvel.wasm,quarvel.data})" \
       "$(language_packages "$tree/build-web")" \
       "$(node "$root/tools/bench/web_start.mjs" "$tree/build-web" "$runs" ru-RU)" \
       "$(node "$root/tools/bench/web_start.mjs" "$tree/build-web" "$runs" en-US)"
}

megabytes() { cat "$@" | wc -c | awk '{ printf "%.2f", $1 / 1e6 }'; }

# "en:3.44,..." for the packages quarvel-lang-<code>.data and .json of a site.
language_packages() {
  local data code list=""
  for data in "$1"/quarvel-lang-*.data; do
    [ -f "$data" ] || continue
    code=${data##*/quarvel-lang-}
    list+="${list:+,}${code%.data}:$(megabytes "$data" "${data%.data}.json")"
  done
  echo "${list:--}"
}

measure() {
  local tree=$1 name=$2
  build_tree "$tree"
  echo "$name $(runner_start "$tree") $(runner_menu "$tree") $(window "$tree") $(storey10 "$tree") $(browser "$tree")"
}

{
  measure "$root" "this"
  if [ -n "$old" ]; then
    tree="$work/old"
    git worktree add --detach "$tree" "$old" >/dev/null 2>&1
    trap 'git -C "$root" worktree remove --force "$tree"; cleanup' EXIT
    measure "$tree" "$(git rev-parse --short "$old")"
  fi
} >"$work/table"

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)   medians of $runs runs ($long_runs for storey 10)"
{
  echo "tree runner_wall_s runner_cpu_s runner_first_picture_s runner_peak_MiB menu_peak_MiB" \
       "window_peak_MiB window_cpu_s window_first_picture_s storey10_peak_MiB storey10_frame_p99_ms storey10_frame_p99_cpu_ms" \
       "web_start_download_MB web_language_packages_MB web_first_picture_ru_ms web_first_picture_en_ms"
  cat "$work/table"
} | column -t
