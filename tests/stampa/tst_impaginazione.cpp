// The text primitives of the report, traced with the fixed metric: a character is 1.8 units wide and a line
// 4.2 units high at size 10 (2.16 and 5.04 at size 12).
#include "stampa/impaginazione.h"
#include "stampa/superficieregistrazione.h"
#include "support/tracciastampa.h"

#include <QTest>
#include <functional>

using Stampa = std::function<void(Impaginazione&)>;

namespace {

QString parole(const QString& parola, int quante, const QString& ultima = {})
{
    return QStringList(quante, parola).join(u' ') + ultima;
}

void riga(const char* nome, double y, const QStringList& attesa, const Stampa& stampa)
{
    QTest::newRow(nome) << Stampa([=](Impaginazione& p) {
        p.setYCorrente(y);
        stampa(p);
    }) << attesa;
}

void domanda(const char* nome, double y, const QString& testo, std::optional<QString> risposta,
             const QStringList& attesa)
{
    riga(nome, y, attesa, [=](Impaginazione& p) { p.rigaDomanda(testo, risposta); });
}

// A note printed from 40: its caption, then `righe` one under the other.
void nota(const char* nome, const QString& testo, const QStringList& righe)
{
    QStringList attesa{"5.00 40.00 10g|Nota 3.a"};
    for (qsizetype i = 0; i < righe.size(); ++i)
        attesa << QString("0.00 %1 10|").arg(44.2 + 4.2 * i, 0, 'f', 2) + righe.at(i);
    attesa << QString("y %1").arg(44.2 + 4.2 * righe.size() + 0.7, 0, 'f', 2);
    riga(nome, 40, attesa, [=](Impaginazione& p) { p.bloccoNota("Nota 3.a", testo); });
}

} // namespace

class TestImpaginazione : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // From line y of page 9 under the heading of the notes; last, "y" and the line where the next one goes.
    void stampa_data()
    {
        QTest::addColumn<Stampa>("stampa");
        QTest::addColumn<QStringList>("attesa");
        // 19 words are 169.2 units, 20 would be 178.2.
        domanda("a question wraps at 174 units", 50, parole("abcd", 25, "?"), "Si",
                {"0.00 50.00 10g|" + parole("abcd", 19), "0.00 54.20 10g|" + parole("abcd", 6, "?"),
                 "54.80 54.20 10|.×77", "193.40 54.20 10|Si", "y 59.10"});
        domanda("leading spaces kept, a word wider than the line alone, spaces before a continuation dropped",
                100, "   Parola " + QString(100, u'x') + "   fine", "N/A",
                {"0.00 100.00 10g|   Parola", "0.00 104.20 10g|" + QString(100, u'x'), "0.00 108.40 10g|fine",
                 "8.00 108.40 10|.×102", "191.60 108.40 10|N/A", "y 113.30"});
        domanda("a heading row past 291 goes to page 10", 291.1, "Operazioni con:", std::nullopt,
                {"nuovaPagina", "178.80 2.00 10|Pagina 10", "5.00 3.00 12|       Note", "0.00 3.75 12|_×92",
                 "0.00 13.00 10g|Operazioni con:", "y 17.90"});
        nota("paragraphs at any line break, an empty one an empty line, a word wider than a line cut at 108",
             "Primo.\nSecondo.\r\n\r\n" + QString(250, u'x') + " fine",
             {"Primo.", "Secondo.", "", QString(108, u'x'), QString(108, u'x'), QString(34, u'x') + " fine"});
        // 35 words "ab" are 187.2 units, 34 are 181.8; 10 words of 9 letters are 178.2, 11 would be 196.2.
        nota("note lines past 185, never 195", parole("ab", 40) + "\r\n" + parole("abcdefghi", 12),
             {parole("ab", 35), parole("ab", 5), parole("abcdefghi", 10), parole("abcdefghi", 2)});
        riga("a value wider than 3/4 of the page (147.75): 16 words beside its label, the rest below", 25,
             {"0.00 25.00 10g|Denominazione", "24.20 25.00 10|.×17", "54.80 25.00 10|" + parole("abcd", 16),
              "117.80 29.20 10|" + parole("abcd", 9), "y 35.40"},
             [](Impaginazione& p) { p.rigaEtichetta({"Denominazione"}, parole("abcd", 25), true); });
    }
    void stampa()
    {
        QFETCH(Stampa, stampa);
        SuperficieRegistrazione superficie;
        CambioPaginaNumerata regola;
        Impaginazione pagina{superficie, "MS Sans Serif", 197, 296, &regola};
        pagina.setNumeroPagina(9);
        pagina.setIntestazioneCorrente({"       Note"});
        stampa(pagina);
        QTEST(tracciaStampa(superficie) << QString("y %1").arg(pagina.yCorrente(), 0, 'f', 2), "attesa");
    }
};

QTEST_GUILESS_MAIN(TestImpaginazione)
#include "tst_impaginazione.moc"
