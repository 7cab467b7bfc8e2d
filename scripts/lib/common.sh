# Shared by the scripts: install what is missing, build through ccache.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$ROOT/build"

PACKAGES=(
    cmake g++ make ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl1-mesa-dev libqt6svg6
    qt6-image-formats-plugins breeze-icon-theme fonts-dejavu-core
    googletest libgtest-dev
    xvfb xauth x11-utils imagemagick xdotool
    # The play-list test loads a written page in a headless browser.
    chromium chromium-driver
)
# Only the benchmarks need these: the peer tools they measure against.
BENCH_PACKAGES=(
    libvips-tools
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs PACKAGES and any packages given as arguments.
install_dependencies() {
    local missing=()
    for package in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installerer: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# JOBS limits the parallel jobs (default: one per processor); arguments go to cmake.
JOBS="${JOBS:-$(nproc)}"

build() {
    # The same cache entries serve every clone of the project on this machine.
    export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=true
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$BUILD" -j "$JOBS"
}

# Starts the program under a virtual X server, waits until its main window is up, saves that
# window as PNG to $1 and ends the program.
grab_under_xvfb() {
    xvfb-run -a -s "-screen 0 1600x1000x24" bash "$ROOT/scripts/lib/grab.sh" "$BUILD/src/app/zunkolvra" "$1"
}

# The same at a first start: a fresh temporary home.
grab_fresh_start() {
    local home
    home="$(mktemp -d)"
    HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" grab_under_xvfb "$1"
    rm -rf "$home"
}
