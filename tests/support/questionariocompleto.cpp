#include "support/questionariocompleto.h"

#include "questionario/questionario.h"

#include <utility>

void compilaCompleto(Questionario& q)
{
    const Questionario::Caricamento caricamento(q);
    const std::pair<int, const char*> campi[] = {
        {0, "Alfa S.p.A."}, {1, "01234567890"}, {2, "31"},        {3, "12"},
        {4, "2023"},        {5, "Via Po 1"},    {6, "021234567"}, {7, "ref@alfa.example"},
        {33, "5"},          {34, "01"},         {35, "04"},       {36, "2022"},
        {62, "12"},         {63, "2"},          {64, "10"},       {65, "4"}};
    for (auto [campo, testo] : campi)
        q.setCampoGenerale(campo, QString::fromUtf8(testo));
    for (int r = 0; r < 3; ++r)
        compilaMembroCompleto(q, r);
    for (int i = 0; i <= 80; ++i) {
        const Domanda& d = q.profilo().domanda(i);
        if (!d.presente || d.nascosta) {
            continue;
        } else if (!d.haCaselle()) {
            q.setConteggioRiquadroII(d.campoConteggio, QStringLiteral("3"));
        } else {
            q.setBox(i, Casella::SI, true);
            q.setNotaSI(i, QStringLiteral("Nota."));
            q.setSegnoNota(i, true);
        }
    }
}

void compilaMembroCompleto(Questionario& q, int riga)
{
    TabellaMembri& m = q.membri();
    const LayoutMembri& l = m.layout();
    for (int c = 1; c <= l.ultimaColonnaDati; ++c)
        m.setCella(riga, c, QStringLiteral("2"));
    m.setCella(riga, l.colonnaNome, QStringLiteral("Anna Neri"));
    m.setCella(riga, l.colonnaCodiceFiscale, QStringLiteral("NRENNA70A41F205X"));
    m.setCella(riga, l.colonnaElettoMinoranze, QStringLiteral("NO"));
    m.fineNotaMembro(riga, QStringLiteral("Revisore legale."));
}
