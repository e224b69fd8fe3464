#pragma once

#include "modelli/catalogo.h"
#include "modelli/modello.h"

#include <QList>
#include <QString>
#include <bitset>

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
    std::bitset<numeroIndici> domandeNonControllate;
    // Questions never reported as unanswered; their required note is still checked.
    std::bitset<numeroIndici> rispostaNonControllata;
    // Questions shown under a heading: their unanswered message names the heading first.
    std::bitset<numeroIndici> domandeSottoIntestazione;

    // The required-note rule. A ticked SI (or NO) of these questions needs a note, unless the question's note
    // label reads "NO". These are not the sets that open the note editor while the user ticks the boxes.
    std::bitset<numeroIndici> notaSuSI;
    std::bitset<numeroIndici> notaSuNO;
    // Once answered, these always need a note.
    std::bitset<numeroIndici> notaSempre;
};

const RegoleControllo& regoleControllo(Modello modello);

// Rules shared by every model.
namespace regole {
// Rows 0 to membriMinimi - 1 of the members table must be complete, and at least this many rows filled.
inline constexpr int membriMinimi = 3;
// A member's tax code is valid when empty or exactly this long.
inline constexpr int lunghezzaCodiceFiscaleMembro = 16;
} // namespace regole
