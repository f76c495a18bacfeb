#!/usr/bin/env bash
# Times `brellic-cli check` over 10,000 varied site files in one process
# against `cat` reading the same files, best of several runs each.
#   bench/cli_check.sh [BUILD_DIR] [COUNT]
# BUILD_DIR defaults to build/; it must hold brellic-cli and cli_make_sites
# (cmake --build BUILD_DIR --target brellic-cli cli_make_sites).
set -euo pipefail

build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
count=${2:-10000}
runs=5
cli="$build/src/cli/brellic-cli"
make_sites="$build/bench/cli_make_sites"
for program in "$cli" "$make_sites"; do
    [ -x "$program" ] || { echo "missing $program; build it first" >&2; exit 2; }
done

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$make_sites" "$folder" "$count"
cd "$folder"
files=(site*.KVR)

# Best wall time of $runs runs of the command, in milliseconds. The first,
# untimed run brings the files into the page cache.
best_ms() {
    "$@" >/dev/null 2>&1 || true
    local best=""
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        local ms=$(((end - start) / 1000000))
        if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    done
    echo "$best"
}

# The exit status of check is 1 when any site fails a requirement, so the
# statuses are not looked at; a usage or read error would show in the count.
checked=$("$cli" check "${files[@]}" 2>/dev/null | wc -l || true)
[ "$checked" -eq "${#files[@]}" ] || { echo "check printed $checked of ${#files[@]} lines" >&2; exit 1; }

cat_ms=$(best_ms cat "${files[@]}")
check_ms=$(best_ms "$cli" check "${files[@]}")
ratio=$(awk -v a="$check_ms" -v b="$cat_ms" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')

echo "files:         ${#files[@]}"
echo "cat:           ${cat_ms} ms"
echo "brellic-cli:   ${check_ms} ms (check)"
echo "ratio:         ${ratio} (target: at most 3, and under 1000 ms)"
if [ "$check_ms" -ge 1000 ] || awk -v r="$ratio" 'BEGIN { exit !(r > 3) }'; then
    echo "TARGET MISSED"
    exit 1
fi
