#!/usr/bin/env bash
# Builds the fuzz target of the workbook reader and sheet writer with clang
# and runs it for SECONDS (default 600) on the seeds in fuzz/seeds. New
# inputs go to build/fuzz/corpus, findings (crashes, leaks, time-outs) to
# build/fuzz/findings.
#   fuzz/run.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
if ! command -v clang++ > /dev/null; then
  echo "fuzz/run.sh: necesita clang y libclang-rt-14-dev (apt-get install clang libclang-rt-14-dev)" >&2
  exit 2
fi
cmake --preset fuzz > /dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus build/fuzz/findings
exec build/fuzz/fuzz/workbook_fuzzer \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -dict=fuzz/workbook.dict -artifact_prefix=build/fuzz/findings/ -print_final_stats=1 \
  build/fuzz/corpus fuzz/seeds
