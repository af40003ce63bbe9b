#!/usr/bin/env bash
# Decimal-degree sheets of 100,000 and 1,048,576 rows, saved by LibreOffice
# (a point name, a latitude and a longitude a row), converted end to end
# through trevalco-cli batch and through the window's code path offscreen:
# seconds, rows per second and peak memory of each. Then the same points
# (TEXT_ROWS of them, 1,000,000 by default) as a ";" text file with decimal
# commas and a point name a line, beside the .xlsx of those points, both
# through trevalco-cli batch. Needs LibreOffice (soffice) to make the sheets.
#
# With COMPARE_BUILD set to another build folder (an older commit's, say),
# every sheet also goes through that build's trevalco-cli, in turn with this
# one, ROUNDS times (3 by default), and the medians of both are printed.
#
# Beside each sheet's conversion stands its floor: inflating the sheet's XML
# and deflating it again (`unzip -p` into `igzip -1`, from the isal package),
# which any conversion of the sheet must at least do; the ratio is printed.
#
#   [COMPARE_BUILD=DIR [ROUNDS=N]] bench/batch_bench.sh [BUILD_DIR] [ROWS ...]
#   (default: build/release 100000 1048576)
set -euo pipefail
build="${1:-build/release}"
shift || true
sizes=("${@:-100000 1048576}")
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A sheet as LibreOffice saves it: a point name (a shared text), a latitude
# and a longitude a row, with LibreOffice's attributes on every row.
lo_sheet() {
  awk -v n="$1" 'BEGIN { for (r = 1; r <= n; r++) printf "P%d,%.7f,%.7f\n", r, 18.0 + (r % 25000) * 0.001, 67.0 + (r % 8000) * 0.001 }' \
    > "$work/puntos.csv"
  soffice -env:UserInstallation="file://$work/perfil" --headless --infilter="CSV:44,34,76,1" \
    --convert-to xlsx --outdir "$work" "$work/puntos.csv" > /dev/null 2>&1
}
# Seconds and peak kB of `trevalco-cli batch` of one build on one file.
batch_run() {  # build, file
  /usr/bin/time -f "%e %M" -o "$work/time" \
    "$1/cli/trevalco-cli" batch "$2" --sheet puntos --from dd --direction SIRGAS_SAD69 --overwrite \
    > /dev/null 2> "$work/err"
  rm -f "$work/puntos_1.xlsx" "$work/puntos_1.csv"
  cat "$work/time"
}
# Seconds of the floor of one workbook: its sheet inflated and deflated.
floor_run() {  # file
  /usr/bin/time -f "%e" -o "$work/time" sh -c 'unzip -p "$1" xl/worksheets/sheet1.xml | igzip -1 -c > /dev/null' - "$1"
  cat "$work/time"
}
median() { cut -d' ' -f1 | sort -n | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# This build against COMPARE_BUILD on one file: the medians of the rounds.
compare() {  # label, rows, file
  local rounds="${ROUNDS:-3}" round
  : > "$work/ours"; : > "$work/theirs"
  for ((round = 1; round <= rounds; round++)); do
    batch_run "$build" "$3" >> "$work/ours"
    batch_run "$COMPARE_BUILD" "$3" >> "$work/theirs"
  done
  awk -v l="$1" -v r="$2" -v n="$rounds" -v x="$(median < "$work/ours")" -v y="$(median < "$work/theirs")" \
    'BEGIN { printf "%-8s %8d rows  this build %6.2f s, COMPARE_BUILD %6.2f s: %+.1f %% (medians of %d)\n", l, r, x, y, (x / y - 1) * 100, n }'
}
for rows in ${sizes[@]}; do
  book="$work/puntos.xlsx"
  lo_sheet "$rows"
  read -r seconds kb < <(batch_run "$build" "$book")
  awk -v r="$rows" -v s="$seconds" -v kb="$kb" \
    'BEGIN { printf "cli     %8d rows  %6.2f s  %9.0f rows/s  peak %5d MB\n", r, s, r / s, kb / 1024 }'
  awk -v r="$rows" -v s="$seconds" -v f="$(floor_run "$book")" \
    'BEGIN { printf "floor   %8d rows  %6.2f s  (inflate and deflate the sheet): cli is %.2f times the floor\n", r, f, s / f }'
  [ -z "${COMPARE_BUILD:-}" ] || compare cli "$rows" "$book"
  "$build/bench/batch_benchmark" "$book" puntos
  rm -f "$work/puntos_1.xlsx"
done

# The same points as a text file and as a workbook.
text_rows="${TEXT_ROWS:-1000000}"
lo_sheet "$text_rows"
awk -v n="$text_rows" 'BEGIN { for (r = 1; r <= n; r++) {
  lat = sprintf("%.7f", 18.0 + (r % 25000) * 0.001); lon = sprintf("%.7f", 67.0 + (r % 8000) * 0.001)
  sub(/\./, ",", lat); sub(/\./, ",", lon); printf "P%d;%s;%s\n", r, lat, lon } }' > "$work/puntos.csv"
for file in puntos.csv puntos.xlsx; do
  read -r seconds kb < <(batch_run "$build" "$work/$file")
  awk -v f="${file##*.}" -v r="$text_rows" -v s="$seconds" -v kb="$kb" \
    'BEGIN { printf "cli %-4s %8d rows  %6.2f s  %9.0f rows/s  peak %5d MB\n", f, r, s, r / s, kb / 1024 }'
  [ -z "${COMPARE_BUILD:-}" ] || compare "cli ${file##*.}" "$text_rows" "$work/$file"
done
