#!/bin/sh
# make bench: builds the benchmarks in Release and prints one table of figures beside their floors.
# The windows need a display; without one, the run happens under Xvfb. ROUNDS sets the rounds (default 5).
set -e
cd "$(dirname "$0")/.."
CARTELLA=${BUILD:-build}
cmake -S . -B "$CARTELLA" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$CARTELLA" -j "${JOBS:-2}" --target benchmark >/dev/null
TABELLA="$CARTELLA/bench/bench_tabella"
if [ -n "$DISPLAY" ]; then
    exec "$TABELLA" ${ROUNDS:-5}
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$TABELLA" ${ROUNDS:-5}
