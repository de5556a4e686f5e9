# Shared by scripts/run and scripts/test: install what is missing, then build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
CONFIGURE=()  # more settings for the first configure (scripts/sanitize, scripts/fuzz)

PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-serialport-dev qt6-svg-dev libqt6svg6
  qt6-translations-l10n qt6-l10n-tools qt6-image-formats-plugins libgl-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation
  zlib1g-dev libpotrace-dev libseccomp-dev libfontconfig-dev libopencv-imgproc-dev librsvg2-dev
  socat xvfb xauth x11-utils imagemagick libmagickcore-6.q16-6-extra potrace xdotool librsvg2-bin
  dpkg-dev file lintian desktop-file-utils shared-mime-info libxml2-utils libglib2.0-bin man-db appstream
  python3
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local SUDO=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "These packages are missing and sudo is not available: ${missing[*]}" >&2; exit 1; }
    SUDO="sudo"
  fi
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build [target...]: configure once, then build what is asked (everything by default).
build() {
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${CONFIGURE[@]}"
  fi
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$BUILD" -j"$(nproc)" "${targets[@]}"
}
