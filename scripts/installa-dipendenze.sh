#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only those that are missing.
set -euo pipefail

pacchetti=(
  cmake            # build
  ninja-build      # build
  g++              # compiler
  make             # the two commands
  qt6-base-dev     # Qt 6 Core, Gui, Widgets, PrintSupport, Test (with the offscreen platform plugin)
  libpugixml-dev   # XML document
  rapidjson-dev    # JSON of the command-line tool
  qt6-translations-l10n # Italian texts of the toolkit's own dialogs and buttons
  fonts-dejavu-core # a font, so that windows show text under Xvfb and offscreen
  poppler-utils    # pdftotext: the tests read the printed report's PDF back
  dpkg-dev         # the Debian package's library dependencies (dpkg-shlibdeps)
  clang            # make fuzz: libFuzzer
  libclang-rt-14-dev # make fuzz: the fuzzer and sanitizer runtimes
  xvfb             # make bench: a display for the windows when there is none
)

mancanti=()
for p in "${pacchetti[@]}"; do
  stato=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$stato" == "install ok installed" ]] || mancanti+=("$p")
done
[[ ${#mancanti[@]} -eq 0 ]] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
  echo "Mancano i pacchetti: ${mancanti[*]}; apt-get non è disponibile su questa macchina: installarli a mano (Debian 12)." >&2
  exit 1
fi
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
    echo "Mancano i pacchetti: ${mancanti[*]}; servono i diritti di root (o sudo) per installarli." >&2
    exit 1
  fi
fi
echo "Installo i pacchetti mancanti: ${mancanti[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
