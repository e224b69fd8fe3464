#!/usr/bin/env bash
# Screenshots of page 0 and of a question page of each model at 100%, 150% and 200% scaling, taken from the
# real program on a virtual screen, into docs/schermate/ as small palette PNG files (16 levels per channel,
# without dithering: a few dozen colours, text sharp, the greys and the highlight kept).
# Needs: a built program (build/src/scheda-ombrisa), xvfb-run, xdotool, openbox, ImageMagick.
# Usage: scripts/schermate.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
programma="$(realpath "${1:-build}")/src/scheda-ombrisa"
mkdir -p docs/schermate
uscita="$(realpath docs/schermate)"

if [[ "${DENTRO_XVFB:-}" != 1 ]]; then
  exec env DENTRO_XVFB=1 xvfb-run -a -s "-screen 0 2600x1800x24" "$0" "$@"
fi

# A data folder of its own: no recovery copy of the user's is offered in the middle of the pictures.
dati=$(mktemp -d)
trap 'rm -rf "$dati"; kill $(jobs -p) 2>/dev/null || true' EXIT
export XDG_DATA_HOME="$dati"
openbox >/dev/null 2>&1 &
sleep 1

# The first window whose title matches, once it is there (a window going away meanwhile is no error).
attendi() {
  local trovata=""
  for ((prova = 0; prova < 100; prova++)); do
    trovata=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [[ -n "$trovata" ]] && { echo "$trovata"; return; }
    sleep 0.2
  done
  echo "Nessuna finestra \"$1\"" >&2
  exit 1
}

riduci() { convert "$1" -dither None -posterize 16 "PNG8:$2"; }

# model name, Tab presses on the start window, Ctrl+Tab presses to the question page shown (a switched-off
# page is skipped)
modelli=("tradizionale 0 3" "monistico 1 4" "dualistico 2 1")
for scala in 1 1.5 2; do
  percento=$(awk -v s="$scala" 'BEGIN { printf "%d", s * 100 }')
  for voce in "${modelli[@]}"; do
    read -r modello tab pagine <<<"$voce"
    QT_SCALE_FACTOR=$scala "$programma" >/dev/null 2>&1 &
    pid=$!
    inizio=$(attendi "^Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0$")
    sleep 1
    for ((i = 0; i < tab; i++)); do xdotool key --window "$inizio" Tab; done
    xdotool key --window "$inizio" space
    finestra=$(attendi "MODELLO ${modello^^}")
    sleep 1.5
    import -window "$finestra" "$dati/grezza.png"
    riduci "$dati/grezza.png" "$uscita/$modello-pagina0-$percento.png"
    for ((i = 0; i < pagine; i++)); do xdotool key ctrl+Tab; done
    sleep 1
    import -window "$finestra" "$dati/grezza.png"
    riduci "$dati/grezza.png" "$uscita/$modello-domande-$percento.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  done
done
ls -l "$uscita"
