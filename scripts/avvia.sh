#!/usr/bin/env bash
# Starts the program, or says in one line why it cannot show a window here.
set -euo pipefail
programma="$1"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "Nessun display grafico disponibile: per avviarlo comunque, usare 'xvfb-run $programma' (pacchetto xvfb)." >&2
  exit 1
fi
exec "$programma"
