#include "app/collegamentov11.h"

#include "app/finestramodello.h"
#include "legacy/stampav11.h"
#include "legacy/ui/visorev11.h"

#include <QWidget>

CollegamentoV11::CollegamentoV11(QWidget& finestra, StatoFinestra& stato)
    : QObject(&finestra), m_finestra(finestra), m_stato(stato)
{}

CollegamentoV11::~CollegamentoV11()
{
    delete m_visore;
}

ContenutoV11 CollegamentoV11::contenutoV11() const
{
    return m_visore ? m_visore->contenuto() : ContenutoV11{};
}

void CollegamentoV11::riceviV11(const RisultatoV11& risultato, const QString& percorso)
{
    // A failed read keeps what it stored for the next one, as the viewer keeps any content it had.
    if (!m_visore) {
        m_visore = new VisoreV11;
        connect(m_visore, &VisoreV11::chiuso, this, &CollegamentoV11::visoreChiuso);
        connect(m_visore, &VisoreV11::stampaRichiesta, this, &CollegamentoV11::stampa);
    }
    m_visore->impostaContenuto(risultato.contenuto);
    if (!risultato.letto())
        return;
    m_visore->apri(risultato.contenuto, percorso);
    m_finestra.setEnabled(false);
}

void CollegamentoV11::visoreChiuso()
{
    m_finestra.setEnabled(true);
    m_stato.segnaSalvato();
}

Interazione& CollegamentoV11::porta()
{
    // A port given to the traditional window from outside (a script, the tests) speaks for the whole
    // program. The window's own dialogs would stand over that window, disabled behind the viewer, and bring
    // it back to the front when they close: the viewer's own stand over the viewer.
    if (auto* tradizionale = qobject_cast<FinestraModello*>(&m_finestra)) {
        Interazione& delQuestionario = tradizionale->questionario().interazione();
        if (&delQuestionario != &tradizionale->interazione())
            return delQuestionario;
    }
    return m_visore->interazione();
}

void CollegamentoV11::stampa()
{
    if (!m_visore)
        return;
    // The preview draws the report again whenever it needs to: from a copy, which nothing can change
    // meanwhile.
    porta().stampa([contenuto = m_visore->contenuto()](
                       SuperficieStampa& superficie) { return stampaV11(contenuto, superficie); },
                   m_visore->windowTitle());
}
