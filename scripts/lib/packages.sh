# shellcheck shell=bash
# Shared by scripts/run and scripts/test: makes sure the Debian packages the
# build needs are installed. Source it; do not run it.

# Everything needed to build the game, its tests and benchmarks, and to run
# the game without a screen.
KICKMARK_PACKAGES=(
  cmake
  g++
  ninja-build
  qt6-base-dev
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  nlohmann-json3-dev
  libcli11-dev
  xvfb
)

# Installs the missing packages when running as root; otherwise prints the
# command that would and returns 1.
kickmark_require_packages() {
  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "dpkg-query not found: this is not a Debian system, so make sure these are installed:" \
      "${KICKMARK_PACKAGES[*]}" >&2
    return 0
  fi

  local missing=()
  local package status
  for package in "${KICKMARK_PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
      missing+=("$package")
    fi
  done
  if ((${#missing[@]} == 0)); then
    return 0
  fi

  if [[ "$(id -u)" == "0" ]]; then
    echo "Installing missing packages: ${missing[*]}" >&2
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
    return 0
  fi

  echo "These packages are missing: ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo apt-get update && sudo DEBIAN_FRONTEND=noninteractive apt-get install -y ${missing[*]}" >&2
  return 1
}
