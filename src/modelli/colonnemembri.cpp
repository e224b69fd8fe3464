#include "modelli/colonnemembri.h"

namespace {

constexpr bool centrata = true;
constexpr bool sinistra = false;

// The tooltip repeats the caption unless it is given in full.
ColonnaMembri colonna(int larghezza, bool centrata, const char* intestazione = "",
                      const char* suggerimento = nullptr)
{
    const QString testo = QString::fromUtf8(intestazione);
    return {larghezza, centrata, testo, suggerimento ? QString::fromUtf8(suggerimento) : testo};
}

// Columns 0 to 8 differ between the models only in the names of the control body and in the count widths.
QList<ColonnaMembri> colonneComuni(const char* intestazioneMembri, int larghezzaConteggi,
                                   const char* presenzeOrgano, const char* suggerimentoPresenze = nullptr)
{
    return {
        colonna(450, sinistra),
        colonna(2820, sinistra, intestazioneMembri),
        colonna(1940, sinistra, "Codice Fiscale"),
        colonna(400, centrata, "Eletto dalle minor.", "Eletto dalle minoranze"),
        colonna(larghezzaConteggi, centrata, "Numero di incarichi ricoperti in società del gruppo"),
        colonna(larghezzaConteggi, centrata, "Numero di incarichi ricoperti in società quotate"),
        colonna(larghezzaConteggi, centrata, "Numero di incarichi ricoperti in altre società"),
        colonna(larghezzaConteggi, centrata, presenzeOrgano, suggerimentoPresenze),
        colonna(larghezzaConteggi, centrata, "Numero presenze alle assemblee"),
    };
}

// The traditional and one-tier tables: a board of directors and an executive committee after the common
// columns.
LayoutMembri conComitatoEsecutivo(const char* intestazioneMembri, const char* presenzeOrgano,
                                  const char* suggerimentoPresenze = nullptr)
{
    LayoutMembri l;
    l.colonne = colonneComuni(intestazioneMembri, 900, presenzeOrgano, suggerimentoPresenze);
    l.colonne << colonna(900, centrata, "Numero pres. alle riunioni del consiglio d'amministr.",
                         "Numero presenze alle riunioni del consiglio d'amministrazione")
              << colonna(900, centrata, "Numero pres. alle riunioni del comitato esecutivo",
                         "Numero presenze alle riunioni del comitato esecutivo")
              << colonna(0, sinistra)
              << colonna(1000, centrata, "Requisiti di profes.", "Requisiti di professionalità");
    return l;
}

LayoutMembri tradizionale()
{
    return conComitatoEsecutivo("Membri effettivi del collegio sindacale",
                                "Numero presenze alle riunioni del collegio sindacale");
}

LayoutMembri dualistico()
{
    LayoutMembri l;
    l.colonne = colonneComuni("Membri effettivi del consiglio di sorveglianza", 950,
                              "Numero presenze alle riunioni del consigl. di sorvegl.",
                              "Numero presenze alle riunioni del consiglio di sorveglianza");
    l.colonne << colonna(950, centrata, "Numero presenze alle riunioni del consiglio di gestione")
              << colonna(0, sinistra) << colonna(1450, centrata, "Requisiti di professionalità");
    // No executive committee: every column from the hidden one on sits one place to the left.
    l.ultimaColonnaConteggio = 9;
    l.colonnaPresenzeComitatoEsecutivo = -1;
    l.colonnaNascosta = 10;
    l.colonnaRequisiti = 11;
    l.ultimaColonnaDati = 10;
    return l;
}

LayoutMembri monistico()
{
    return conComitatoEsecutivo("Membri effettivi del comitato per il controllo sulla gestione",
                                "Numero pres. alle riunioni del comitato per il contr. sulla gest.",
                                "Numero presenze alle riunioni del comitato per il controllo sulla gestione");
}

} // namespace

const LayoutMembri& layoutMembri(Modello modello)
{
    static const LayoutMembri layout[] = {tradizionale(), dualistico(), monistico()};
    return layout[static_cast<int>(modello)];
}
