# Sourced by web.sh and test.sh: the compiler for the browser build and the
# SDL2 libraries built for it from Debian's source packages. The libraries
# are kept outside the clone, under the user's cache, in a folder named after
# what they were built from (see web_deps_key), so a fresh clone reuses them.
WEB_DIR="$PWD/build-web"
WEB_CACHE="${QUARVEL_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quarvel/web-deps}"
WEB_PACKAGES=(emscripten node-acorn nodejs cmake make xz-utils dpkg-dev)
WEB_TEST_PACKAGES=(chromium)
# Source package and the binary package whose version names it.
WEB_SOURCES=(libsdl2:libsdl2-dev libsdl2-image:libsdl2-image-dev libsdl2-mixer:libsdl2-mixer-dev)
WEB_COMMON_OPTIONS=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF)
WEB_SDL_OPTIONS=(-DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF)
WEB_IMAGE_OPTIONS=(-DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_BACKEND_STB=ON
  -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_JPG=OFF -DSDL2IMAGE_AVIF=OFF
  -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF)
WEB_MIXER_OPTIONS=(-DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF
  -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF
  -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVPACK=OFF
  -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF)

# Debian's emscripten runs its JavaScript optimiser with the system node,
# which does not look where Debian installs node modules.
web_environment() {
  export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
  export EM_CACHE="/usr/share/emscripten/cache"
}

# An apt configuration of our own that reads the source indexes of the
# machine's own Debian sources, so the system's lists stay untouched.
web_apt_config() {
  local apt="$WEB_DIR/apt"
  mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
  : >"$apt/sources.list"
  [ -f /etc/apt/sources.list ] && sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >>"$apt/sources.list"
  for f in /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && sed -n 's/^deb /deb-src /p' "$f" >>"$apt/sources.list"
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt/sources.list.d/$(basename "$f")"
  done
  WEB_APT_OPTIONS=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=root")
}

# The version of a source package: that of the binary package built from it
# which apt would install (a rebuild's "+bN" is not part of the source's).
web_source_version() {
  LC_ALL=C apt-cache policy "$1" 2>/dev/null |
    awk '/Candidate:/ && $2 != "(none)" { v = $2 } /Installed:/ && $2 != "(none)" && !v { i = $2 }
         END { v = v ? v : i; sub(/\+b[0-9]+$/, "", v); print v }'
}

# Everything the libraries depend on, one item a line: the source packages'
# versions, the compiler's version and the options they are built with.
web_deps_key() {
  local entry
  for entry in "${WEB_SOURCES[@]}"; do
    echo "${entry%%:*}=$(web_source_version "${entry#*:}")"
  done
  echo "emcc=$(emcc -dumpversion 2>/dev/null)"
  echo "common=${WEB_COMMON_OPTIONS[*]}"
  echo "sdl=${WEB_SDL_OPTIONS[*]}"
  echo "image=${WEB_IMAGE_OPTIONS[*]}"
  echo "mixer=${WEB_MIXER_OPTIONS[*]}"
}

# Sets WEB_DEPS to the cache folder for the current key.
web_deps_folder() {
  local key
  key=$(web_deps_key)
  WEB_DEPS_KEY="$key"
  WEB_DEPS="$WEB_CACHE/$(printf '%s\n' "$key" | sha256sum | cut -c1-16)"
}

# The original source archives of SDL2, SDL2_image and SDL2_mixer, in the
# versions of the key, unpacked into $1/<name>.
web_fetch_sources() {
  local src=$1 entry name version
  web_apt_config
  mkdir -p "$src"
  apt-get -qq "${WEB_APT_OPTIONS[@]}" update
  for entry in "${WEB_SOURCES[@]}"; do
    name=${entry%%:*}
    version=$(web_source_version "${entry#*:}")
    (cd "$src" && apt-get -qq "${WEB_APT_OPTIONS[@]}" source --download-only "$name${version:+=$version}")
    mkdir -p "$src/$name"
    tar -xf "$(ls "$src/${name}_"*.orig.tar.* | head -1)" -C "$src/$name" --strip-components=1
  done
}

web_cmake_library() {
  local work=$1 prefix=$2 name=$3
  shift 3
  local build="$work/build/$name"
  mkdir -p "$work/build"
  emcmake cmake -S "$work/src/$name" -B "$build" "${WEB_COMMON_OPTIONS[@]}" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$build.log" 2>&1 &&
    emmake make -C "$build" -j2 install >>"$build.log" 2>&1 || {
    tail -40 "$build.log"
    echo "Building $name for the browser failed; the whole log is in $build.log" >&2
    return 1
  }
}

# The libraries install straight into the cache folder (their CMake files
# name it), and the folder counts as finished only once all three are in:
# an interrupted build is started again. One build at a time per cache.
web_build_libraries() {
  web_deps_folder
  if [ -f "$WEB_DEPS/.built" ]; then
    echo "SDL2, SDL2_image and SDL2_mixer for the browser from $WEB_DEPS"
    return 0
  fi
  mkdir -p "$WEB_CACHE"
  exec {lock}>"$WEB_CACHE/.lock"
  flock "$lock"
  if [ -f "$WEB_DEPS/.built" ]; then
    exec {lock}>&-
    return 0
  fi
  local work="$WEB_DEPS.work"
  rm -rf "$WEB_DEPS" "$work"
  mkdir -p "$work"
  web_fetch_sources "$work/src" || return 1
  local found=(-DSDL2_DIR="$WEB_DEPS/lib/cmake/SDL2" -DCMAKE_FIND_ROOT_PATH="$WEB_DEPS")
  echo "Building SDL2, SDL2_image and SDL2_mixer for the browser into $WEB_DEPS (ten to twenty minutes)"
  web_cmake_library "$work" "$WEB_DEPS" libsdl2 "${WEB_SDL_OPTIONS[@]}" || return 1
  web_cmake_library "$work" "$WEB_DEPS" libsdl2-image "${found[@]}" "${WEB_IMAGE_OPTIONS[@]}" || return 1
  web_cmake_library "$work" "$WEB_DEPS" libsdl2-mixer "${found[@]}" "${WEB_MIXER_OPTIONS[@]}" || return 1
  printf '%s\n' "$WEB_DEPS_KEY" >"$WEB_DEPS/key"
  touch "$WEB_DEPS/.built"
  rm -rf "$work"
  exec {lock}>&-
}

# The game for the browser: index.html, quarvel.js, quarvel.wasm and
# quarvel.data at the top of build-web/.
web_build_game() {
  web_build_libraries || return 1
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  emcmake cmake -S . -B "$WEB_DIR/cmake" -DCMAKE_BUILD_TYPE=Release -DQUARVEL_TESTS=OFF \
    -DCMAKE_PREFIX_PATH="$WEB_DEPS" -DCMAKE_FIND_ROOT_PATH="$WEB_DEPS" -DQUARVEL_WEB_SITE="$WEB_DIR" \
    "${launcher[@]}" >/dev/null
  cmake --build "$WEB_DIR/cmake" --target quarvel -j"$(nproc)"
}
