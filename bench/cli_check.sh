#!/usr/bin/env bash
# Times `brellic-cli check` over 10,000 varied site files in one process,
# side by side with two references over the same files: `cat`, and the floor,
# a C program built here with -O2 that opens, reads (8,328 bytes) and closes
# each file in one process. Runs alternate between the three, and the best
# wall time of each counts.
#   bench/cli_check.sh [BUILD_DIR] [COUNT]
# BUILD_DIR defaults to build/; it must hold brellic-cli and cli_make_sites
# (cmake --build BUILD_DIR --target brellic-cli cli_make_sites). CC names the
# C compiler for the floor (default cc).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
count=${2:-10000}
runs=7
cli="$build/src/cli/brellic-cli"
make_sites="$build/bench/cli_make_sites"
for program in "$cli" "$make_sites"; do
    [ -x "$program" ] || { echo "missing $program; build it first" >&2; exit 2; }
done

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
floor="$folder/read_floor"
"${CC:-cc}" -O2 -o "$floor" "$here/read_floor.c"
mkdir "$folder/sites"
"$make_sites" "$folder/sites" "$count"
cd "$folder/sites"
files=(site*.KVR)

# The exit status of check is 1 when any site fails a requirement, so the
# statuses are not looked at; a usage or read error would show in the count.
checked=$("$cli" check "${files[@]}" 2>/dev/null | wc -l || true)
[ "$checked" -eq "${#files[@]}" ] || { echo "check printed $checked of ${#files[@]} lines" >&2; exit 1; }
json_sites=$("$cli" check --json "${files[@]}" 2>/dev/null | grep -c '^    {"file"' || true)
[ "$json_sites" -eq "${#files[@]}" ] || { echo "check --json gave $json_sites of ${#files[@]} sites" >&2; exit 1; }

# Wall time of one run of the command, in microseconds.
run_us() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

names=(cat floor check json)
commands=("cat" "$floor" "$cli check" "$cli check --json")
declare -A best
# The first, untimed round brings the files into the page cache.
for round in $(seq 0 "$runs"); do
    for i in "${!names[@]}"; do
        # shellcheck disable=SC2086 # the command's words are split on purpose
        us=$(run_us ${commands[$i]} "${files[@]}")
        [ "$round" -eq 0 ] && continue
        if [ -z "${best[${names[$i]}]:-}" ] || [ "$us" -lt "${best[${names[$i]}]}" ]; then
            best[${names[$i]}]=$us
        fi
    done
done

ms() { awk -v u="$1" 'BEGIN { printf "%.1f", u / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
floor_ratio=$(ratio "${best[check]}" "${best[floor]}")
json_ratio=$(ratio "${best[json]}" "${best[floor]}")
cat_ratio=$(ratio "${best[check]}" "${best[cat]}")

echo "files:             ${#files[@]}, best of $runs alternating runs"
echo "floor (-O2 loop):  $(ms "${best[floor]}") ms"
echo "cat:               $(ms "${best[cat]}") ms"
echo "check:             $(ms "${best[check]}") ms"
echo "check --json:      $(ms "${best[json]}") ms"
echo "check / floor:     ${floor_ratio} (target: at most 2)"
echo "check --json / floor: ${json_ratio}"
echo "check / cat:       ${cat_ratio}"
if awk -v r="$floor_ratio" 'BEGIN { exit !(r > 2) }'; then
    echo "TARGET MISSED"
    exit 1
fi
