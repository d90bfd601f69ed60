#!/usr/bin/env bash
# Builds everything and runs every test: first the normal build with the viewer and the tools,
# then the forecast library and the document once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, where a damaged file that slips past a check shows up.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

./scripts/ensure-packages.sh

jobs=2
build_type=${VARNOBEL_BUILD_TYPE:-RelWithDebInfo}

# Tests must neither read nor change the settings of the person running them: they get a home
# of their own for this run.
test_home=$(mktemp -d)
trap 'rm -rf "$test_home"' EXIT
mkdir -p "$test_home/config" "$test_home/data" "$test_home/cache" "$test_home/runtime"
chmod 700 "$test_home/runtime"
run_tests() {
    HOME="$test_home" XDG_CONFIG_HOME="$test_home/config" XDG_DATA_HOME="$test_home/data" \
        XDG_CACHE_HOME="$test_home/cache" XDG_RUNTIME_DIR="$test_home/runtime" \
        QT_QPA_PLATFORM=offscreen ctest "$@"
}

echo "== Build ($build_type)"
cmake -S . -B build -DCMAKE_BUILD_TYPE="$build_type" \
    -DVARNOBEL_WITH_QT=ON -DVARNOBEL_SANITIZE=OFF -DVARNOBEL_BENCH=ON
cmake --build build -j"$jobs"

# One test at a time: tests of the settings store share one settings file, and the whole suite
# takes seconds.
echo "== Tests"
run_tests --test-dir build --output-on-failure --timeout 900

echo "== Build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug \
    -DVARNOBEL_SANITIZE=ON -DVARNOBEL_WITH_QT=OFF -DVARNOBEL_BENCH=OFF -DVARNOBEL_FUZZ=OFF
cmake --build build-sanitize -j"$jobs"

echo "== Tests under the sanitizers"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_tests --test-dir build-sanitize --output-on-failure --timeout 1800
