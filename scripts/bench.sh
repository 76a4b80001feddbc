#!/bin/sh
# Runs a benchmark and records its table in docs/performance.md.
#   scripts/bench.sh engines      Google Benchmark: entry points vs plain C
#   scripts/bench.sh extended     the same engine benchmark built with the
#                                 x87's long double and with the software
#                                 extended type, run one after the other:
#                                 software / x87 per case
#   scripts/bench.sh sql [ROWS [ROUNDS]]
#                                 embedded server: both faces vs built-in SQL
#                                 vs a no-op function of each face (default
#                                 1,000,000 rows, 3 rounds: about 25 minutes;
#                                 500,000 rows: about 13)
set -eu
cd "$(dirname "$0")/.."
what=${1:-}
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target engine_bench sql_bench udfzel udfzel_noop \
  udfzel_udr udfzel_noop_udr

# The engine benchmark's table: | case | udfzel ns | baseline ns | ratio |
engine_table() {
  "$1" --benchmark_repetitions=9 --benchmark_min_time=0.05 \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
    2>/dev/null | sed -n '/^| case/,$p'
}

out=$(mktemp)
case "$what" in
  engines)
    engine_table build/bench/engine_bench > "$out"
    ;;
  extended)
    cmake -S . -B build-soft -DCMAKE_BUILD_TYPE=Release -DUDFZEL_SOFT_EXTENDED=ON >/dev/null
    cmake --build build-soft -j"$(nproc)" --target engine_bench
    engine_table build/bench/engine_bench > "$out.x87"
    engine_table build-soft/bench/engine_bench > "$out.soft"
    {
      echo "| case | x87 ns | software ns | software / x87 |"
      echo "|---|---|---|---|"
      awk -F' *[|] *' 'NR == FNR { if (FNR > 2) x87[$2] = $3; next }
        FNR > 2 && ($2 in x87) { printf "| %s | %s | %s | %.2f |\n", $2, x87[$2], $3, $3 / x87[$2] }' \
        "$out.x87" "$out.soft"
    } > "$out"
    rm -f "$out.x87" "$out.soft"
    ;;
  sql)
    build/bench/sql_bench --rows "${2:-1000000}" --rounds "${3:-3}" > "$out"
    ;;
  *)
    echo "usage: scripts/bench.sh engines|sql [ROWS]" >&2
    exit 2
    ;;
esac
cat "$out"

# Replace this benchmark's section of docs/performance.md.
doc=docs/performance.md
machine="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores"
{
  echo "<!-- $what:begin -->"
  echo "Measured $(date -u +%Y-%m-%d) on $machine."
  echo
  cat "$out"
  echo "<!-- $what:end -->"
} > "$out.section"
awk -v begin="<!-- $what:begin -->" -v end="<!-- $what:end -->" -v section="$out.section" '
  $0 == begin { while ((getline line < section) > 0) print line; skip = 1; next }
  $0 == end { skip = 0; next }
  !skip { print }
' "$doc" > "$out.doc"
mv "$out.doc" "$doc"
rm -f "$out" "$out.section"
echo "Updated $doc"
