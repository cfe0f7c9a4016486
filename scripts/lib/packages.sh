# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Shared by scripts/run, scripts/test and scripts/fuzz: makes sure the Debian
# packages the build needs are installed. Source it; do not run it.

# Everything needed to build the game, its tests and benchmarks, and to run
# the game without a screen (Xvfb; with a D-Bus session and the desktop's
# accessibility bus for the test of what a screen reader hears).
KICKMARK_PACKAGES=(
  cmake
  g++
  ninja-build
  qt6-base-dev
  qt6-svg-dev
  qt6-charts-dev
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  nlohmann-json3-dev
  libcli11-dev
  xvfb
  dbus-daemon
  at-spi2-core
)

# What the web preset adds (scripts/test builds it after the debug preset):
# the engine and kickmark-sim compiled to WebAssembly by emscripten, Node to
# run them and to build the site (npm), and Chromium for the browser tests
# (Playwright drives Debian's chromium; it downloads no browser of its own).
# npm comes with NodeSource's nodejs, which provides it (and conflicts with
# Debian's npm); either counts.
KICKMARK_WEB_PACKAGES=(
  emscripten
  nodejs
  npm
  chromium
)

# The site's build tools (Vite) and the test runner (Playwright) need Node
# 20.19 or later; Debian 12's own nodejs is 18, NodeSource's 20 serves.
KICKMARK_NODE_AT_LEAST=20.19

# What the fuzz preset adds: clang and its runtime libraries (libFuzzer and
# the sanitizers).
KICKMARK_FUZZ_PACKAGES=(
  clang
  libclang-rt-14-dev
)

# What scripts/package adds: the checks of the desktop entry and the
# AppStream metainfo, the tools cpack's Debian packages are made with, and
# lintian to check them.
KICKMARK_PACKAGING_PACKAGES=(
  appstream
  desktop-file-utils
  dpkg-dev
  file
  lintian
)

# Whether a package is installed, or another installed package provides it
# (NodeSource's nodejs provides npm).
kickmark_package_present() {
  local status
  status=$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] && return 0
  local name=${1//./\\.}
  name=${name//+/\\+}
  # Read whole before grep looks: grep -q stops at the first match, and under
  # the callers' pipefail dpkg-query's broken pipe would then fail the test.
  local provided
  provided=$(dpkg-query -W -f='${db:Status-Abbrev}|${Provides}\n' 2>/dev/null || true)
  grep -qE "^ii *\|(.*[ ,])?${name}( |,|\$)" <<<"$provided"
}

# Installs the packages named as arguments that are missing, when running as
# root; otherwise prints the command that would and returns 1.
kickmark_install_missing() {
  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "dpkg-query not found: this is not a Debian system, so make sure these are installed:" \
      "$*" >&2
    return 0
  fi

  local missing=()
  local package
  for package in "$@"; do
    kickmark_package_present "$package" || missing+=("$package")
  done
  if ((${#missing[@]} == 0)); then
    return 0
  fi

  if [[ "$(id -u)" == "0" ]]; then
    echo "Installing missing packages: ${missing[*]}" >&2
    # Each step's failure stops here, with its reason (apt-get's own lines
    # above it): the caller's `set -e` does not reach into a function called
    # in an `||` list. Another apt-get or dpkg holding its lock is waited for
    # two minutes at most.
    local lock=(-o DPkg::Lock::Timeout=120)
    if ! apt-get "${lock[@]}" update; then
      echo "Could not update the package lists (apt-get update failed, above), so these" \
        "packages were not installed: ${missing[*]}" >&2
      return 1
    fi
    if ! DEBIAN_FRONTEND=noninteractive apt-get "${lock[@]}" install -y "${missing[@]}"; then
      echo "Could not install these packages: ${missing[*]} (apt-get install failed;" \
        "its reason is above)." >&2
      return 1
    fi
    local package
    for package in "${missing[@]}"; do
      if ! kickmark_package_present "$package"; then
        echo "apt-get finished but $package is still not installed." >&2
        return 1
      fi
    done
    return 0
  fi

  echo "These packages are missing: ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo apt-get update && sudo DEBIAN_FRONTEND=noninteractive apt-get install -y ${missing[*]}" >&2
  return 1
}

# The game's build packages.
kickmark_require_packages() {
  kickmark_install_missing "${KICKMARK_PACKAGES[@]}"
}

# The web preset's packages, on top of the game's.
kickmark_require_web_packages() {
  kickmark_install_missing "${KICKMARK_WEB_PACKAGES[@]}"
}

# Node new enough for the site's tools.
kickmark_require_node() {
  local have
  have=$(node -p 'process.versions.node' 2>/dev/null || echo 0)
  if [[ "$(printf '%s\n%s\n' "$KICKMARK_NODE_AT_LEAST" "$have" | sort -V | head -n1)" != "$KICKMARK_NODE_AT_LEAST" ]]; then
    echo "Node $have is too old for the site's tools: Node $KICKMARK_NODE_AT_LEAST or later is needed" \
      "(for example NodeSource's nodejs 20)." >&2
    return 1
  fi
}

# The site: the npm packages from the lock file (no browser download:
# the tests use Debian's chromium), the type check, and the build into
# build/web/site/ from the web preset's kickmark-web.
kickmark_build_site() {
  (
    cd web
    # npm ci empties node_modules and installs it again from the lock file;
    # a tree installed from this very lock file is kept as it is.
    if ! cmp -s package-lock.json node_modules/.kickmark-installed-lock; then
      PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund
      cp package-lock.json node_modules/.kickmark-installed-lock
    fi
    npx tsc --noEmit -p .
    npx vite build
  )
}

# The fuzz preset's packages, on top of the game's.
kickmark_require_fuzz_packages() {
  kickmark_install_missing "${KICKMARK_FUZZ_PACKAGES[@]}"
}

# The packaging tools, on top of the game's.
kickmark_require_packaging_packages() {
  kickmark_install_missing "${KICKMARK_PACKAGING_PACKAGES[@]}"
}
