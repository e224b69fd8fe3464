#pragma once

#include "modelli/modello.h"

#include <QString>

// The typing rules of the program's text boxes, as pure functions. A key is judged before it is inserted and
// is described by the character code it would insert: Backspace is 8, Enter 13, a printable character its
// code.

inline constexpr char16_t tastoIndietro = 8;
inline constexpr char16_t tastoInvio = 13;
// The character Ctrl+V types: pasting by keyboard is judged as that character.
inline constexpr char16_t tastoIncolla = 22;

// Refused means nothing is inserted; the caller sounds the beep.
struct EsitoTasto
{
    bool accettato = true;
    bool beep = false;
};

// A key typed in general field `campo` (TEXT_GENERALE). `lunghezzaSelezione` 0 means no text is selected.
// Fields without a key rule accept every key.
EsitoTasto tastoCampoGenerale(int campo, int lunghezzaTesto, int lunghezzaSelezione, char16_t tasto);

// The general field that takes the focus after an accepted Enter in `campo`, or -1 when the focus stays.
int campoSuccessivoSuInvio(int campo);

// A key typed in one of the three meeting counts of Riquadro II (TEXT 0..2).
EsitoTasto tastoConteggioRiquadroII(int lunghezzaTesto, int lunghezzaSelezione, char16_t tasto);

// A key typed in the cell editor of the members table, over column `colonna` of `modello`'s layout.
// The editor's rule looks at the text length only, never at the selection.
EsitoTasto tastoCellaMembri(Modello modello, int colonna, int lunghezzaTesto, char16_t tasto);

// The day and month fields get a leading zero when they lose the focus holding a single character.
bool campoConZeroIniziale(int campo);
// `testo` as the field holds it after losing the focus.
QString conZeroIniziale(int campo, const QString& testo);

// The minorities column of the members table takes "SI", "NO" (any case) or nothing.
inline const QString messaggioSoloSiNo = QStringLiteral("E' possibile inserire soltanto SI o NO");
inline const QString titoloSoloSiNo = QStringLiteral("Attenzione");

struct EsitoMinoranze
{
    bool valido = true; // false: the caller shows messaggioSoloSiNo
    QString valore;     // the cell's text afterwards
};
EsitoMinoranze controllaElettoMinoranze(const QString& testo);
