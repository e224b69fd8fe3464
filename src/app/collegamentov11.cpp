#include "app/collegamentov11.h"

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
