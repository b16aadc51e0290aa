# Shared by scripts/play and scripts/test: installs the Debian packages that
# are missing, then configures and builds incrementally. Sourced, not run.

vemo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

vemo_install_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Build packages every command needs.
vemo_build_packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6sql6-sqlite qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  sqlite3 libsqlite3-dev fonts-comic-neue librsvg2-bin
)

# What scripts/package and the package test need besides: the package tools,
# its checkers, and a virtual screen to start the installed game on.
vemo_package_packages=(
  dpkg-dev lintian appstream desktop-file-utils man-db xvfb xdotool
)

# What the screen-reader test needs: Orca itself, and a session bus and the
# accessibility bus for it to listen on.
vemo_orca_packages=(
  orca dbus-daemon at-spi2-core procps
)

# vemo_build BUILD_DIR [cmake options...]; VEMO_TARGET limits the build to one target.
vemo_build() {
  local dir="$1"
  shift
  cmake -S "$vemo_root" -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)" ${VEMO_TARGET:+--target "$VEMO_TARGET"}
}
