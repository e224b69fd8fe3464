#include "questionario/testo.h"

#include <QTest>

class TestTesto : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The note window's line breaks (a lone CR is no line break and goes) and the reader's (every form
    // becomes CR LF); each case also far into a long text, after many line breaks that need no change.
    void aCapo_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("normalizzato");
        QTest::addColumn<QString>("daFile");
        for (const QString& prima : {QString(), QStringLiteral("riga è\r\n").repeated(5000)}) {
            const auto riga = [&](const char* nome, const char* t, const char* n, const char* f) {
                QTest::addRow("%s%s", nome, prima.isEmpty() ? "" : " dopo 5000 CR LF")
                    << prima + t << prima + n << prima + f;
            };
            riga("vuoto", "", "", "");
            riga("LF", "a\nb", "a\r\nb", "a\r\nb");
            riga("CR", "a\rb", "ab", "a\r\nb");
            riga("CR CR LF", "a\r\r\nb", "a\r\nb", "a\r\n\r\nb");
            riga("LF CR", "\n\r", "\r\n", "\r\n\r\n");
            riga("misti", "x\r\ny\nz\r", "x\r\ny\r\nz", "x\r\ny\r\nz\r\n");
        }
    }
    void aCapo()
    {
        QFETCH(QString, testo);
        QTEST(normalizzaACapo(testo), "normalizzato");
        QTEST(aCapoDaFile(testo), "daFile");
    }
};

QTEST_APPLESS_MAIN(TestTesto)
#include "tst_testo.moc"
