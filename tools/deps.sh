# Sourced by play.sh and test.sh: installs the Debian packages the build needs
# when any is missing.
ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
}

BUILD_PACKAGES=(g++ cmake make pkg-config libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev)
TEST_PACKAGES=(libgtest-dev googletest libbenchmark-dev)
