#!/usr/bin/env bash
# Builds everything and runs every test: first the normal build with the viewer and the tools,
# then every Qt-free library once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# where a damaged file that slips past a check shows up, then both fuzzers for a minute each
# (VARNOBEL_FUZZ_SECONDS, 0 to skip). The tests give themselves a home, settings and runtime
# folder of their own inside the build folder. Run as root, it then makes the Debian package and
# installs, tries and removes it.
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

# Both fuzzers for a minute each from the committed corpora, in a clang build of their own with
# the sanitizers, when clang's fuzzer runtime is present. New inputs go to a scratch folder; a
# crash, leak, timeout or sanitizer report fails the run and names the input that reproduces it.
fuzz_seconds=${VARNOBEL_FUZZ_SECONDS:-60}
if command -v clang++ >/dev/null && ((fuzz_seconds > 0)); then
    echo "== Build the fuzzers (clang)"
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVARNOBEL_FUZZ=ON -DVARNOBEL_WITH_QT=OFF -DVARNOBEL_TESTS=OFF -DVARNOBEL_BENCH=OFF \
        -DVARNOBEL_SANITIZE=OFF
fi
if [[ -f build-fuzz/CMakeCache.txt ]] && ((fuzz_seconds > 0)) &&
    grep -q '^VARNOBEL_HAVE_FUZZER_RUNTIME:INTERNAL=1$' build-fuzz/CMakeCache.txt; then
    cmake --build build-fuzz -j"$jobs" --target document-read-fuzz statement-draw-fuzz
    fuzz() {
        local name=$1
        shift
        local work=build-fuzz/fuzz-run/$name
        rm -rf "$work"
        mkdir -p "$work/new" "$work/found"
        echo "== Fuzzing $name for ${fuzz_seconds}s"
        if ! "build-fuzz/fuzz/$name" -max_total_time="$fuzz_seconds" -timeout=10 \
            -rss_limit_mb=2560 -dict=fuzz/document.dict -print_final_stats=1 \
            -artifact_prefix="$work/found/" "$work/new" "$@" >"$work/log" 2>&1; then
            tail -n 60 "$work/log"
            echo "$name failed; the input that reproduces it:"
            ls -d "$PWD/$work"/found/* 2>/dev/null || echo "(none was written)"
            return 1
        fi
        grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|#[0-9]+[[:space:]]+DONE)' \
            "$work/log" || true
    }
    fuzz document-read-fuzz fuzz/corpus tests/data
    fuzz statement-draw-fuzz -max_len=2097152 fuzz/statement-corpus examples
elif ((fuzz_seconds > 0)); then
    echo "== Fuzzing: skipped (needs clang with its fuzzer runtime, libclang-rt-dev)"
fi

# Installing and removing a package needs root; as another user the package is left unchecked.
if ((EUID == 0)); then
    echo "== Debian package"
    ./scripts/check-deb-package.sh
else
    echo "== Debian package: not checked (installing it needs root)"
fi
