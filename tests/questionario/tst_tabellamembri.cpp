#include "questionario/tabellamembri.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(Modello)

namespace {

// Row by row: the row label, ":", then every other text of the row run together.
QStringList righe(const TabellaMembri& t)
{
    QStringList righe;
    for (int r = 0; r < t.numeroRighe(); ++r) {
        righe << t.etichettaRiga(r) + u':';
        for (int c = 1; c < t.numeroColonne(); ++c)
            righe.last() += t.cella(r, c);
    }
    return righe;
}

} // namespace

class TestTabellaMembri : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The hidden column: counts run from 4 to the one before it; the requisiti column, the last, follows.
    void perModello_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<int>("nascosta");
        for (Modello m : tuttiIModelli)
            QTest::newRow(qPrintable(nomeModello(m))) << m << (m == Modello::Dualistico ? 10 : 11);
    }
    void perModello()
    {
        QFETCH(Modello, modello);
        QFETCH(int, nascosta);
        TabellaMembri t(modello);
        QAbstractItemModelTester tester(&t, QAbstractItemModelTester::FailureReportingMode::QtTest);
        // Per column: a count or not, typed or kept, its alignment.
        const LayoutMembri& l = t.layout();
        QVERIFY(l.ultimaColonnaDati == nascosta && l.colonnaRequisiti == nascosta + 1);
        QCOMPARE(l.colonnaPresenzeComitatoEsecutivo, modello == Modello::Dualistico ? -1 : 10);
        for (int c = 0; c < t.numeroColonne(); ++c) {
            QCOMPARE(l.colonnaConteggio(c), c >= 4 && c < nascosta);
            QCOMPARE(t.setData(t.index(0, c), QStringLiteral("x")), c != 0 && c < nascosta);
            const int centrata = c >= 3 && c != nascosta ? Qt::AlignHCenter : Qt::AlignLeft;
            QCOMPARE(t.data(t.index(0, c), Qt::TextAlignmentRole).toInt(), centrata | Qt::AlignTop);
        }
        // "Aggiungi Membro" twice: empty rows labelled with the new count, appended at the end.
        QVERIFY(t.aggiungiMembro() && t.aggiungiMembro());
        QCOMPARE(righe(t), QStringList({"Pres.:" + QString(nascosta - 1, u'x'), "2:", "3:", "4:", "5:"}));
        QCOMPARE(t.titoloNotaMembro(0) + u'|' + t.titoloNotaMembro(3),
                 QStringLiteral("Requisiti professionalità del PRESIDENTE - Testo associato|"
                                "Requisiti professionalità del MEMBRO 4 - Testo associato"));
        // Back to three rows with their labels; the texts stay until the reader empties them.
        for (int c = 0; c < t.numeroColonne(); ++c)
            QVERIFY(t.setCella(0, c, QStringLiteral("x")) && t.setCella(4, c, QStringLiteral("x")));
        t.setGriglia();
        QCOMPARE(righe(t), QStringList({"Pres.:" + QString(nascosta + 1, u'x'), "2:", "3:"}));
        t.svuotaTutto();
        t.setGriglia();
        QCOMPARE(righe(t), QStringList({"Pres.:", "2:", "3:"}));
        // Spaces fill a cell; the row label and the requisiti marker are no data. The member's note: "Fine"
        // keeps the text and marks the requisiti column, blanks are no text; the editor shows CR LF.
        QVERIFY(t.setCella(1, nascosta + 1, QStringLiteral("SI")) && t.rigaVuota(1));
        QVERIFY(t.setCella(1, 1, QStringLiteral("   ")) && t.setCella(1, nascosta - 1, QStringLiteral("7")));
        for (auto [testo, tenuto] :
             {std::pair{"Dr\r\nIng", "Dr\r\nIng|SI"}, {"\tx", "\tx|SI"}, {" \r\n\t", "|"}}) {
            QVERIFY(t.setCella(1, nascosta, QStringLiteral("vecchio")) && t.setCella(1, nascosta + 1, "SI"));
            t.fineNotaMembro(1, QString::fromUtf8(testo));
            QCOMPARE(t.requisiti(1) + u'|' + t.cella(1, nascosta + 1), QString::fromUtf8(tenuto));
        }
        QVERIFY(t.setCella(1, nascosta, QStringLiteral("a\nb\r\nc")) && t.setCella(1, nascosta + 1, "SI"));
        QVERIFY(t.celleNonVuote(1) == 3 && t.rigaVuota(2) && t.testoNotaMembro(1) == u"a\r\nb\r\nc");
    }

    // The member count is a signed 16-bit number; cells outside the table read as empty and take nothing.
    void limiti()
    {
        TabellaMembri t(Modello::Dualistico);
        while (t.numeroMembri() < 32767)
            QVERIFY(t.aggiungiMembro());
        QVERIFY(!t.aggiungiMembro() && !t.aggiungiRiga("x") && t.etichettaRiga(32766) == u"32767");
        QSignalSpy cambiate(&t, &QAbstractItemModel::dataChanged);
        for (auto [r, c] : {std::pair{-1, 1}, {32767, 0}, {0, -1}, {0, 12}})
            QVERIFY(t.cella(r, c).isEmpty() && !t.setCella(r, c, "x") && !t.index(r, c).isValid());
        t.fineNotaMembro(32767, QStringLiteral("x"));
        QVERIFY(t.etichettaRiga(32767).isEmpty() && t.rigaVuota(32767) && cambiate.isEmpty());
        QVERIFY(t.setCella(32766, 1, "x") && cambiate.size() == 1); // the grid repaints what the others write
    }
};

QTEST_APPLESS_MAIN(TestTabellaMembri)
#include "tst_tabellamembri.moc"
