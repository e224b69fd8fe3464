#include "questionario/limitenota.h"
#include "support/interazionefinta.h"

#include <QTest>

namespace {
const QString avvisoLunghezza =
    QStringLiteral("ATTENZIONE: la lunghezza della stringa inserita è maggiore di 65000:\r\n"
                   "i caratteri in eccesso verranno automaticamente cancellati. Verificare!!!");
const QString massimoRaggiunto = QStringLiteral(
    "ATTENZIONE: è stato raggiunto il numero massimo dei caratteri.\r\nOperazione annullata!!!");
const QString titoloProgramma = QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0");
} // namespace

class TestLimiteNota : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Successive lengths reported by the text box, as a paste, a cut or typing would produce them.
    void testoCambiato_data()
    {
        QTest::addColumn<QList<int>>("lunghezze");
        QTest::addColumn<QList<bool>>("tagli");
        QTest::addColumn<int>("messaggi");
        QTest::addColumn<bool>("avviso");
        QTest::newRow("at the limit") << QList{65000} << QList{false} << 0 << false;
        QTest::newRow("one over") << QList{65001} << QList{true} << 1 << true;
        QTest::newRow("paste, then its cut") << QList{70000, 65000} << QList{true, false} << 1 << false;
        QTest::newRow("cut one character at a time")
            << QList{65003, 65002, 65001, 65000} << QList{true, true, true, false} << 1 << false;
        QTest::newRow("second overflow before a change that fits")
            << QList{70000, 70001} << QList{true, true} << 1 << true;
        QTest::newRow("overflow, fit, overflow")
            << QList{70000, 65000, 65001, 65000} << QList{true, false, true, false} << 2 << false;
    }
    void testoCambiato()
    {
        QFETCH(QList<int>, lunghezze);
        QFETCH(QList<bool>, tagli);
        InterazioneFinta interazione;
        LimiteNota limite(interazione);
        for (qsizetype i = 0; i < lunghezze.size(); ++i)
            QCOMPARE(limite.testoCambiato(lunghezze.at(i)), tagli.at(i));
        QTEST(int(interazione.messaggi.size()), "messaggi");
        QTEST(limite.avvisoLunghezza(), "avviso");
        for (const auto& m : interazione.messaggi) {
            QCOMPARE(m.testo, avvisoLunghezza);
            QCOMPARE(m.titolo, QStringLiteral("Warning"));
            QCOMPARE(m.pulsanti, Interazione::Pulsanti::Ok);
            QCOMPARE(m.icona, Interazione::Icona::Informazione);
        }
    }

    // The note window's use: a pasted text is cut once and the cut is reported back like any change.
    void incollatoTroppoLungo()
    {
        InterazioneFinta interazione;
        LimiteNota limite(interazione);
        QString testo(70000, u'a');
        testo[64999] = u'z';
        testo[65000] = u'y';
        if (limite.testoCambiato(int(testo.size()))) {
            testo.truncate(LimiteNota::lunghezzaMassima);
            QVERIFY(!limite.testoCambiato(int(testo.size())));
        }
        QCOMPARE(testo.size(), 65000);
        QCOMPARE(testo.back(), u'z');
        QCOMPARE(interazione.messaggi.size(), 1);
        QVERIFY(!limite.avvisoLunghezza());
    }

    void tastoPremuto_data()
    {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<bool>("accettato");
        QTest::addColumn<bool>("messaggio");
        QTest::newRow("letter at 64999") << int('a') << 64999 << true << false;
        QTest::newRow("letter at 65000") << int('a') << 65000 << false << true;
        QTest::newRow("space at 65000") << int(' ') << 65000 << false << true;
        QTest::newRow("paste combination at 65000") << 22 << 65000 << false << true;
        QTest::newRow("Enter at 65000") << 13 << 65000 << true << false;
        QTest::newRow("Enter beyond the limit") << 13 << 70000 << true << false;
        QTest::newRow("Backspace at 65000") << 8 << 65000 << true << false;
        QTest::newRow("134 on an empty text") << 134 << 0 << false << false;
        QTest::newRow("134 at 65000") << 134 << 65000 << false << false;
        QTest::newRow("133") << 133 << 0 << true << false;
        QTest::newRow("135") << 135 << 0 << true << false;
    }
    void tastoPremuto()
    {
        QFETCH(int, tasto);
        QFETCH(int, lunghezza);
        QFETCH(bool, messaggio);
        InterazioneFinta interazione;
        LimiteNota limite(interazione);
        QTEST(limite.tastoPremuto(char16_t(tasto), lunghezza), "accettato");
        QCOMPARE(interazione.messaggi.size(), messaggio ? 1 : 0);
        if (messaggio) {
            const auto& m = interazione.messaggi.constFirst();
            QCOMPARE(m.testo, massimoRaggiunto);
            QCOMPARE(m.titolo, titoloProgramma);
            QCOMPARE(m.pulsanti, Interazione::Pulsanti::Ok);
            QCOMPARE(m.icona, Interazione::Icona::Nessuna);
        }
    }
};

QTEST_APPLESS_MAIN(TestLimiteNota)
#include "tst_limitenota.moc"
