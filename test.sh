#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   ./test.sh             the normal build in build/
#   ./test.sh --sanitize  the same tests built with AddressSanitizer and
#                         UndefinedBehaviorSanitizer in build-asan/
#   ./test.sh --web       the browser version built into build-web/ and
#                         tested in headless Chromium
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
if [ "${1:-}" = "--web" ]; then
  source tools/web/toolchain.sh
  ensure_packages "${WEB_PACKAGES[@]}" "${WEB_TEST_PACKAGES[@]}"
  web_environment
  web_build_game
  exec node --test tests/web/web.test.mjs
fi
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  flags=(-DCMAKE_BUILD_TYPE=Debug -DQUARVEL_SANITIZE=ON)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
