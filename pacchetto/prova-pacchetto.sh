#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and uses the command-line tool from there: the
# installed program finds its templates in its own folder.
set -euo pipefail
build=$1
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$lavoro/pacchetto" >/dev/null
pacchetto=$(ls "$lavoro"/pacchetto/scheda-ombrisa_*.deb)
dpkg -x "$pacchetto" "$lavoro/radice"
informazioni=$(dpkg -I "$pacchetto")
[[ $informazioni == *"Depends:"*libqt6widgets6* ]]
grep -qx 'Categories=Office;' "$lavoro/radice/usr/share/applications/scheda-ombrisa.desktop"
test -f "$lavoro/radice/usr/share/icons/hicolor/scalable/apps/scheda-ombrisa.svg"

cli="$lavoro/radice/usr/bin/scheda-ombrisa-cli"
echo '{"modello": "Dualistico", "datiGenerali": {"0": "Alfa S.p.A."}}' | "$cli" scrivi - -o "$lavoro/scheda.xml"
letto=$("$cli" leggi "$lavoro/scheda.xml")
[[ $letto == *'"0": "Alfa S.p.A."'* ]]
echo "pacchetto: $(basename "$pacchetto") installato e provato"
