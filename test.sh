#!/usr/bin/env bash
# Builds everything and runs every test: first the normal build with the viewer and the tools,
# then the forecast library and the document once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, where a damaged file that slips past a check shows up. The tests
# give themselves a home, settings and runtime folder of their own inside the build folder.
# Run as root, it then makes the Debian package and installs, tries and removes it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

./scripts/ensure-packages.sh test

jobs=2
build_type=${VARNOBEL_BUILD_TYPE:-RelWithDebInfo}

echo "== Build ($build_type)"
cmake -S . -B build -DCMAKE_BUILD_TYPE="$build_type" \
    -DVARNOBEL_WITH_QT=ON -DVARNOBEL_SANITIZE=OFF -DVARNOBEL_TESTS=ON -DVARNOBEL_BENCH=ON
cmake --build build -j"$jobs"

# One test at a time: tests of the settings store share one settings file, and the whole suite
# takes seconds.
echo "== Tests"
ctest --test-dir build --output-on-failure --timeout 900

echo "== Build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVARNOBEL_SANITIZE=ON \
    -DVARNOBEL_WITH_QT=OFF -DVARNOBEL_TESTS=ON -DVARNOBEL_BENCH=OFF -DVARNOBEL_FUZZ=OFF
cmake --build build-sanitize -j"$jobs"

echo "== Tests under the sanitizers"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure --timeout 1800

# Installing and removing a package needs root; as another user the package is left unchecked.
if ((EUID == 0)); then
    echo "== Debian package"
    ./scripts/check-deb-package.sh
else
    echo "== Debian package: not checked (installing it needs root)"
fi
