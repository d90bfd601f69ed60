#!/usr/bin/env bash
# Installs the Debian packages a task needs, and nothing else: ./scripts/ensure-packages.sh viewer
# for building and running the viewer, ./scripts/ensure-packages.sh test for the tests as well,
# ./scripts/ensure-packages.sh package for making, checking and trying out the Debian package.
# The package lists are refreshed only when something is actually missing, so a ready machine
# stays offline. Without root and without sudo it names the missing packages and the command
# that installs them, and fails.
set -euo pipefail

viewer_packages=(
    cmake g++ make
    qt6-base-dev
    # The lock keys' lights for the status bar come from X11's keyboard extension.
    libx11-dev
    # Reads JSON in forecast-compose and in the tests; header-only.
    nlohmann-json3-dev
    # The statement's default face is Times New Roman; Liberation Serif has its metrics.
    fonts-liberation2
    # The script face of the version text in the splash and the About box.
    fonts-dancingscript
    # Writes the spreadsheet export; pkg-config finds it.
    libxlsxwriter-dev pkgconf
)

# clang and its sanitizer and fuzzer runtimes build the fuzzing target (VARNOBEL_FUZZ);
# libclang-rt-dev follows the release's default clang, whatever its version.
test_packages=(
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-dev
    poppler-utils
    # The tests of local times read named zones (Asia/Tokyo, America/New_York).
    tzdata
    appstream
    shared-mime-info libglib2.0-bin
    # The manual page is made from --help, and groff checks how it sets.
    help2man groff-base
    # The spreadsheet tests read the workbook's parts back.
    unzip
    # The statements are read over the desktop's accessibility bus in a virtual X server.
    python3 python3-pyatspi at-spi2-core dbus-daemon xvfb xdotool
)

# dpkg-dev's dpkg-shlibdeps works out the package's Depends, from the libraries `file` finds the
# program to be linked with; lintian checks the package; man-db, xdg-utils and the triggers of
# desktop-file-utils and shared-mime-info are what the installed package is tried with.
package_packages=(
    help2man groff-base
    dpkg-dev file lintian
    man-db xdg-utils desktop-file-utils shared-mime-info
)

case "${1:-}" in
viewer) packages=("${viewer_packages[@]}") ;;
test) packages=("${viewer_packages[@]}" "${test_packages[@]}") ;;
package) packages=("${viewer_packages[@]}" "${package_packages[@]}") ;;
*)
    echo "usage: $0 viewer|test|package" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

install_command="apt-get update && apt-get install -y ${missing[*]}"
sudo=()
if ((EUID != 0)); then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them as root, then run this again:" >&2
        echo "    su -c '$install_command'" >&2
        exit 1
    fi
    sudo=(sudo)
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y "${missing[@]}"
