#pragma once

#include "modelli/catalogo.h"
#include "modelli/modello.h"

#include <QString>

// Everything that differs between the three models, as data. One constant instance per model.
struct ProfiloModello
{
    Modello modello = Modello::Tradizionale;
    QString titoloFinestra;
    Catalogo catalogo;

    // Questions whose SI tick opens the note editor at once. The same answers need their note before
    // generation: the check reads this set too.
    InsiemeIndici notaSuSI;
    // Questions whose NO tick opens the note editor at once (the check has a set of its own).
    InsiemeIndici notaSuNO;
    // The SI rule opens the editor through its set only for the indexes that pass this test; the other
    // single boxes open it on their own.
    bool passaTestIndiceSI(int indice) const;

    // General field 65 and its "N/A" box exist (the executive committee's meetings).
    bool haRiunioniComitatoEsecutivo = true;
    // General field indexes (TEXT_GENERALE) of this model, ascending.
    QList<int> campiGenerali() const;

    // Texts of the general-data page.
    QString intestazioneRequisiti; // heading of the requirements block
    QString etichettaCasella79;    // the label that describes box 79
    QString etichettaCasella80;    // the label that describes box 80
    QString etichettaRiunioni62;   // meetings of the control body
    QString etichettaRiunioni64;   // meetings of the board
    // Label of a general field as it stands on the page; empty for the day-month-year parts after the first.
    QString etichettaCampoGenerale(int campo) const;

    const Domanda& domanda(int indice) const { return catalogo.domande.at(indice); }
    // The text of question `indice` as it reads on its own, for a screen reader: a sub-question after the
    // line it belongs to, a single box of the general-data page as the text beside it.
    QString testoDomandaPerEsteso(int indice) const;
};

const ProfiloModello& profilo(Modello modello);
