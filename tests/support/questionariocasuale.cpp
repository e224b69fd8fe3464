#include "support/questionariocasuale.h"

#include "questionario/questionario.h"
#include "questionario/testo.h"

#include <QTest>

namespace {

QString risposta(const Questionario& q, int i)
{
    QStringList caselle;
    if (q.casella(i, Casella::SI))
        caselle << "SI";
    if (q.casella(i, Casella::NO))
        caselle << "NO";
    if (q.casella(i, Casella::NA))
        caselle << "NA";
    return caselle.join(u'+');
}

} // namespace

QStringList istantanea(const Questionario& q, bool normalizza)
{
    QStringList righe;
    for (int campo : q.profilo().campiGenerali())
        righe << QStringLiteral("campo %1=%2").arg(campo).arg(q.campoGenerale(campo));
    righe << QStringLiteral("NA65=%1").arg(q.riunioniNA());
    for (int i = 0; i < numeroIndici; ++i)
        righe << QStringLiteral("risposta %1=%2").arg(i).arg(risposta(q, i))
              << QStringLiteral("segno %1=%2").arg(i).arg(q.segnoNota(i))
              << QStringLiteral("notaSI %1=%2").arg(i).arg(q.notaSI(i))
              << QStringLiteral("notaAltre %1=%2").arg(i).arg(q.notaAltre(i));
    for (int k = 0; k < 3; ++k)
        righe << QStringLiteral("conteggio %1=%2").arg(k).arg(q.conteggioRiquadroII(k));
    const TabellaMembri& t = q.membri();
    QList<int> daMostrare;
    for (int r = 0; r < t.numeroMembri(); ++r)
        if (!normalizza || r == 0 || !t.rigaVuota(r))
            daMostrare << r;
    while (normalizza && daMostrare.size() < TabellaMembri::righeIniziali)
        daMostrare << -1;
    righe << QStringLiteral("righe=%1").arg(daMostrare.size());
    for (int k = 0; k < daMostrare.size(); ++k) {
        for (int c = 0; c < t.numeroColonne(); ++c) {
            QString cella = t.cella(daMostrare[k], c);
            if (normalizza && c == 0)
                cella = k == 0 ? QStringLiteral("Pres.") : QString::number(k + 1);
            if (normalizza && c == t.layout().colonnaElettoMinoranze)
                cella = cella.toUpper();
            righe << QStringLiteral("cella %1,%2=%3").arg(k).arg(c).arg(cella);
        }
    }
    return righe;
}

QString differenza(const QStringList& letta, const QStringList& attesa)
{
    for (qsizetype i = 0; i < std::max(letta.size(), attesa.size()); ++i) {
        const QString a = letta.value(i), b = attesa.value(i);
        if (a != b)
            return QStringLiteral("letto \"%1\", atteso \"%2\"").arg(a.left(120), b.left(120));
    }
    return {};
}

QString Generatore::testo(int massimo)
{
    static const QStringList pezzi{"a", "Z", "0", " ", "   ", "\r\n", "<",  ">",   "&",     "\"",
                                   "'", "è", "à", "€", "ß",   "𝄞",    "\t", "]]>", "&amp;", "x y"};
    // Whole pieces only, so that a surrogate pair is never cut.
    const int lunghezza = m_g.bounded(massimo + 1);
    QString s;
    s.reserve(lunghezza);
    for (;;) {
        const QString& pezzo = pezzi[m_g.bounded(int(pezzi.size()))];
        if (s.size() + pezzo.size() > lunghezza)
            return s;
        s += pezzo;
    }
}

QString Generatore::cifre(int quante)
{
    QString s;
    for (int k = 0; k < quante; ++k)
        s += QChar(u'0' + m_g.bounded(10));
    return s;
}

void Generatore::riempi(Questionario& q, bool grande)
{
    const ProfiloModello& p = q.profilo();
    const Questionario::Caricamento caricamento(q);
    for (int campo : p.campiGenerali())
        q.setCampoGenerale(campo, testo(30));
    for (auto data : {std::array{2, 3, 4}, std::array{34, 35, 36}}) {
        const bool vuota = m_g.bounded(4) == 0;
        for (int k = 0; k < 3; ++k)
            q.setCampoGenerale(data[k], vuota ? QString() : cifre(k == 2 ? 4 : 2));
    }
    if (p.haRiunioniComitatoEsecutivo)
        q.setRiunioniNA(m_g.bounded(3) == 0);
    const int lunghe = grande ? 4 : 0;
    for (int i = 0; i < numeroIndici; ++i) {
        const Domanda& d = p.domanda(i);
        if (!d.presente || d.nascosta || !d.haCaselle())
            continue;
        QList<Risposta> scelte{Risposta::Nessuna, Risposta::SI};
        if (!d.casellaSingola())
            scelte << Risposta::NO;
        if (d.offreNA)
            scelte << Risposta::NA;
        const Risposta r = scelte[m_g.bounded(int(scelte.size()))];
        if (r == Risposta::Nessuna)
            continue;
        q.setBox(i, r == Risposta::SI ? Casella::SI : r == Risposta::NO ? Casella::NO : Casella::NA, true);
        if (r == Risposta::NA || (i == 80 && r == Risposta::NO))
            continue;
        const QString nota = m_g.bounded(3) == 0                  ? QString()
                             : m_g.bounded(numeroIndici) < lunghe ? testo(Questionario::lunghezzaMassimaNota)
                                                                  : testo(300);
        if (r == Risposta::SI)
            q.setNotaSI(i, nota);
        else
            q.setNotaAltre(i, nota);
        q.setSegnoNota(i, !nota.isEmpty() || ((i == 79 || i == 80) && r == Risposta::SI));
    }
    if (p.modello == Modello::Tradizionale)
        for (int k = 0; k < 3; ++k)
            q.setConteggioRiquadroII(k, cifre(m_g.bounded(4)));

    TabellaMembri& t = q.membri();
    const LayoutMembri& l = t.layout();
    const int righe = grande ? 300 + m_g.bounded(200) : 1 + m_g.bounded(7);
    while (t.numeroMembri() < righe)
        QVERIFY(t.aggiungiMembro());
    for (int r = 0; r < righe; ++r) {
        if (r > 0 && m_g.bounded(5) == 0)
            continue;
        for (int c = 1; c <= l.ultimaColonnaDati; ++c)
            t.setCella(r, c, m_g.bounded(6) == 0 ? QString() : testo(12));
        static const QStringList minoranze{"SI", "NO", "", "si"};
        t.setCella(r, l.colonnaElettoMinoranze, minoranze[m_g.bounded(4)]);
        const QString requisiti = m_g.bounded(3) == 0
                                      ? QString()
                                      : testo(grande && r < 2 ? Questionario::lunghezzaMassimaNota : 200);
        t.setCella(r, l.colonnaNascosta, requisiti);
        t.setCella(r, l.colonnaRequisiti, requisiti.isEmpty() ? QString() : QStringLiteral("SI"));
    }
}
