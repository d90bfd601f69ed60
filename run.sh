#!/usr/bin/env bash
# Builds the viewer and shows a forecast: ./run.sh [FILE] [Bas|Std|Adv], by default the bundled
# example. Without an edition word the viewer asks which edition to run as.
set -euo pipefail
caller_dir=$PWD
cd "$(dirname "${BASH_SOURCE[0]}")"

usage() {
    echo "usage: ./run.sh [FILE] [Bas|Std|Adv]" >&2
    exit 2
}

file=
edition=
for argument in "$@"; do
    case "$argument" in
    Bas | Std | Adv)
        [[ -z "$edition" ]] || usage
        edition=$argument
        ;;
    *)
        [[ -z "$file" ]] || usage
        file=$argument
        ;;
    esac
done

# A file named on the command line is relative to the caller's folder, the default to ours.
if [[ -z "$file" ]]; then
    file=examples/sample.cfs
elif [[ "$file" != /* ]]; then
    file="$caller_dir/$file"
fi

./scripts/ensure-packages.sh viewer >&2

# Only the viewer: no tests and no benchmarks, so neither GoogleTest nor Google Benchmark is needed.
cmake -S . -B build -DCMAKE_BUILD_TYPE="${VARNOBEL_BUILD_TYPE:-RelWithDebInfo}" \
    -DVARNOBEL_WITH_QT=ON -DVARNOBEL_SANITIZE=OFF -DVARNOBEL_TESTS=OFF -DVARNOBEL_BENCH=OFF >&2
cmake --build build -j2 --target varnobel-view >&2

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot" \
        "open; printing the recalculated forecast as JSON instead." >&2
    exec build/app/varnobel-view --export json "$file"
fi

exec build/app/varnobel-view "$file" ${edition:+"$edition"}
