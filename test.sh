#!/usr/bin/env bash
# Builds everything and runs every test: first the normal build with the viewer and the tools,
# then the forecast library and the document once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, where a damaged file that slips past a check shows up.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

./scripts/ensure-packages.sh

jobs=2
build_type=${VARNOBEL_BUILD_TYPE:-RelWithDebInfo}

# Tests must neither read nor change the settings of the person running them.
test_home=$(mktemp -d)
trap 'rm -rf "$test_home"' EXIT
export XDG_CONFIG_HOME="$test_home/config" XDG_DATA_HOME="$test_home/data"
export XDG_CACHE_HOME="$test_home/cache" XDG_RUNTIME_DIR="$test_home/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen

echo "== Build ($build_type)"
cmake -S . -B build -DCMAKE_BUILD_TYPE="$build_type" \
    -DVARNOBEL_WITH_QT=ON -DVARNOBEL_SANITIZE=OFF -DVARNOBEL_BENCH=ON
cmake --build build -j"$jobs"

echo "== Tests"
ctest --test-dir build --output-on-failure --timeout 900 -j"$jobs"

echo "== Build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug \
    -DVARNOBEL_SANITIZE=ON -DVARNOBEL_WITH_QT=OFF -DVARNOBEL_BENCH=OFF -DVARNOBEL_FUZZ=OFF
cmake --build build-sanitize -j"$jobs"

echo "== Tests under the sanitizers"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure --timeout 1800 -j"$jobs"
