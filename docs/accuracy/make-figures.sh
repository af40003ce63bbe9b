#!/usr/bin/env bash
# Measures Trevalco's arithmetic against PROJ and draws the pictures of
# docs/accuracy.md:
#   utm-vs-tmerc.png   the UTM series against PROJ's exact transverse Mercator
#                      (tmerc, Poder/Engsager), 0 to 10 degrees from the
#                      central meridian, on the three ellipsoids;
#   utm-inverse-vs-tmerc.png  the inverse series on PROJ's exact coordinates;
#   datum-vs-proj.png  the datum change against PROJ's geocentric-translation
#                      pipeline with the same band parameters;
#   summary.txt        the largest differences, the jumps at band limits, and
#                      the same translations as the EPSG dataset states them.
# Needs trevalco-cli (TREVALCO_CLI, else build/release/cli/trevalco-cli, else
# the one installed), and from Debian: proj-bin gnuplot-nox.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
cli=${TREVALCO_CLI:-$root/build/release/cli/trevalco-cli}
[ -x "$cli" ] || cli=$(command -v trevalco-cli) || { echo "no trevalco-cli: build it or set TREVALCO_CLI" >&2; exit 1; }
for tool in proj cct projinfo gnuplot; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install proj-bin gnuplot-nox" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C

# name, direction whose source is that datum, semi-major and semi-minor axes
datums=(
  "SIRGAS SIRGAS_SAD69 6378137 6356752.3141"
  "PSAD56 PSAD56_SIRGAS 6378388 6356911.946"
  "SAD69 SAD69_SIRGAS 6378160 6356774.719"
)
latitudes=(18 33 43 55)

# --- (a) UTM series against the exact transverse Mercator ------------------
# The distance d from the central meridian (east of it; the series is the
# same on both sides) is reached by forcing zone 18 (central meridian 75 W)
# up to 9 degrees and zone 17 (81 W) beyond, inside the accepted longitudes.
: > "$work/utm.dat"
: > "$work/inverse.dat"
for datum in "${datums[@]}"; do
  read -r name direction a b <<< "$datum"
  for lat in "${latitudes[@]}"; do
    for zone in 18 17; do
      cm=$(( zone == 18 ? 75 : 81 ))
      awk -v z=$zone -v cm=$cm 'BEGIN { for (i = 0; i <= 100; i++) { d = i / 10;
          if ((z == 18 && d <= 9) || (z == 17 && d > 9)) printf "%.1f %.10f\n", d, cm - d } }' > "$work/d"
      [ -s "$work/d" ] || continue
      awk -v lat=$lat '{ print lat, $2 }' "$work/d" |
        "$cli" convert --direction "$direction" --force-zone $zone 2>/dev/null | cut -f3,4 > "$work/ours" || true
      awk -v lat=$lat '{ printf "%.10f %.10f\n", -$2, -lat }' "$work/d" |
        proj -f %.6f +proj=tmerc +lat_0=0 +lon_0=-$cm +k=0.9996 +x_0=500000 +y_0=10000000 +a=$a +b=$b > "$work/exact"
      paste "$work/d" "$work/ours" "$work/exact" |
        awk -v n=$name -v lat=$lat '{ printf "%s %s %s %.4f %.4f\n", n, lat, $1, $3 - $6, $4 - $5 }' >> "$work/utm.dat"
      # The inverse series on PROJ's exact coordinates, back to the point.
      awk -v z=$zone '{ printf "%s %s %d\n", $2, $1, z }' "$work/exact" |
        "$cli" convert --direction "$direction" --from utm 2>/dev/null | cut -f1,2 > "$work/back" || true
      paste "$work/d" "$work/back" |
        awk -v n=$name -v lat=$lat '{ k = 111195; c = cos(lat * 3.141592653589793 / 180);
            printf "%s %s %s %.7f %.7f\n", n, lat, $1, ($3 - lat) * k, ($4 - $2) * k * c }' >> "$work/inverse.dat"
    done
  done
done

# --- (b) datum change against PROJ's geocentric translation ----------------
# The band parameters of each direction, as the program uses them, handed to
# PROJ: cart on the source ellipsoid, helmert translation, inverse cart on the
# target ellipsoid.
bands=(
  # direction        from to  dX   dY   dZ   source axes              target axes
  "SIRGAS_PSAD56     17 26  302 -272  360  6378137 6356752.3141   6378388 6356911.946"
  "SIRGAS_PSAD56     26 36  328 -340  329  6378137 6356752.3141   6378388 6356911.946"
  "SIRGAS_PSAD56     36 44  352 -403  287  6378137 6356752.3141   6378388 6356911.946"
  "PSAD56_SIRGAS     17 26 -302  272 -360  6378388 6356911.946    6378137 6356752.3141"
  "PSAD56_SIRGAS     26 36 -328  340 -329  6378388 6356911.946    6378137 6356752.3141"
  "PSAD56_SIRGAS     36 44 -352  403 -287  6378388 6356911.946    6378137 6356752.3141"
  "SIRGAS_SAD69      17 26   59   11   52  6378137 6356752.3141   6378160 6356774.719"
  "SIRGAS_SAD69      26 36   64    0   32  6378137 6356752.3141   6378160 6356774.719"
  "SIRGAS_SAD69      36 44   72  -10   32  6378137 6356752.3141   6378160 6356774.719"
  "SIRGAS_SAD69      44 57   79  -13   14  6378137 6356752.3141   6378160 6356774.719"
  "SAD69_SIRGAS      17 26  -59  -11  -52  6378160 6356774.719    6378137 6356752.3141"
  "SAD69_SIRGAS      26 36  -64    0  -32  6378160 6356774.719    6378137 6356752.3141"
  "SAD69_SIRGAS      36 44  -72   10  -32  6378160 6356774.719    6378137 6356752.3141"
  "SAD69_SIRGAS      44 57  -79   13  -14  6378160 6356774.719    6378137 6356752.3141"
)
: > "$work/datum.dat"
for band in "${bands[@]}"; do
  read -r direction from to dx dy dz sa sb ta tb <<< "$band"
  awk -v f=$from -v t=$to 'BEGIN { for (lat = f + 0.25; lat < t && lat <= 56; lat += 0.5)
      for (lon = 66.5; lon <= 75.5; lon += 1) printf "%.2f %.2f\n", lat, lon }' > "$work/points"
  "$cli" convert --direction "$direction" < "$work/points" | cut -f6,7 > "$work/ours"
  awk '{ printf "%s %s 0 0\n", -$2, -$1 }' "$work/points" |
    cct -d 12 +proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad \
        +step +proj=cart +a=$sa +b=$sb +step +proj=helmert +x=$dx +y=$dy +z=$dz \
        +step +inv +proj=cart +a=$ta +b=$tb +step +proj=unitconvert +xy_in=rad +xy_out=deg > "$work/exact"
  # Differences in metres: a degree of latitude is taken as 111.2 km, of
  # longitude as 111.2 km times the cosine of the latitude (plenty for
  # differences of millimetres).
  paste "$work/points" "$work/ours" "$work/exact" |
    awk -v d=$direction '{ k = 111195; c = cos($1 * 3.141592653589793 / 180);
        dn = ($3 + $6) * k; de = ($4 + $5) * k * c;
        printf "%s %s %s %.7f %.7f %.7f\n", d, $1, $2, dn, de, sqrt(dn * dn + de * de) }' >> "$work/datum.dat"
done

# --- (c) jumps at the band limits -------------------------------------------
# Two points 1 mm of latitude apart (1e-8 degrees), one on each side of a
# limit: how far apart their results land (less the 1 mm between them).
: > "$work/jumps.dat"
for direction in SIRGAS_PSAD56 PSAD56_SIRGAS SIRGAS_SAD69 SAD69_SIRGAS; do
  for limit in 26 36 44; do
    case $direction:$limit in *PSAD56*:44) continue ;; esac
    awk -v l=$limit 'BEGIN { printf "%.9f 70\n%.9f 70\n", l - 0.000000005, l + 0.000000005 }' |
      "$cli" convert --direction "$direction" | cut -f6,7 | paste - - |
      awk -v d=$direction -v l=$limit '{ k = 111195; c = cos(l * 3.141592653589793 / 180);
          dn = ($3 - $1) * k - 0.00000001 * k; de = ($4 - $2) * k * c;
          printf "%s %s %.2f\n", d, l, sqrt(dn * dn + de * de) }' >> "$work/jumps.dat"
  done
done

# --- summary and pictures ---------------------------------------------------
{
  echo "UTM series minus exact tmerc, largest |difference| in metres up to each distance from the central meridian"
  echo "datum distance northing easting"
  for datum in SIRGAS PSAD56 SAD69; do
    for limit in 1 2 3 4 5 6 7 8 9 10; do
      awk -v n=$datum -v l=$limit '$1 == n && $3 <= l + 1e-9 {
          an = $4 < 0 ? -$4 : $4; ae = $5 < 0 ? -$5 : $5;
          if (an > mn) mn = an; if (ae > me) me = ae }
          END { printf "%s %d %.3f %.3f\n", n, l, mn, me }' "$work/utm.dat"
    done
  done
  echo
  echo "inverse series on PROJ's exact coordinates minus the point, largest |difference| in millimetres"
  echo "datum distance north-south east-west"
  for datum in SIRGAS PSAD56 SAD69; do
    for limit in 1 2 3 4 5 6 7 8 9 10; do
      awk -v n=$datum -v l=$limit '$1 == n && $3 <= l + 1e-9 {
          an = $4 < 0 ? -$4 : $4; ae = $5 < 0 ? -$5 : $5;
          if (an > mn) mn = an; if (ae > me) me = ae }
          END { printf "%s %d %.3f %.3f\n", n, l, mn * 1000, me * 1000 }' "$work/inverse.dat"
    done
  done
  echo
  echo "datum change minus PROJ pipeline, largest horizontal difference in millimetres"
  for direction in SIRGAS_PSAD56 PSAD56_SIRGAS SIRGAS_SAD69 SAD69_SIRGAS; do
    awk -v d=$direction '$1 == d { n++; if ($6 > m) m = $6 } END { printf "%s %d points %.4f mm\n", d, n, m * 1000 }' "$work/datum.dat"
  done
  echo
  echo "jump in metres between the results of two points 1 mm apart across a band limit, at 70 W"
  cat "$work/jumps.dat"
  echo
  echo "the same translations in the EPSG dataset of PROJ (towards WGS 84 / SIRGAS-Chile)"
  for code in 6971 6972 6973 6974 6975 6976 6977; do
    wkt=$(projinfo -k operation EPSG:$code -o WKT2_2019 2>/dev/null)
    printf 'EPSG:%s %s | %s | accuracy %s m | %s | %s\n' "$code" \
      "$(sed -n 's/^COORDINATEOPERATION\["\([^"]*\)".*/\1/p' <<< "$wkt")" \
      "$(projinfo -k operation EPSG:$code -o PROJ 2>/dev/null | grep -o '+proj=helmert.*' | head -1)" \
      "$(sed -n 's/.*OPERATIONACCURACY\[\([0-9.]*\)\].*/\1/p' <<< "$wkt")" \
      "$(sed -n 's/.*AREA\["\([^"]*\)"\].*/\1/p' <<< "$wkt")" \
      "$(sed -n 's/.*REMARK\["\(.*\)"\]\]$/\1/p' <<< "$wkt")"
  done
} > "$here/summary.txt"

gnuplot <<GNUPLOT
set terminal pngcairo size 1200,700 font "DejaVu Sans,10"
set output "$here/utm-vs-tmerc.png"
set multiplot layout 2,3 title "Serie UTM de Trevalco menos Mercator transversal exacta de PROJ (tmerc)"
set logscale y
set yrange [1e-4:1]
set arrow 1 from 0,5e-4 to 10,5e-4 nohead dashtype 2 lc rgb "gray40"
set label 1 "medio milímetro (redondeo de la salida)" at 0.2,7e-4 tc rgb "gray40"
set format y "10^{%L}"
set grid
set key top left
set xrange [0:10]
set xlabel "distancia al meridiano central (grados)"
do for [row = 1:2] {
  col = row + 3
  do for [datum in "SIRGAS PSAD56 SAD69"] {
    set title sprintf("%s, %s", datum, row == 1 ? "norte" : "este")
    set ylabel "|diferencia| (m)"
    plot for [lat in "18 33 43 55"] "$work/utm.dat" using (strcol(1) eq datum && strcol(2) eq lat ? \$3 : 1/0):(abs(column(col))) with lines lw 2 title lat."° S"
  }
}
unset multiplot

set output "$here/utm-inverse-vs-tmerc.png"
set terminal pngcairo size 1000,400 font "DejaVu Sans,10"
set multiplot layout 1,2 title "Serie UTM inversa de Trevalco sobre las coordenadas exactas de PROJ, menos el punto (SIRGAS)"
set yrange [1e-5:10]
unset arrow 1
unset label 1
do for [col = 4:5] {
  set title col == 4 ? "latitud (norte-sur)" : "longitud (este-oeste)"
  set ylabel "|diferencia| (m)"
  plot for [lat in "18 33 43 55"] "$work/inverse.dat" using (strcol(1) eq "SIRGAS" && strcol(2) eq lat ? \$3 : 1/0):(abs(column(col))) with lines lw 2 title lat."° S"
}
unset multiplot

set output "$here/datum-vs-proj.png"
set terminal pngcairo size 1000,500 font "DejaVu Sans,10"
unset logscale y
set autoscale y
set format y "%.3f"
set xrange [17:56]
set title "Cambio de datum de Trevalco menos la traslación geocéntrica de PROJ con los mismos parámetros"
set xlabel "latitud (grados sur)"
set ylabel "diferencia horizontal (mm)"
set key top right
plot for [d in "SIRGAS_PSAD56 PSAD56_SIRGAS SIRGAS_SAD69 SAD69_SIRGAS"] "$work/datum.dat" \
     using (strcol(1) eq d ? \$2 : 1/0):(\$6 * 1000) with points pt 7 ps 0.4 title d noenhanced
GNUPLOT
echo "wrote the pictures and summary.txt in $here"
