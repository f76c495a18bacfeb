# Sourced by the other scripts: installs the Debian packages a step needs
# when any of them is missing. Uses sudo when not run as root.
brellic_need_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

BRELLIC_BUILD_PACKAGES=(g++ cmake make ninja-build qt6-base-dev libgl-dev libgtest-dev
    libgmock-dev libbenchmark-dev nlohmann-json3-dev)
# pdftotext reads the calculation sheet's PDFs back in the tests; pdftoppm
# draws the README's picture of one.
BRELLIC_BUILD_PACKAGES+=(poppler-utils)
