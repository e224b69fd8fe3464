#include "app/finestramodello.h"
#include "app/inizio.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(Modello)

namespace {

// Records whether the start window was still visible when the model window was first shown.
class OsservaComparsa : public QObject
{
public:
    OsservaComparsa(QWidget* inizio) : m_inizio(inizio) {}
    bool inizioVisibileAllaComparsa = false;
    bool vista = false;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (evento->type() == QEvent::Show && !vista && qobject_cast<FinestraModello*>(oggetto)) {
            vista = true;
            inizioVisibileAllaComparsa = m_inizio->isVisible();
        }
        return QObject::eventFilter(oggetto, evento);
    }

private:
    QWidget* m_inizio;
};

} // namespace

class TestInizio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aspetto();
    void sceltaDelModello_data();
    void sceltaDelModello();
    void chiusuraPrimaDellaScelta();
};

void TestInizio::aspetto()
{
    Inizio inizio;
    inizio.show();
    QVERIFY(QTest::qWaitForWindowExposed(&inizio));
    QCOMPARE(inizio.windowTitle(), QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0"));
    auto* etichetta = inizio.findChild<QLabel*>(QStringLiteral("Label1"));
    QVERIFY(etichetta);
    QCOMPARE(etichetta->text(), QStringLiteral("SCHEDA RIEPILOGATIVA DELL'OMBRISA"));

    const QStringList nomi{QStringLiteral("btnTradzionale"), QStringLiteral("btnMonistico"),
                           QStringLiteral("btnDualistico")};
    const QStringList didascalie{QStringLiteral("Modello Tradizionale"), QStringLiteral("Modello  Monistico"),
                                 QStringLiteral("Modello  Dualistico")};
    QList<QPushButton*> pulsanti;
    for (int i = 0; i < 3; ++i) {
        auto* p = inizio.findChild<QPushButton*>(nomi[i]);
        QVERIFY2(p, qPrintable(nomi[i]));
        QCOMPARE(p->text(), didascalie[i]);
        pulsanti.append(p);
    }
    // One below the other, in this order, and the keyboard goes the same way from the first, focused one.
    QVERIFY(pulsanti[0]->y() < pulsanti[1]->y());
    QVERIFY(pulsanti[1]->y() < pulsanti[2]->y());
    QVERIFY(etichetta->geometry().bottom() < pulsanti[0]->y());
    QCOMPARE(QApplication::focusWidget(), pulsanti[0]);
    QCOMPARE(pulsanti[0]->nextInFocusChain(), pulsanti[1]);
    QCOMPARE(pulsanti[1]->nextInFocusChain(), pulsanti[2]);
}

void TestInizio::sceltaDelModello_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("azione");
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QString>("titolo");

    const QString base = QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0 - MODELLO ");
    for (const QString& azione :
         {QStringLiteral("click"), QStringLiteral("enter"), QStringLiteral("space")}) {
        const QByteArray a = azione.toLatin1();
        QTest::newRow("tradizionale " + a) << QStringLiteral("btnTradzionale") << azione
                                           << Modello::Tradizionale << base + QStringLiteral("TRADIZIONALE");
        QTest::newRow("monistico " + a) << QStringLiteral("btnMonistico") << azione << Modello::Monistico
                                        << base + QStringLiteral("MONISTICO");
        QTest::newRow("dualistico " + a) << QStringLiteral("btnDualistico") << azione << Modello::Dualistico
                                         << base + QStringLiteral("DUALISTICO");
    }
}

void TestInizio::sceltaDelModello()
{
    QFETCH(QString, pulsante);
    QFETCH(QString, azione);
    QFETCH(Modello, modello);
    QFETCH(QString, titolo);

    Inizio inizio;
    inizio.show();
    QVERIFY(QTest::qWaitForWindowExposed(&inizio));
    auto* p = inizio.findChild<QPushButton*>(pulsante);
    QVERIFY(p);
    QVERIFY(!inizio.finestraModello());

    // The model window does not exist before the press: watch the whole application for its first Show.
    OsservaComparsa osserva(&inizio);
    p->setFocus();
    qApp->installEventFilter(&osserva);
    if (azione == u"click")
        QTest::mouseClick(p, Qt::LeftButton);
    else
        QTest::keyClick(p, azione == u"enter" ? Qt::Key_Return : Qt::Key_Space);
    qApp->removeEventFilter(&osserva);

    FinestraModello* finestra = inizio.finestraModello();
    QVERIFY(finestra);
    QCOMPARE(finestra->windowTitle(), titolo);
    QCOMPARE(finestra->questionario().modello(), modello);
    QVERIFY(finestra->isVisible());
    QVERIFY(!inizio.isVisible());
    QVERIFY(osserva.vista);
    QVERIFY(osserva.inizioVisibileAllaComparsa);
}

void TestInizio::chiusuraPrimaDellaScelta()
{
    Inizio inizio;
    inizio.show();
    QVERIFY(QTest::qWaitForWindowExposed(&inizio));
    // Closing the only window ends the event loop; the second timer only stops a test that would hang.
    QTimer::singleShot(0, &inizio, &QWidget::close);
    QTimer::singleShot(30000, qApp, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!inizio.finestraModello());
}

QTEST_MAIN(TestInizio)
#include "tst_inizio.moc"
