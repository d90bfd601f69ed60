#!/usr/bin/env bash
# Compares what two commits export from the same forecasts:
#   scripts/compare-exports.sh REV_A REV_B
# Builds the viewer of each commit in a temporary git worktree, exports examples/*.cf? and the
# benchmarks' large generated forecast (both taken from the checkout running this script, so the
# two builds read the same bytes) as json, csv and png in the Basic and Standard editions, and
# as pdf (the selected year, and every page of the forecast), and lists for each export whether the two builds agree. json, csv and png must be
# byte-identical; a pdf must have the same page count and the same text (pdftotext), since its
# bytes carry dates and object ids. Pictures depend on the machine's fonts: compare two builds
# on one machine, never against stored pictures. The Advanced edition's csv, png and pdf exports
# run for the examples only (every page of the large forecast runs to some 30,000); set
# COMPARE_ADV=0 when one of the two commits predates that edition.
#
# Exits 0 when every export agrees, 1 when one differs, 2 on a usage or build error.
# COMPARE_WORK=DIR keeps the builds and outputs in DIR (default: a temporary folder, removed at
# the end); COMPARE_LARGE=0 leaves the large forecast out (all its pages run to about 2,000).
set -euo pipefail

if (($# != 2)); then
    echo "usage: $0 REV_A REV_B" >&2
    exit 2
fi

source_tree=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$source_tree"
revisions=()
for rev in "$1" "$2"; do
    if ! commit=$(git rev-parse --verify --quiet "$rev^{commit}"); then
        echo "$0: $rev is not a commit" >&2
        exit 2
    fi
    revisions+=("$commit")
done
for tool in pdftotext pdfinfo cmp; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$0: $tool is missing (./scripts/ensure-packages.sh test installs it)" >&2
        exit 2
    fi
done

if [[ -n "${COMPARE_WORK:-}" ]]; then
    work=$COMPARE_WORK
    mkdir -p "$work"
    keep_work=1
else
    work=$(mktemp -d "${TMPDIR:-/tmp}/compare-exports.XXXXXX")
    keep_work=0
fi
work=$(cd "$work" && pwd)

# The source trees are worktrees of this repository: they go at the end even when the builds
# and outputs stay, so that the repository keeps no worktree of ours.
cleanup() {
    for side in a b; do
        if [[ -d "$work/src-$side" ]]; then
            git -C "$source_tree" worktree remove --force "$work/src-$side" >/dev/null 2>&1 || true
        fi
    done
    if ((keep_work == 0)); then
        rm -rf "$work"
    fi
    git -C "$source_tree" worktree prune
}
trap cleanup EXIT

launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Builds only the viewer of one commit; prints the program's path.
build_viewer() {
    local side=$1 commit=$2
    local tree="$work/src-$side" build="$work/build-$side"
    # A tree left by a run that was killed may hold another commit.
    git -C "$source_tree" worktree remove --force "$tree" >/dev/null 2>&1 || rm -rf "$tree"
    git -C "$source_tree" worktree prune
    git -C "$source_tree" worktree add --detach "$tree" "$commit" >&2
    echo "== Building $side (${commit:0:12})" >&2
    cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOBEL_WITH_QT=ON \
        -DVARNOBEL_TESTS=OFF -DVARNOBEL_BENCH=OFF -DVARNOBEL_FUZZ=OFF "${launcher[@]}" >&2
    cmake --build "$build" -j2 --target varnobel-view >&2
    local program
    program=$(find "$build" -type f -name varnobel-view -perm -u+x | head -n 1)
    if [[ -z "$program" ]]; then
        echo "$0: the build of $side made no varnobel-view" >&2
        exit 2
    fi
    echo "$program"
}

# The inputs, the same bytes for both builds.
inputs="$work/inputs"
mkdir -p "$inputs"
cp "$source_tree"/examples/*.cf[bsaf] "$inputs/"
if [[ "${COMPARE_LARGE:-1}" != 0 ]]; then
    echo "== Generating the large forecast" >&2
    cmake -S "$source_tree" -B "$work/build-generator" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVARNOBEL_WITH_QT=OFF -DVARNOBEL_TESTS=OFF -DVARNOBEL_BENCH=OFF -DVARNOBEL_FUZZ=OFF \
        "${launcher[@]}" >&2
    cmake --build "$work/build-generator" -j2 --target forecast-generate >&2
    "$work/build-generator/forecast-generate" large "$inputs/large.cfs"
fi

viewer_a=$(build_viewer a "${revisions[0]}")
viewer_b=$(build_viewer b "${revisions[1]}")

# Each export: a name and the arguments after FILE.
exports=(
    "json|--export json"
    "csv-Std|--export csv --edition Std"
    "csv-Bas|--export csv --edition Bas"
    "png-Std|--export png --edition Std"
    "png-Bas|--export png --edition Bas"
    "pdf|--export pdf"
    "pdf-all|--export pdf --scenarios all --companies all --years all --cashflow --graphs"
)
adv_exports=(
    "csv-Adv|--export csv --edition Adv"
    "csv-AdvOpen|--export csv --edition Adv --outline open"
    "png-Adv|--export png --edition Adv"
    "png-AdvGraph|--export png --edition Adv --graph 0"
    "pdf-Adv|--export pdf --edition Adv"
    "pdf-AdvExpanded|--export pdf --edition Adv --print-option expanded"
)

# Runs one export with a home and settings of its own and offscreen Qt, so neither build sees
# what the other wrote. Leaves OUT, and OUT.status with the exit status.
run_export() {
    local viewer=$1 input=$2 out=$3
    shift 3
    local home
    home=$(mktemp -d "$work/home.XXXXXX")
    local status=0
    env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" \
        XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
        "$viewer" "$@" "$input" -o "$out" >"$out.stdout" 2>"$out.stderr" || status=$?
    echo "$status" >"$out.status"
    rm -rf "$home"
}

# How a pdf reads: its page count and its text.
pdf_reading() {
    local pdf=$1
    pdfinfo "$pdf" | grep '^Pages:'
    pdftotext -layout "$pdf" -
}

differ=0
results="$work/results"
mkdir -p "$results/a" "$results/b"
printf '%-34s %s\n' "EXPORT" "RESULT"
for input in "$inputs"/*; do
    base=$(basename "$input")
    entries=("${exports[@]}")
    if [[ "${COMPARE_ADV:-1}" != 0 && "$base" != large.cfs ]]; then
        entries+=("${adv_exports[@]}")
    fi
    for entry in "${entries[@]}"; do
        name=${entry%%|*}
        read -r -a arguments <<<"${entry#*|}"
        extension=${name%%-*}
        out_a="$results/a/$base.$name.$extension"
        out_b="$results/b/$base.$name.$extension"
        run_export "$viewer_a" "$input" "$out_a" "${arguments[@]}"
        run_export "$viewer_b" "$input" "$out_b" "${arguments[@]}"
        status_a=$(cat "$out_a.status")
        status_b=$(cat "$out_b.status")
        if [[ "$status_a" != 0 || "$status_b" != 0 ]]; then
            if [[ "$status_a" == "$status_b" ]]; then
                verdict="same failure (status $status_a)"
            else
                verdict="DIFFERS: status $status_a against $status_b"
                differ=1
            fi
        elif [[ "$extension" == pdf ]]; then
            if cmp -s <(pdf_reading "$out_a") <(pdf_reading "$out_b"); then
                verdict="same ($(pdfinfo "$out_a" | awk '/^Pages:/ {print $2}') pages, same text)"
            else
                verdict="DIFFERS: pages $(pdfinfo "$out_a" | awk '/^Pages:/ {print $2}') against"
                verdict+=" $(pdfinfo "$out_b" | awk '/^Pages:/ {print $2}'), or their text"
                differ=1
            fi
        elif cmp -s "$out_a" "$out_b"; then
            verdict="identical"
        else
            verdict="DIFFERS: $(cmp "$out_a" "$out_b" | head -n 1 | sed 's|.*differ: ||')"
            differ=1
        fi
        printf '%-34s %s\n' "$base $name" "$verdict"
    done
done

if ((keep_work)); then
    echo "Outputs are in $results/a and $results/b."
fi
if ((differ)); then
    echo "Some exports differ between ${1} and ${2}."
    exit 1
fi
echo "Every export agrees between ${1} and ${2}."
