#!/usr/bin/env bash
# make fuzz [SECONDI=n]: builds the libFuzzer targets with clang (address and undefined-behaviour checks on) and
# runs each for n seconds (60 by default), starting from the seeds and the cases found before. An input that
# makes a target fail is saved in fuzz/trovati/: once fixed, move it to fuzz/regressioni/, where the tests run it.
set -euo pipefail
cd "$(dirname "$0")/.."
secondi=${1:-60}
bersagli=(LetturaTradizionale LetturaDualistico LetturaMonistico LetturaV11 Json AndataERitorno)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DFUZZ=ON >/dev/null
cmake --build build-fuzz -j "${JOBS:-2}" --target "${bersagli[@]/#/fuzz_}"

mkdir -p fuzz/trovati
for b in "${bersagli[@]}"; do
  corpus="build-fuzz/corpus/$b"
  mkdir -p "$corpus"
  echo "== fuzz_$b: $secondi s"
  ASAN_OPTIONS=detect_leaks=1 "build-fuzz/fuzz/fuzz_$b" -max_total_time="$secondi" -max_len=65536 \
    -rss_limit_mb=3072 -print_final_stats=1 -artifact_prefix="fuzz/trovati/$b-" \
    "$corpus" fuzz/semi fuzz/regressioni tests/dati 2>&1 | grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|==|SUMMARY|#[0-9]+ +DONE)" || true
done
echo "Inputs that failed, if any: $(ls fuzz/trovati 2>/dev/null | wc -l) in fuzz/trovati/"
