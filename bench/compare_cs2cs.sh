#!/usr/bin/env bash
# Converts the same random points of continental Chile (17..56 S, 66..76 W)
# with `trevalco-cli convert` (SIRGAS to SAD69 from decimal degrees) and with
# PROJ's cs2cs (GRS80 to the SAD69 ellipsoid, aust_SA, with the matching
# geocentric translation, then UTM 19 south), and prints both throughputs and
# their ratio: once with bare points, once with a point name after each point
# that both tools pass through to their output.
#
#   bench/compare_cs2cs.sh [POINTS] [TREVALCO_CLI]
set -euo pipefail
points=${1:-1000000}
cli=${2:-build/release/cli/trevalco-cli}
command -v cs2cs >/dev/null || { echo "cs2cs not found: apt-get install proj-bin" >&2; exit 2; }
[ -x "$cli" ] || { echo "$cli not found: build first (cmake --workflow --preset release)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v n="$points" 'BEGIN { srand(20261206);
  for (i = 0; i < n; i++) printf "%.10f %.10f\n", 17 + rand() * 39, 66 + rand() * 10 }' \
  > "$work/trevalco.txt"
# cs2cs takes signed longitude first.
awk '{ printf "-%s -%s\n", $2, $1 }' "$work/trevalco.txt" > "$work/cs2cs.txt"
awk '{ printf "%s P%d\n", $0, NR }' "$work/trevalco.txt" > "$work/trevalco-named.txt"
awk '{ printf "%s P%d\n", $0, NR }' "$work/cs2cs.txt" > "$work/cs2cs-named.txt"

now() { date +%s.%N; }
seconds_of() { # command...: the wall-clock seconds it takes
  local start; start=$(now)
  "$@"
  awk -v a="$start" -v b="$(now)" "BEGIN { print b - a }"
}
run_trevalco() { "$cli" convert --direction SIRGAS_SAD69 --from dd < "$1" > "$2" 2>/dev/null || true; }
run_cs2cs() {
  cs2cs -f %.3f +proj=longlat +ellps=GRS80 +towgs84=0,0,0 \
    +to +proj=utm +zone=19 +south +ellps=aust_SA +towgs84=-64,0,-32 < "$1" > "$2"
}

for kind in "" -named; do
  trevalco_seconds=$(seconds_of run_trevalco "$work/trevalco$kind.txt" "$work/trevalco.out")
  cs2cs_seconds=$(seconds_of run_cs2cs "$work/cs2cs$kind.txt" "$work/cs2cs.out")
  lines=$(wc -l < "$work/trevalco.out")
  [ "$lines" -eq "$points" ] || { echo "trevalco-cli wrote $lines lines for $points points" >&2; exit 1; }
  if [ -n "$kind" ]; then
    [ "$(tail -n 1 "$work/trevalco.out" | cut -f 11)" = "P$points" ] || { echo "trevalco-cli lost the names" >&2; exit 1; }
  fi
  awk -v n="$points" -v t="$trevalco_seconds" -v c="$cs2cs_seconds" \
      -v title="${kind:+points with a name passed through}" 'BEGIN {
    printf "%s\n", title == "" ? "bare points" : title
    printf "  points:        %d\n", n
    printf "  trevalco-cli:  %.3f s  %10.0f points/s\n", t, n / t
    printf "  cs2cs:         %.3f s  %10.0f points/s\n", c, n / c
    printf "  ratio:         %.2f (trevalco-cli / cs2cs throughput)\n", c / t }'
done
