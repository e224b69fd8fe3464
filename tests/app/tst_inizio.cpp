#include "app/finestramodello.h"
#include "app/inizio.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(Modello)

namespace {

// Records whether the start window was still visible when the model window was first shown.
class OsservaComparsa : public QObject
{
public:
    explicit OsservaComparsa(QWidget* inizio) : m_inizio(inizio) {}
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
    void sceltaDelModello_data()
    {
        QTest::addColumn<QString>("pulsante");
        QTest::addColumn<QString>("didascalia");
        QTest::addColumn<Qt::Key>("tasto"); // Qt::Key_unknown: a click
        QTest::addColumn<Modello>("modello");
        const std::tuple<const char*, const char*, Modello> pulsanti[] = {
            {"btnTradzionale", "Modello Tradizionale", Modello::Tradizionale},
            {"btnMonistico", "Modello  Monistico", Modello::Monistico},
            {"btnDualistico", "Modello  Dualistico", Modello::Dualistico}};
        for (const auto& [nome, didascalia, modello] : pulsanti) {
            for (Qt::Key tasto : {Qt::Key_unknown, Qt::Key_Return, Qt::Key_Space})
                QTest::addRow("%s %s", nome,
                              tasto == Qt::Key_unknown  ? "click"
                              : tasto == Qt::Key_Return ? "Enter"
                                                        : "Space")
                    << nome << didascalia << tasto << modello;
        }
    }
    // Click, Enter or Space opens the model's window, with the keyboard on the company name, and the start
    // window goes only once the model window is there.
    void sceltaDelModello()
    {
        QFETCH(QString, pulsante);
        QFETCH(Qt::Key, tasto);
        QFETCH(Modello, modello);
        Inizio inizio;
        inizio.show();
        QVERIFY(QTest::qWaitForWindowActive(&inizio));
        QCOMPARE(inizio.windowTitle(), QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0"));
        // The first button has the focus, and the keyboard goes down the buttons in their order.
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnTradzionale"));
        QCOMPARE(QApplication::focusWidget()->nextInFocusChain()->objectName(),
                 QStringLiteral("btnMonistico"));
        QCOMPARE(QApplication::focusWidget()->nextInFocusChain()->nextInFocusChain()->objectName(),
                 QStringLiteral("btnDualistico"));
        auto* p = inizio.findChild<QPushButton*>(pulsante);
        QTEST(p->text(), "didascalia");

        OsservaComparsa osserva(&inizio);
        p->setFocus();
        qApp->installEventFilter(&osserva);
        if (tasto == Qt::Key_unknown)
            QTest::mouseClick(p, Qt::LeftButton);
        else
            QTest::keyClick(p, tasto);
        qApp->removeEventFilter(&osserva);

        FinestraModello* finestra = inizio.finestraModello();
        QVERIFY(finestra);
        QCOMPARE(finestra->questionario().modello(), modello);
        QVERIFY(finestra->isVisible());
        QVERIFY(!inizio.isVisible());
        QVERIFY(osserva.inizioVisibileAllaComparsa);
        QVERIFY(QTest::qWaitForWindowActive(finestra));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("TEXT_GENERALE_0"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Alfa"));
        QCOMPARE(finestra->questionario().campoGenerale(0), QStringLiteral("Alfa"));
    }

    void chiusuraPrimaDellaScelta()
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
};

QTEST_MAIN(TestInizio)
#include "tst_inizio.moc"
