# Sourced by web.sh and test.sh: the compiler for the browser build and the
# SDL2 libraries built for it from Debian's source packages, kept in
# build-web/deps/ between builds.
WEB_DIR="$PWD/build-web"
WEB_DEPS="$WEB_DIR/deps"
WEB_PACKAGES=(emscripten node-acorn nodejs cmake make xz-utils dpkg-dev)
WEB_TEST_PACKAGES=(chromium)

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

# The original source archives of SDL2, SDL2_image and SDL2_mixer, unpacked
# into build-web/src/<name>.
web_fetch_sources() {
  local src="$WEB_DIR/src"
  [ -f "$src/.unpacked" ] && return 0
  web_apt_config
  mkdir -p "$src"
  apt-get -qq "${WEB_APT_OPTIONS[@]}" update
  (cd "$src" && apt-get -qq "${WEB_APT_OPTIONS[@]}" source --download-only libsdl2 libsdl2-image libsdl2-mixer)
  local name
  for name in libsdl2 libsdl2-image libsdl2-mixer; do
    rm -rf "${src:?}/$name"
    mkdir -p "$src/$name"
    tar -xf "$(ls "$src/${name}_"*.orig.tar.* | head -1)" -C "$src/$name" --strip-components=1
  done
  touch "$src/.unpacked"
}

web_cmake_library() {
  local name=$1
  shift
  local build="$WEB_DIR/deps-build/$name"
  emcmake cmake -S "$WEB_DIR/src/$name" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$WEB_DEPS" -DBUILD_SHARED_LIBS=OFF "$@" >"$build.log" 2>&1 &&
    emmake make -C "$build" -j2 install >>"$build.log" 2>&1 || {
    tail -40 "$build.log"
    echo "Building $name for the browser failed; the whole log is in $build.log" >&2
    return 1
  }
}

web_build_libraries() {
  [ -f "$WEB_DEPS/.built" ] && return 0
  web_fetch_sources
  mkdir -p "$WEB_DIR/deps-build"
  local found=(-DSDL2_DIR="$WEB_DEPS/lib/cmake/SDL2" -DCMAKE_FIND_ROOT_PATH="$WEB_DEPS")
  echo "Building SDL2, SDL2_image and SDL2_mixer for the browser (once; ten to twenty minutes)"
  web_cmake_library libsdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF || return 1
  web_cmake_library libsdl2-image "${found[@]}" -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_BACKEND_STB=ON \
    -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_JPG=OFF -DSDL2IMAGE_AVIF=OFF \
    -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF || return 1
  web_cmake_library libsdl2-mixer "${found[@]}" -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF \
    -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
    -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVPACK=OFF \
    -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF || return 1
  touch "$WEB_DEPS/.built"
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
