# Shared by the run and test scripts: installs the Debian packages the build
# needs (only those missing, so a second run installs nothing) and builds.
set -euo pipefail

KELVARA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KELVARA_BUILD=${KELVARA_BUILD:-$KELVARA_ROOT/build}

KELVARA_PACKAGES=(
    build-essential cmake ninja-build ccache pkg-config git
    libssl-dev libzip-dev zlib1g-dev
    qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
    qt6-websockets-dev qt6-webengine-dev qt6-webengine-dev-tools qt6-5compat-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-qpa-plugins libgl-dev libglx-dev
    qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-templates
    qml6-module-qtquick-window qml6-module-qtquick-layouts qml6-module-qtqml-workerscript
    qml6-module-qtwebengine qml6-module-qtquick-dialogs qml6-module-qttest qml6-module-qtqml-models
    qml6-module-qtquick-shapes fonts-dejavu-core procps
)

kelvara_sudo() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

kelvara_install_packages() {
    local missing=()
    local pkg
    for pkg in "${KELVARA_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        kelvara_sudo apt-get update
        kelvara_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

kelvara_build() {
    if [ ! -f "$KELVARA_BUILD/build.ninja" ]; then
        cmake -S "$KELVARA_ROOT" -B "$KELVARA_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build "$KELVARA_BUILD" -- -j"$(nproc)"
}
