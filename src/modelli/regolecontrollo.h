#pragma once

#include "modelli/catalogo.h"
#include "modelli/modello.h"

#include <QList>
#include <QString>

// A general field that must be filled in before generation, with the phrases that name it in the message.
// The phrases carry their own leading and trailing spaces: the message joins them without adding any.
struct CampoRichiesto
{
    int campo = -1;
    QString fraseVuoto;       // the field is empty
    int lunghezzaEsatta = -1; // when filled, the text must be exactly this long; -1: any length
    QString fraseLunghezza;   // ... otherwise this phrase names the problem
    bool esenteConNA = false; // empty is fine while the field's "N/A" mark is set
};

// What the check before generation tests, for one model.
struct RegoleControllo
{
    // The general-field step, in index order.
    QList<CampoRichiesto> campiRichiesti;

    // Questions the questions step skips altogether.
    InsiemeIndici domandeNonControllate;
    // Questions never reported as unanswered; their required note is still checked.
    InsiemeIndici rispostaNonControllata;
    // Questions shown under a heading: their unanswered message names the heading first.
    InsiemeIndici domandeSottoIntestazione;

    // The required-note rule. A ticked NO of these questions needs a note, unless the question's note label
    // reads "NO"; this is not the set that opens the note editor on a NO tick. A ticked SI needs one for the
    // questions whose SI tick opens the editor (ProfiloModello::notaSuSI), under the same proviso.
    InsiemeIndici notaSuNO;
    // Once answered, these always need a note.
    InsiemeIndici notaSempre;
};

const RegoleControllo& regoleControllo(Modello modello);

// Rules shared by every model.
namespace regole {
// Rows 0 to membriMinimi - 1 of the members table must be complete, and at least this many rows filled.
inline constexpr int membriMinimi = 3;
// A member's tax code is valid when empty or exactly this long.
inline constexpr int lunghezzaCodiceFiscaleMembro = 16;
} // namespace regole
