// The text primitives of the report, traced with the fixed metric: a character is 1.8 units wide and a line
// 4.2 units high at size 10 (2.16 and 5.04 at size 12).
#include "stampa/impaginazione.h"
#include "stampa/superficieregistrazione.h"
#include "support/tracciastampa.h"

#include <QTest>

namespace {

QString parole(const QString& parola, int quante, const QString& ultima = {})
{
    return QStringList(quante, parola).join(u' ') + ultima;
}

// A page of the report at line y, page 9, under the heading of the notes.
struct Banco
{
    SuperficieRegistrazione superficie;
    CambioPaginaNumerata regola;
    Impaginazione pagina{superficie, "MS Sans Serif", 197, 296, &regola};

    explicit Banco(double y)
    {
        pagina.setNumeroPagina(9);
        pagina.setIntestazioneCorrente({"       Note"});
        pagina.setYCorrente(y);
    }
};

} // namespace

class TestImpaginazione : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rigaDomanda_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("risposta"); // "-": a heading row, without answer
        QTest::addColumn<double>("y");
        QTest::addColumn<QStringList>("attesa");
        QTest::addColumn<double>("yDopo");
        // 600 characters, 19 words to a line (169.2 units; 20 would be 178.2).
        QStringList seicento;
        for (int i = 0; i < 6; ++i)
            seicento << QString("0.00 %1 10g|").arg(50 + 4.2 * i, 0, 'f', 2) + parole("abcd", 19);
        QTest::newRow("600 characters") << parole("abcd", 120, "?") << "Si" << 50.0
                                        << seicento + QStringList{"0.00 75.20 10g|" + parole("abcd", 6, "?"),
                                                                  "54.80 75.20 10|.×77", "193.40 75.20 10|Si"}
                                        << 80.1;
        QTest::newRow("word wider than the line stands alone")
            << "Parola " + QString(100, u'x') + " fine"
            << "N/A" << 100.0
            << QStringList{"0.00 100.00 10g|Parola", "0.00 104.20 10g|" + QString(100, u'x'),
                           "0.00 108.40 10g|fine", "8.00 108.40 10|.×102", "191.60 108.40 10|N/A"}
            << 113.3;
        QTest::newRow("leading spaces kept, those of a continuation line dropped")
            << "   Prima" + QString(95, u' ') + "seconda"
            << "" << 20.0
            << QStringList{"0.00 20.00 10g|   Prima", "0.00 24.20 10g|seconda", "13.40 24.20 10|.×102"}
            << 29.1;
        QTest::newRow("heading row alone")
            << "La società ha effettuato operazioni atipiche o inusuali con:"
            << "-" << 30.0
            << QStringList{"0.00 30.00 10g|La società ha effettuato operazioni "
                           "atipiche o inusuali con:"}
            << 34.9;
        QTest::newRow("a line past 291 opens page 10 under the heading")
            << "Domanda?"
            << "No" << 291.1
            << QStringList{"nuovaPagina",       "178.80 2.00 10|Pagina 10", "5.00 3.00 12|       Note",
                           "0.00 3.75 12|_×92", "0.00 13.00 10g|Domanda?",  "15.20 13.00 10|.×99",
                           "193.40 13.00 10|No"}
            << 17.9;
    }
    void rigaDomanda()
    {
        QFETCH(QString, testo);
        QFETCH(QString, risposta);
        QFETCH(double, y);
        Banco banco(y);
        banco.pagina.rigaDomanda(testo, risposta == u'-' ? std::nullopt : std::optional(risposta));
        QTEST(tracciaStampa(banco.superficie), "attesa");
        QTEST(banco.pagina.yCorrente(), "yDopo");
    }

    void bloccoNota_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QStringList>("righe");
        QTest::newRow("three paragraphs, any line break")
            << "Primo.\nSecondo.\r\nTerzo." << QStringList{"Primo.", "Secondo.", "Terzo."};
        // 20 words are 178.2 units: the 21st is added (187.2), then the line has reached 185.
        QTest::newRow("a line grows past 185")
            << parole("abcd", 25) << QStringList{parole("abcd", 21), parole("abcd", 4)};
        // 10 words are 178.2 units: the 11th would make 196.2.
        QTest::newRow("a line never passes 195")
            << parole("abcdefghi", 12) << QStringList{parole("abcdefghi", 10), parole("abcdefghi", 2)};
        QTest::newRow("a word wider than a line is cut at 108 characters")
            << QString(250, u'x') + " fine"
            << QStringList{QString(108, u'x'), QString(108, u'x'), QString(34, u'x') + " fine"};
        QTest::newRow("an empty paragraph is an empty line") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
    }
    void bloccoNota()
    {
        QFETCH(QString, testo);
        QFETCH(QStringList, righe);
        Banco banco(40);
        banco.pagina.bloccoNota("Nota 3.a", testo);
        QStringList attesa{"5.00 40.00 10g|Nota 3.a"};
        for (qsizetype i = 0; i < righe.size(); ++i)
            attesa << QString("0.00 %1 10|").arg(44.2 + 4.2 * i, 0, 'f', 2) + righe.at(i);
        QCOMPARE(tracciaStampa(banco.superficie), attesa);
        QCOMPARE(banco.pagina.yCorrente(), 44.2 + 4.2 * righe.size() + 0.7);
    }

    void valoreLargo()
    {
        // Wider than three quarters of the page (147.75 units): 16 words beside the label, the rest below.
        Banco banco(25);
        banco.pagina.rigaEtichetta({"Denominazione della società"}, parole("abcd", 25), true);
        QCOMPARE(
            tracciaStampa(banco.superficie),
            (QStringList{"0.00 25.00 10g|Denominazione della società", "49.40 25.00 10|.×3",
                         "54.80 25.00 10|" + parole("abcd", 16), "117.80 29.20 10|" + parole("abcd", 9)}));
        QCOMPARE(banco.pagina.yCorrente(), 35.4);
    }
};

QTEST_GUILESS_MAIN(TestImpaginazione)
#include "tst_impaginazione.moc"
