#include "legacy/ui/finestranotav11.h"

#include "legacy/contenutov11.h"

FinestraNotaV11::FinestraNotaV11(ContenutoV11& contenuto, Interazione& interazione, QWidget* parent)
    : FinestraNotaBase(interazione, QStringLiteral("Nota"), parent), m_contenuto(contenuto)
{}

void FinestraNotaV11::apri(int gruppo)
{
    prepara(gruppo);
    exec();
}

void FinestraNotaV11::prepara(int gruppo)
{
    m_gruppo = gruppo;
    FinestraNotaBase::prepara(catalogoV11().domande.at(gruppo).etichettaNota +
                                  QStringLiteral(" - Testo associato"),
                              testoNotaV11(m_contenuto, gruppo));
}

void FinestraNotaV11::testoCancellato()
{
    cancellaNotaV11(m_contenuto, m_gruppo);
}

void FinestraNotaV11::testoFinale(const QString& testo)
{
    fineNotaV11(m_contenuto, m_gruppo, testo);
}
