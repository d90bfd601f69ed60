#!/usr/bin/env bash
# Checks that includes run one way through the layers: a folder includes only itself and the
# folders below it, and no two files of different folders include each other. Prints every
# include that breaks a rule and exits non-zero when there is one.
#   scripts/check-layers.sh [SOURCE_ROOT]
set -euo pipefail
cd "${1:-$(dirname "${BASH_SOURCE[0]}")/..}"

# Bottom to top; the rows (items) and the tree that holds them (database) are one layer.
rank() {
    case "$1" in
    core) echo 0 ;;
    items | database) echo 1 ;;
    calc) echo 2 ;;
    document) echo 3 ;;
    statement) echo 4 ;;
    platform) echo 5 ;;
    display) echo 6 ;;
    views) echo 7 ;;
    app) echo 8 ;;
    *) echo -1 ;;
    esac
}

edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
# "file included" for every quoted include of a layered folder.
grep -rHE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' \
    core items database calc document statement platform display views app 2>/dev/null |
    sed -E 's/^([^:]+):.*"([^"]+)".*$/\1 \2/' | sort -u >"$edges"

broken=0
while read -r file target; do
    from=${file%%/*}
    to=${target%%/*}
    [[ "$target" == */* ]] || continue
    to_rank=$(rank "$to")
    ((to_rank >= 0)) || continue
    if ((to_rank > $(rank "$from"))); then
        echo "$file includes $target: $to/ is above $from/"
        broken=1
    fi
    if [[ "$from" != "$to" ]] && grep -qxF "$target $file" "$edges"; then
        echo "$file and $target include each other"
        broken=1
    fi
done <"$edges"

count=$(wc -l <"$edges")
if ((broken)); then
    exit 1
fi
echo "includes run one way ($count includes checked)"
