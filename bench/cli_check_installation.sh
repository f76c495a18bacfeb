#!/usr/bin/env bash
# Times `brellic-cli check` of one installation of 32 supplies with 100
# device lines each, the whole process from start-up to exit, beside the
# same check of one site file and the bare start-up of --version. The best
# wall time of the runs counts.
#   bench/cli_check_installation.sh [BUILD_DIR] [RUNS]
# BUILD_DIR defaults to build/; it must hold brellic-cli and cli_make_sites.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-30}
cli="$build/src/cli/brellic-cli"
make_sites="$build/bench/cli_make_sites"
for program in "$cli" "$make_sites"; do
    [ -x "$program" ] || { echo "missing $program; build it first" >&2; exit 2; }
done

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
installation="$folder/bench.brellic"
"$make_sites" --installation "$installation" 32
mkdir "$folder/sites"
"$make_sites" "$folder/sites" 1
site="$folder/sites/site00001.KVR"

lines=$("$cli" check "$installation" 2>/dev/null | wc -l || true)
[ "$lines" -eq 33 ] || { echo "check printed $lines of 33 lines" >&2; exit 1; }

run_us() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

best_installation=
best_json=
best_site=
best_start=
for round in $(seq 0 "$runs"); do
    a=$(run_us "$cli" check "$installation")
    b=$(run_us "$cli" check --json "$installation")
    c=$(run_us "$cli" check "$site")
    d=$(run_us "$cli" --version)
    [ "$round" -eq 0 ] && continue
    if [ -z "$best_installation" ] || [ "$a" -lt "$best_installation" ]; then best_installation=$a; fi
    if [ -z "$best_json" ] || [ "$b" -lt "$best_json" ]; then best_json=$b; fi
    if [ -z "$best_site" ] || [ "$c" -lt "$best_site" ]; then best_site=$c; fi
    if [ -z "$best_start" ] || [ "$d" -lt "$best_start" ]; then best_start=$d; fi
done

ms() { awk -v u="$1" 'BEGIN { printf "%.1f", u / 1000 }'; }
echo "installation:        32 supplies x 100 device lines, $(stat -c %s "$installation") bytes"
echo "check installation:  $(ms "$best_installation") ms (target: under 20, whole process)"
echo "check --json:        $(ms "$best_json") ms"
echo "check one site:      $(ms "$best_site") ms"
echo "start-up, --version: $(ms "$best_start") ms"
if [ "$best_installation" -ge 20000 ]; then
    echo "TARGET MISSED"
    exit 1
fi
