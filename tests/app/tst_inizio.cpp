#include "app/finestramodello.h"
#include "app/inizio.h"

#include <QApplication>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

class TestInizio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Opening a model offers a recovery copy: never one left by a real run in the user's own folders.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The keyboard starts on the first button and goes down the buttons in order. Click, Enter or Space opens
    // the model's window with the keyboard on the company name; the start window goes once that is shown.
    void sceltaDelModello_data()
    {
        QTest::addColumn<int>("pulsante");  // in the keyboard's order
        QTest::addColumn<Qt::Key>("tasto"); // Qt::Key_unknown: a click
        QTest::newRow("click") << 0 << Qt::Key_unknown;
        QTest::newRow("Enter") << 1 << Qt::Key_Return;
        QTest::newRow("Space") << 2 << Qt::Key_Space;
    }
    void sceltaDelModello()
    {
        QFETCH(int, pulsante);
        QFETCH(Qt::Key, tasto);
        const QString titolo = QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0");
        Inizio inizio;
        inizio.show();
        QVERIFY(QTest::qWaitForWindowActive(&inizio) && inizio.windowTitle() == titolo);
        QStringList ordine;
        for (QWidget* w = QApplication::focusWidget(); ordine.size() < 3; w = w->nextInFocusChain())
            ordine << w->objectName() + u'=' + static_cast<QPushButton*>(w)->text();
        QCOMPARE(ordine.join(u'|'),
                 QStringLiteral("btnTradzionale=Modello Tradizionale|btnMonistico=Modello  "
                                "Monistico|btnDualistico=Modello  Dualistico"));
        auto* p = inizio.findChild<QPushButton*>(ordine[pulsante].section(u'=', 0, 0));
        bool modelloGiaVisibile = false; // when the start window went
        connect(inizio.windowHandle(), &QWindow::visibleChanged, this, [&](bool visibile) {
            modelloGiaVisibile =
                !visibile && inizio.finestraModello() && inizio.finestraModello()->isVisible();
        });
        p->setFocus();
        tasto == Qt::Key_unknown ? QTest::mouseClick(p, Qt::LeftButton) : QTest::keyClick(p, tasto);
        FinestraModello* finestra = inizio.finestraModello();
        QVERIFY(finestra && finestra->isVisible() && !inizio.isVisible() && modelloGiaVisibile);
        QCOMPARE(finestra->windowTitle(),
                 titolo + " - MODELLO " + ordine[pulsante].section(u' ', -1).toUpper());
        QVERIFY(QTest::qWaitForWindowActive(finestra));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Alfa"));
        QCOMPARE(finestra->questionario().campoGenerale(0), QStringLiteral("Alfa"));
    }
};

QTEST_MAIN(TestInizio)
#include "tst_inizio.moc"
