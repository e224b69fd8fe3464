#include "modelli/profilomodello.h"

#include <QTest>

class TestCatalogo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void vuoto() {}
};

QTEST_APPLESS_MAIN(TestCatalogo)
#include "tst_catalogo.moc"
