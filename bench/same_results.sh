#!/usr/bin/env bash
# Checks that this build gives the same bytes as another (an older commit's,
# say) for the same inputs: random points of every direction and notation
# through `trevalco-cli convert`, sheets of 1,048,576 rows of each page
# (decimal degrees, degrees-minutes-seconds, UTM) through `trevalco-cli
# batch`, and a polygon layer through `trevalco-cli layer` (read back with
# ogrinfo -al, the time stamps left out). Prints one line a comparison and
# exits 1 when any differs. Needs LibreOffice (soffice) and gdal-bin.
#
#   bench/same_results.sh OTHER_BUILD [BUILD_DIR] [POINTS] [ROWS]
#   (default: build/release 250000 1048576)
set -euo pipefail
other="$1"
build="${2:-build/release}"
points="${3:-250000}"
rows="${4:-1048576}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
differ=0
same() {  # label, file of this build, file of the other
  if cmp -s "$2" "$3"; then echo "same     $1 ($(md5sum < "$2" | cut -c1-32))"
  else echo "DIFFERS  $1"; differ=1; fi
}
# A workbook's entries: name, length, method, compressed size and CRC-32 of
# each, without the time stamps the zip gives every entry when it is written.
entries() { unzip -v "$1" | awk 'NF == 8 && $8 != "Name" && $8 != "----" { print $8, $1, $2, $3, $7 }'; }
same_book() {  # label, workbook of this build, workbook of the other
  if cmp -s "$2" "$3"; then same "$1" "$2" "$3"; return; fi
  entries "$2" > "$work/this.entries"; entries "$3" > "$work/other.entries"
  if cmp -s "$work/this.entries" "$work/other.entries"; then
    echo "same     $1: every entry's bytes (CRC-32 and sizes; only the entries' time stamps differ)"
  else echo "DIFFERS  $1"; differ=1; fi
}

# Points: every direction, from each notation, inside and around the range.
awk -v n="$points" 'BEGIN { srand(7); for (i = 0; i < n; i++) printf "%.10f %.10f\n", 15 + rand() * 43, 64 + rand() * 14 }' > "$work/dd.txt"
awk '{ d = int($1); m = int(($1 - d) * 60); s = (($1 - d) * 60 - m) * 60; e = int($2); n = int(($2 - e) * 60); t = (($2 - e) * 60 - n) * 60
       printf "%d %d %.6f %d %d %.6f\n", d, m, s, e, n, t }' "$work/dd.txt" > "$work/dms.txt"
awk 'BEGIN { srand(11) } { printf "%.3f %.3f %d\n", 3800000 + rand() * 6200000, 160000 + rand() * 680000, 17 + int(rand() * 4) }' "$work/dd.txt" > "$work/utm.txt"
for direction in SIRGAS_PSAD56 SIRGAS_SAD69 PSAD56_SIRGAS SAD69_SIRGAS; do
  for from in dd dms utm; do
    for who in this other; do
      cli="$build/cli/trevalco-cli"; [ "$who" = this ] || cli="$other/cli/trevalco-cli"
      "$cli" convert --direction "$direction" --from "$from" < "$work/$from.txt" > "$work/$who.out" 2> "$work/$who.err" || true
    done
    same "convert $direction $from: $points lines" "$work/this.out" "$work/other.out"
    same "convert $direction $from: messages" "$work/this.err" "$work/other.err"
  done
done

# Sheets of each page, saved by LibreOffice.
sheet() {  # page: writes $work/<page>.xlsx with a sheet "puntos"
  awk -v n="$rows" -v p="$1" 'BEGIN { for (r = 1; r <= n; r++) {
      lat = 18.0 + (r % 25000) * 0.001; lon = 67.0 + (r % 8000) * 0.001
      if (p == "dd") printf "P%d,%.7f,%.7f\n", r, lat, lon
      else if (p == "dms") printf "P%d,%d,%d,%.4f,%d,%d,%.4f\n", r, int(lat), int((lat - int(lat)) * 60), 1.5 + (r % 50), int(lon), int((lon - int(lon)) * 60), 2.25 + (r % 40)
      else printf "P%d,%.3f,%.3f\n", r, 6000000 + (r % 900000) * 3.1, 250000 + (r % 4000) * 100 } }' > "$work/puntos.csv"
  soffice -env:UserInstallation="file://$work/perfil" --headless --infilter="CSV:44,34,76,1" \
    --convert-to xlsx --outdir "$work" "$work/puntos.csv" > /dev/null 2>&1
  mv "$work/puntos.xlsx" "$work/$1/puntos.xlsx"
}
for page in dd dms utm; do
  mkdir -p "$work/$page"
  sheet "$page"
  zone=(); [ "$page" = utm ] && zone=(--zone 19)
  for who in this other; do
    cli="$build/cli/trevalco-cli"; [ "$who" = this ] || cli="$other/cli/trevalco-cli"
    "$cli" batch "$work/$page/puntos.xlsx" --sheet puntos --from "$page" --direction SIRGAS_SAD69 "${zone[@]}" \
      --overwrite > /dev/null 2> "$work/$who.err" || true
    mv "$work/$page/puntos_1.xlsx" "$work/$page/$who.xlsx"
  done
  same_book "batch $page: $rows rows" "$work/$page/this.xlsx" "$work/$page/other.xlsx"
  same "batch $page: summary" "$work/this.err" "$work/other.err"
done

# A polygon layer in PSAD56 / UTM 19S to SIRGAS-Chile 2021.
awk 'BEGIN { print "name,WKT"; for (f = 1; f <= 20000; f++) { e = 250000 + (f % 400) * 500; n = 5150000 + int(f / 400) * 11000 % 2850000
  printf "P%d,\"POLYGON ((%.3f %.3f,%.3f %.3f,%.3f %.3f,%.3f %.3f))\"\n", f, e, n, e + 300, n, e + 300, n + 40000, e, n } }' > "$work/poligonos.csv"
ogr2ogr -q -f GPKG -a_srs EPSG:24879 -oo GEOM_POSSIBLE_NAMES=WKT -oo KEEP_GEOM_COLUMNS=NO -nlt POLYGON \
  -nln poligonos "$work/in.gpkg" "$work/poligonos.csv"
for who in this other; do
  cli="$build/cli/trevalco-cli"; [ "$who" = this ] || cli="$other/cli/trevalco-cli"
  "$cli" layer "$work/in.gpkg" "$work/$who.gpkg" --to sirgas > /dev/null 2> "$work/$who.err" || true
  ogrinfo -al "$work/$who.gpkg" | grep -v -e "^INFO: Open of" -e "using driver" -e "_time\|timestamp\|TIMESTAMP" > "$work/$who.txt"
done
same "layer: ogrinfo -al of 20000 polygons" "$work/this.txt" "$work/other.txt"
same "layer: summary" "$work/this.err" "$work/other.err"
exit "$differ"
