#include "questionario/tabellamembri.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(Modello)

namespace {

constexpr Modello T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;

QStringList etichette(const TabellaMembri& t)
{
    QStringList e;
    for (int r = 0; r < t.numeroRighe(); ++r)
        e << t.etichettaRiga(r);
    return e;
}

int celleScritte(const TabellaMembri& t)
{
    int n = 0;
    for (int r = 0; r < t.numeroRighe(); ++r)
        for (int c = 1; c < t.numeroColonne(); ++c)
            n += !t.cella(r, c).isEmpty();
    return n;
}

} // namespace

class TestTabellaMembri : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void perModello_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<int>("ultimoConteggio");
        QTest::addColumn<int>("nascosta");
        QTest::addColumn<int>("requisiti");
        QTest::newRow("Tradizionale") << T << 10 << 11 << 12;
        QTest::newRow("Dualistico") << D << 9 << 10 << 11;
        QTest::newRow("Monistico") << M << 10 << 11 << 12;
    }

    void crescitaEAzzeramento_data() { perModello_data(); }
    void crescitaEAzzeramento()
    {
        QFETCH(Modello, modello);
        QFETCH(int, requisiti);
        TabellaMembri t(modello);
        QAbstractItemModelTester tester(&t, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(t.columnCount(), requisiti + 1);
        QCOMPARE(etichette(t), QStringList({"Pres.", "2", "3"}));
        // "Aggiungi Membro" twice: empty rows labelled with the new count, appended at the end.
        QSignalSpy inserite(&t, &QAbstractItemModel::rowsInserted);
        QVERIFY(t.aggiungiMembro() && t.aggiungiMembro());
        QCOMPARE(etichette(t), QStringList({"Pres.", "2", "3", "4", "5"}));
        QCOMPARE(inserite.at(1).at(1).toInt(), 4);
        QCOMPARE(celleScritte(t), 0);
        QCOMPARE(t.titoloNotaMembro(0),
                 QStringLiteral("Requisiti professionalità del PRESIDENTE - Testo associato"));
        QCOMPARE(t.titoloNotaMembro(3),
                 QStringLiteral("Requisiti professionalità del MEMBRO 4 - Testo associato"));

        // Back to three rows with their labels; the texts stay until the reader empties them.
        for (int c = 0; c < t.numeroColonne(); ++c)
            QVERIFY(t.setCella(0, c, QStringLiteral("x")) && t.setCella(4, c, QStringLiteral("x")));
        t.setGriglia();
        QCOMPARE(etichette(t), QStringList({"Pres.", "2", "3"}));
        QCOMPARE(celleScritte(t), requisiti);
        t.svuotaTutto();
        t.setGriglia();
        QCOMPARE(etichette(t), QStringList({"Pres.", "2", "3"}));
        QCOMPARE(celleScritte(t), 0);
        QVERIFY(t.aggiungiMembro());
        QCOMPARE(t.etichettaRiga(3), QStringLiteral("4"));
    }

    void colonne_data() { perModello_data(); }
    void colonne()
    {
        QFETCH(Modello, modello);
        QFETCH(int, ultimoConteggio);
        QFETCH(int, nascosta);
        QFETCH(int, requisiti);
        TabellaMembri t(modello);
        const LayoutMembri& l = t.layout();
        QCOMPARE(l.ultimaColonnaDati, nascosta);
        QCOMPARE(l.colonnaPresenzeComitatoEsecutivo, modello == D ? -1 : 10);
        for (int c = 0; c < t.numeroColonne(); ++c) {
            const ColonnaMembri& colonna = l.colonne.at(c);
            QCOMPARE(l.colonnaConteggio(c), c >= 4 && c <= ultimoConteggio);
            QCOMPARE(colonna.larghezza == 0, c == nascosta);
            // Row labels, the hidden text and its marker are the program's; the rest is typed in the grid.
            const bool modificabile = c != 0 && c != nascosta && c != requisiti;
            QCOMPARE(t.setData(t.index(1, c), QStringLiteral("7")), modificabile);
            const int centrata = c >= 3 && c != nascosta ? Qt::AlignHCenter : Qt::AlignLeft;
            QCOMPARE(t.data(t.index(1, c), Qt::TextAlignmentRole).toInt(), centrata | Qt::AlignTop);
            // Every shown column but the labels has a heading; a shortened one gives the full words as
            // tooltip.
            QCOMPARE(colonna.intestazione.isEmpty(), c == 0 || c == nascosta);
            const bool abbreviata = colonna.intestazione.contains(u'.');
            QCOMPARE(colonna.suggerimento.size() > colonna.intestazione.size(), abbreviata);
            QVERIFY(abbreviata || colonna.suggerimento == colonna.intestazione);
        }
    }

    void notaMembro_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("requisiti");
        QTest::addColumn<QString>("segno");
        const QString dottore = QStringLiteral("Dottore\r\ncommercialista");
        QTest::newRow("text") << D << dottore << dottore << QStringLiteral("SI");
        QTest::newRow("tab and letter")
            << M << QStringLiteral("\tx") << QStringLiteral("\tx") << QStringLiteral("SI");
        QTest::newRow("blanks and line breaks") << D << " \r\n\t" << QString() << QString();
        QTest::newRow("empty") << M << QString() << QString() << QString();
    }
    void notaMembro()
    {
        QFETCH(Modello, modello);
        QFETCH(QString, testo);
        TabellaMembri t(modello);
        const int nascosta = t.layout().colonnaNascosta;
        QVERIFY(t.setCella(1, nascosta, QStringLiteral("vecchio")) && t.setCella(1, nascosta + 1, "SI"));
        QVERIFY(t.setCella(1, nascosta - 1, QStringLiteral("7")));
        t.fineNotaMembro(1, testo);
        QTEST(t.requisiti(1), "requisiti");
        QTEST(t.cella(1, nascosta + 1), "segno");
        QCOMPARE(t.cella(1, nascosta - 1), QStringLiteral("7"));
        // The editor shows the text with CR LF line breaks.
        QVERIFY(t.setCella(1, nascosta, QStringLiteral("a\nb\r\nc")));
        QCOMPARE(t.testoNotaMembro(1), QStringLiteral("a\r\nb\r\nc"));
    }

    // Over the member's data a cell of spaces counts as filled; the row label and the requisiti marker never
    // do.
    void celleNonVuote_data() { perModello_data(); }
    void celleNonVuote()
    {
        QFETCH(Modello, modello);
        QFETCH(int, nascosta);
        TabellaMembri t(modello);
        QVERIFY(t.setCella(2, 0, QStringLiteral("3")) && t.setCella(2, nascosta + 1, QStringLiteral("SI")));
        QVERIFY(t.rigaVuota(2));
        QVERIFY(t.setCella(2, 1, QStringLiteral("   ")) && t.setCella(2, nascosta, QStringLiteral("x")));
        QCOMPARE(t.celleNonVuote(2), 2);
        QVERIFY(!t.rigaVuota(2) && t.rigaVuota(1));
    }

    void fuoriIntervallo()
    {
        TabellaMembri t(D);
        QSignalSpy cambiate(&t, &QAbstractItemModel::dataChanged);
        const std::pair<int, int> fuori[] = {{-1, 1}, {3, 0}, {0, -1}, {0, 12}};
        for (auto [riga, colonna] : fuori) {
            QCOMPARE(t.cella(riga, colonna), QString());
            QVERIFY(!t.setCella(riga, colonna, QStringLiteral("x")));
            QVERIFY(!t.index(riga, colonna).isValid());
        }
        t.fineNotaMembro(3, QStringLiteral("x"));
        QVERIFY(t.etichettaRiga(3).isEmpty() && t.rigaVuota(3));
        QCOMPARE(cambiate.size(), 0);
    }

    // The member count is a signed 16-bit number.
    void limiteMembri()
    {
        TabellaMembri t(D);
        while (t.numeroMembri() < 32767)
            QVERIFY(t.aggiungiMembro());
        QCOMPARE(t.etichettaRiga(32766), QStringLiteral("32767"));
        QVERIFY(!t.aggiungiMembro());
        QVERIFY(!t.aggiungiRiga(QStringLiteral("x")));
        QCOMPARE(t.numeroMembri(), 32767);
    }
};

QTEST_APPLESS_MAIN(TestTabellaMembri)
#include "tst_tabellamembri.moc"
