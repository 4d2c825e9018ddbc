# shellcheck shell=bash
# Shared by scripts/run and scripts/test: the packages the game needs, installing the missing
# ones, and the Release build in build/. Sourced, not run; ROOT is the repository.
# shellcheck disable=SC2034 # read by the scripts that source this file
RUNTIME_PACKAGES=(g++ cmake pkg-config libsdl1.2-compat-dev libgl-dev libglu1-mesa-dev
    libglew-dev libfreetype-dev libsoil-dev libgl1-mesa-dri libstb-dev fonts-dejavu-core
    glslang-dev libsdl-mixer1.2-dev)

# Installs whichever of the given packages are missing; silent when none is.
install_missing() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

# Configures and builds build/ in Release; $1 is ON or OFF for the tests.
build_game() {
    cmake -S "$ROOT" -B "$ROOT/build" -DCMAKE_BUILD_TYPE=Release -DORRISK_TESTS="$1" >/dev/null
    cmake --build "$ROOT/build" -j"$(nproc)"
}
