#include "app/finestramodello.h"

FinestraModello::FinestraModello(Modello modello, QWidget* parent)
    : QWidget(parent), m_interazione(this), m_questionario(modello, m_interazione)
{
    const ProfiloModello& p = m_questionario.profilo();
    setObjectName(nomeModello(modello));
    setWindowTitle(p.titoloFinestra);
    resize(969, 607);
}
