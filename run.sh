#!/usr/bin/env bash
# Builds the viewer and shows a forecast: ./run.sh [FILE], by default the bundled example.
set -euo pipefail
caller_dir=$PWD
cd "$(dirname "${BASH_SOURCE[0]}")"

if (($# > 1)); then
    echo "usage: ./run.sh [FILE]" >&2
    exit 2
fi

# A file named on the command line is relative to the caller's folder, the default to ours.
file=${1:-examples/sample.cfs}
if [[ $# -eq 1 && "$file" != /* ]]; then
    file="$caller_dir/$file"
fi

./scripts/ensure-packages.sh >&2

cmake -S . -B build -DCMAKE_BUILD_TYPE="${VARNOBEL_BUILD_TYPE:-RelWithDebInfo}" \
    -DVARNOBEL_WITH_QT=ON -DVARNOBEL_SANITIZE=OFF -DVARNOBEL_BENCH=ON >&2
cmake --build build -j2 --target varnobel-view >&2

exec build/app/varnobel-view --export json "$file"
