#!/usr/bin/env bash
# Time from process start to the main window shown (offscreen), and the peak
# resident memory of that start, over a few runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
brellic_need_packages "${BRELLIC_BUILD_PACKAGES[@]}" time
cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
cmake --build "$root/build" --target brellic_startup >/dev/null
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$config
for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    shown=$(/usr/bin/time -f '%M' -o "$config/rss" "$root/build/bench/brellic_startup")
    echo "run $run: $(( (shown - start) / 1000000 )) ms to the window, peak $(( $(cat "$config/rss") / 1024 )) MB"
done
