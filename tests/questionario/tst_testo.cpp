#include "questionario/testo.h"

#include <QTest>

class TestTesto : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The two line-break rules: the note window's (a lone CR is no line break and goes) and the reader's
    // (every line break, whatever its form, becomes CR LF).
    void aCapo_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("normalizzato");
        QTest::addColumn<QString>("daFile");
        const auto riga = [](const char* nome, const QString& t, const QString& n, const QString& f) {
            QTest::newRow(nome) << t << n << f;
        };
        riga("vuoto", QString(), QString(), QString());
        riga("senza a capo", QStringLiteral("abc"), QStringLiteral("abc"), QStringLiteral("abc"));
        riga("CR LF", QStringLiteral("a\r\nb"), QStringLiteral("a\r\nb"), QStringLiteral("a\r\nb"));
        riga("LF", QStringLiteral("a\nb"), QStringLiteral("a\r\nb"), QStringLiteral("a\r\nb"));
        riga("CR", QStringLiteral("a\rb"), QStringLiteral("ab"), QStringLiteral("a\r\nb"));
        riga("CR CR LF", QStringLiteral("a\r\r\nb"), QStringLiteral("a\r\nb"), QStringLiteral("a\r\n\r\nb"));
        riga("LF CR", QStringLiteral("\n\r"), QStringLiteral("\r\n"), QStringLiteral("\r\n\r\n"));
        riga("misti", QStringLiteral("x\r\ny\nz\r"), QStringLiteral("x\r\ny\r\nz"),
             QStringLiteral("x\r\ny\r\nz\r\n"));
        riga("solo a capo", QStringLiteral("\r\n\r\n"), QStringLiteral("\r\n\r\n"),
             QStringLiteral("\r\n\r\n"));
        // A different line break far into a long text, after many that need no change.
        QString lungo, lungoCRLF;
        for (int k = 0; k < 5000; ++k)
            lungo += QStringLiteral("riga è\r\n");
        riga("LF dopo 5000 CR LF", lungo + QStringLiteral("fine\n"), lungo + QStringLiteral("fine\r\n"),
             lungo + QStringLiteral("fine\r\n"));
        riga("CR dopo 5000 CR LF", lungo + QStringLiteral("a\rb"), lungo + QStringLiteral("ab"),
             lungo + QStringLiteral("a\r\nb"));
    }
    void aCapo()
    {
        QFETCH(QString, testo);
        QFETCH(QString, normalizzato);
        QFETCH(QString, daFile);
        QCOMPARE(normalizzaACapo(testo), normalizzato);
        QCOMPARE(aCapoDaFile(testo), daFile);
    }
};

QTEST_APPLESS_MAIN(TestTesto)
#include "tst_testo.moc"
