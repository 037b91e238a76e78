#!/usr/bin/env bash
# Fuzzes the file loaders with libFuzzer (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer), built in build-fuzz/ (not part of the normal
# build). Seeds come from the shipped files; every input that breaks a
# loader is copied to tests/fuzz/<target>/, where the normal tests replay it.
#
#   tools/fuzz/run.sh [TARGET...] [-- LIBFUZZER OPTIONS]
#   tools/fuzz/run.sh level -- -runs=10000000
#   tools/fuzz/run.sh -- -max_total_time=1800        (every target)
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/deps.sh
ensure_packages clang libclang-rt-14-dev "${BUILD_PACKAGES[@]}"

targets=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do targets+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
[ ${#targets[@]} -eq 0 ] && targets=(level ini atlas objects man font script save keys)
options=("$@")
[ ${#options[@]} -eq 0 ] && options=(-max_total_time=60)

CXX=clang++ cmake -S . -B build-fuzz -DQUARVEL_FUZZ=ON -DQUARVEL_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null

seeds() {
  case "$1" in
    level) ls data/*.lvl ;;
    ini) ls data/*.ini data/qvl.apg ;;
    atlas) echo data/qvl.apg ;;
    objects) echo data/Objects.ini ;;
    man) echo data/Man.ini ;;
    font) ls data/*.fnt ;;
    script) ls tools/fuzz/seeds/script/* tests/replays/*.txt 2>/dev/null || true ;;
    save) ls tools/fuzz/seeds/save/* 2>/dev/null || true ;;
    keys) ls tools/fuzz/seeds/keys/* 2>/dev/null || true ;;
  esac
}

for t in "${targets[@]}"; do
  [ -x "build-fuzz/fuzz-$t" ] || { echo "no target $t"; continue; }
  corpus="build-fuzz/corpus/$t"
  found="build-fuzz/found/$t"
  rm -rf "$found"
  mkdir -p "$corpus" "$found" "tests/fuzz/$t"
  for f in $(seeds "$t"); do cp "$f" "$corpus/" 2>/dev/null || true; done
  echo "== $t"
  set +e
  "build-fuzz/fuzz-$t" "$corpus" -dict="tools/fuzz/dict/$t.dict" -artifact_prefix="$found/" \
    -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 "${options[@]}" 2>&1 |
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::|==[0-9]+==ERROR|SUMMARY|INFO: Seed|Done )' | tail -12
  set -e
  # A slow unit is only reported: on a busy machine any input may be slow
  # once. Real hangs end the run as timeouts and are kept with the crashes.
  for slow in "$found"/slow-unit-*; do
    [ -e "$slow" ] && echo "slow input $slow (not kept; time it alone: build-fuzz/fuzz-$t $slow)"
  done
  for crash in "$found"/{crash,leak,timeout,oom}-*; do
    [ -e "$crash" ] && cp "$crash" "tests/fuzz/$t/" && echo "kept $crash in tests/fuzz/$t/"
  done
done
