#!/usr/bin/env bash
# Installs what is missing, builds the browser version into build-web/ and
# serves it on this machine's loopback address.
#   ./web.sh               build, then serve (the address is printed)
#   ./web.sh --build-only  only build
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
source tools/web/toolchain.sh
ensure_packages "${WEB_PACKAGES[@]}"
web_environment
web_build_game
if [ "${1:-}" = "--build-only" ]; then
  echo "Built: $WEB_DIR/index.html"
  exit 0
fi
exec node tools/web/serve.mjs "$WEB_DIR" --port "${QUARVEL_WEB_PORT:-8020}"
