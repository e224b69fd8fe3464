#include "questionario/ui/finestranota.h"

#include "questionario/questionario.h"

namespace {

QString nomeFinestra(Modello modello)
{
    switch (modello) {
    case Modello::Tradizionale:
        return QStringLiteral("Nota_Trad");
    case Modello::Dualistico:
        return QStringLiteral("Nota_Dual");
    case Modello::Monistico:
        return QStringLiteral("Nota_Mon");
    }
    return {};
}

} // namespace

FinestraNota::FinestraNota(Questionario& questionario, QWidget* parent)
    : FinestraNotaBase(questionario.interazione(), nomeFinestra(questionario.modello()), parent),
      m_questionario(questionario)
{}

void FinestraNota::apriGruppo(int indice)
{
    preparaGruppo(indice);
    exec();
}

void FinestraNota::apriMembro(int riga)
{
    preparaMembro(riga);
    exec();
}

void FinestraNota::preparaGruppo(int indice)
{
    m_indice = indice;
    m_riga = -1;
    const QString etichetta = m_questionario.profilo().domanda(indice).etichettaNota;
    prepara(etichetta + QStringLiteral(" - Testo associato"), m_questionario.testoNota(indice));
}

void FinestraNota::preparaMembro(int riga)
{
    m_riga = riga;
    const TabellaMembri& membri = m_questionario.membri();
    prepara(membri.titoloNotaMembro(riga), membri.testoNotaMembro(riga));
}

void FinestraNota::testoCancellato()
{
    if (m_riga < 0)
        m_questionario.cancellaNota(m_indice);
}

void FinestraNota::testoFinale(const QString& testo)
{
    if (m_riga >= 0)
        m_questionario.membri().fineNotaMembro(m_riga, testo);
    else
        m_questionario.fineNota(m_indice, testo);
    m_riga = -1;
}
