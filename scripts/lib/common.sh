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
    # The platform layer's Windows build and its tests under Wine.
    g++-mingw-w64-x86-64-posix wine wine64
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

# Runs "$@" in a throwaway home and Wine prefix, so nothing reaches the real home or its trash,
# with no input. One Wine server stays up for the whole run. Returns the command's status.
in_throwaway_wine() {
    local scratch status=0
    scratch="$(mktemp -d)"
    mkdir -p "$scratch/home" "$scratch/prefix"
    (
        # No Mono or Gecko: nothing here needs them, and their install would ask.
        export HOME="$scratch/home" WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME
        wineserver -p
        # The prefix's first start explains itself on stderr; the command's run says what counts.
        wine wineboot -i </dev/null >/dev/null 2>&1 || true
        code=0
        # A subshell of its own: a command that exits still leaves the server to be ended here.
        ("$@") </dev/null || code=$?
        wineserver -k
        exit "$code"
    ) || status=$?
    rm -rf "$scratch"
    return "$status"
}

# The platform layer built for Windows with MinGW in build-win32, its tests run under Wine without
# a display. Fails when a test fails.
test_platform_under_wine() {
    local build="$ROOT/build-win32"
    export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=true
    cmake -S "$ROOT" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$JOBS"
    (
        unset DISPLAY WAYLAND_DISPLAY
        in_throwaway_wine wine "$build/tests/platform/test_platform.exe"
    )
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
