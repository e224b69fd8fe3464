#include "questionario/questionario.h"
#include "questionario/ui/grigliamembri.h"
#include "support/arrivotesto.h"
#include "support/interazionefinta.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

Q_DECLARE_METATYPE(Modello)

namespace {

struct Banco
{
    InterazioneFinta finta;
    Questionario q;
    GrigliaMembri griglia;

    explicit Banco(Modello modello = Modello::Tradizionale) : q(modello, finta), griglia(q)
    {
        finta.questionario = &q;
        griglia.resize(900, 300);
        griglia.show();
        QApplication::setActiveWindow(&griglia);
    }

    QTableView* vista() const { return griglia.griglia(); }
    QLineEdit* editor() const { return griglia.editor(); }

    void clic(int riga, int colonna)
    {
        const QModelIndex cella = vista()->model()->index(riga, colonna);
        vista()->scrollTo(cella);
        QTest::mouseClick(vista()->viewport(), Qt::LeftButton, {}, vista()->visualRect(cella).center());
    }
};

} // namespace

class TestGrigliaMembri : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aggiungiMembro()
    {
        Banco b;
        QSignalSpy modifiche(&b.q, &Questionario::modificato);
        QTest::mouseClick(b.griglia.pulsanteAggiungi(), Qt::LeftButton);
        QTest::mouseClick(b.griglia.pulsanteAggiungi(), Qt::LeftButton);
        TabellaMembri& m = b.q.membri();
        QCOMPARE(m.numeroMembri(), 5);
        QCOMPARE(m.cella(3, 0), QStringLiteral("4"));
        QCOMPARE(m.cella(4, 0), QStringLiteral("5"));
        // Adding a row is no edit.
        QCOMPARE(modifiche.count(), 0);
    }

    void aperturaDelleCelle_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<int>("colonna");
        QTest::addColumn<QString>("esito"); // niente, editor, nota
        for (Modello m : tuttiIModelli) {
            const QByteArray n = nomeModello(m).toLatin1();
            QTest::newRow(n + " row label") << m << 0 << QStringLiteral("niente");
            QTest::newRow(n + " last count") << m << layoutMembri(m).ultimaColonnaConteggio << "editor";
            QTest::newRow(n + " requisiti") << m << layoutMembri(m).colonnaRequisiti << "nota";
        }
    }
    void aperturaDelleCelle()
    {
        QFETCH(Modello, modello);
        QFETCH(int, colonna);
        QFETCH(QString, esito);
        Banco b(modello);
        QVERIFY(QTest::qWaitForWindowActive(&b.griglia));
        QSignalSpy note(&b.griglia, &GrigliaMembri::notaMembroRichiesta);
        b.q.membri().setCella(1, colonna, colonna == 0 ? QStringLiteral("2") : QStringLiteral("valore"));
        b.clic(1, colonna);
        QCOMPARE(b.editor()->isVisible(), esito == u"editor");
        QCOMPARE(note.count(), esito == u"nota" ? 1 : 0);
        if (esito == u"nota")
            QCOMPARE(note.at(0).at(0).toInt(), 1);
        if (esito == u"editor") {
            QCOMPARE(b.editor()->selectedText(), QStringLiteral("valore"));
            QVERIFY(b.editor()->hasFocus());
            QCOMPARE(b.editor()->geometry(), b.vista()->visualRect(b.vista()->model()->index(1, colonna)));
        }
    }

    // The cell mirrors what is typed; Escape brings back what it had, Enter keeps it; Enter on the grid
    // opens the current cell.
    void scritturaEdEscape()
    {
        Banco b;
        QVERIFY(QTest::qWaitForWindowActive(&b.griglia));
        QSignalSpy modifiche(&b.q, &Questionario::modificato);
        TabellaMembri& m = b.q.membri();
        m.setCella(0, 1, QStringLiteral("Rossi"));
        b.clic(0, 1);
        QTest::keyClicks(b.editor(), QStringLiteral("Bian"));
        QCOMPARE(m.cella(0, 1), QStringLiteral("Bian"));
        QVERIFY(modifiche.count() > 0);
        QTest::keyClicks(b.editor(), QStringLiteral("chi"));
        QTest::keyClick(b.editor(), Qt::Key_Escape);
        QCOMPARE(m.cella(0, 1), QStringLiteral("Rossi"));
        QVERIFY(!b.editor()->isVisible());
        QVERIFY(b.vista()->hasFocus());

        b.vista()->setCurrentIndex(b.vista()->model()->index(2, 1));
        QTest::keyClick(b.vista(), Qt::Key_Return);
        QVERIFY(b.editor()->hasFocus());
        QTest::keyClicks(b.editor(), QStringLiteral("Verdi"));
        QTest::keyClick(b.editor(), Qt::Key_Return);
        QCOMPARE(m.cella(2, 1), QStringLiteral("Verdi"));
        QVERIFY(!b.editor()->isVisible());
    }

    // The editor judges keys and arriving text by its column; the name takes anything.
    void ingresso_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<int>("colonna");
        QTest::addColumn<int>("modo"); // -1 typed keys, else an Arrivo
        QTest::addColumn<QString>("arrivato");
        QTest::addColumn<QString>("atteso");
        QTest::addColumn<int>("beep");
        QTest::newRow("typed tax code") << Modello::Tradizionale << 2 << -1 << "RSS MRA80A01H501ZX"
                                        << "RSSMRA80A01H501Z" << 1;
        QTest::newRow("pasted tax code")
            << Modello::Monistico << 2 << int(Arrivo::Incolla) << "RSS MRA80A01H501ZX"
            << "RSSMRA80A01H501Z" << 1;
        QTest::newRow("menu into a count") << Modello::Tradizionale << 10 << int(Arrivo::Menu) << "1a2345"
                                           << "123" << 1;
        QTest::newRow("drop into a two-tier count")
            << Modello::Dualistico << 9 << int(Arrivo::Rilascio) << "x"
            << "" << 0;
        QTest::newRow("menu into the name") << Modello::Tradizionale << 1 << int(Arrivo::Menu) << "D'Amico 3"
                                            << "D'Amico 3" << 0;
    }
    void ingresso()
    {
        QFETCH(Modello, modello);
        QFETCH(int, colonna);
        QFETCH(int, modo);
        QFETCH(QString, arrivato);
        QFETCH(QString, atteso);
        Banco b(modello);
        QVERIFY(QTest::qWaitForWindowActive(&b.griglia));
        b.clic(0, colonna);
        if (modo < 0)
            QTest::keyClicks(b.editor(), arrivato);
        else
            faiArrivare(b.editor(), Arrivo(modo), arrivato);
        QCOMPARE(b.q.membri().cella(0, colonna), atteso);
        QTEST(b.finta.beepSuonati, "beep");
        // The context menu did not end the editing.
        QVERIFY(b.editor()->isVisible());
    }

    void elettoMinoranze_data()
    {
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<QString>("cella");
        QTest::addColumn<bool>("messaggio");
        QTest::newRow("no") << "no" << false << "NO" << false;
        QTest::newRow("x") << "x" << false << "" << true;
        QTest::newRow("empty") << "" << false << "" << false;
        QTest::newRow("NO and a space") << "NO " << false << "" << true;
        QTest::newRow("x then Escape") << "x" << true << "" << true;
        QTest::newRow("no then Escape") << "no" << true << "SI" << false;
    }
    void elettoMinoranze()
    {
        QFETCH(QString, digitato);
        QFETCH(bool, escape);
        QFETCH(bool, messaggio);
        Banco b;
        QVERIFY(QTest::qWaitForWindowActive(&b.griglia));
        b.q.membri().setCella(1, 3, QStringLiteral("SI"));
        b.clic(1, 3);
        QTest::keyClick(b.editor(), Qt::Key_Backspace); // the selected "SI" goes
        QTest::keyClicks(b.editor(), digitato);
        QTest::keyClick(b.editor(), escape ? Qt::Key_Escape : Qt::Key_Return);
        QTEST(b.q.membri().cella(1, 3), "cella");
        QCOMPARE(b.finta.registro, messaggio ? QStringList{QStringLiteral("messaggio|Attenzione|E' possibile "
                                                                          "inserire soltanto SI o NO")}
                                             : QStringList{});
        QVERIFY(!b.editor()->isVisible());
    }

    void scorrimentoNascondeEditor()
    {
        Banco b;
        QVERIFY(QTest::qWaitForWindowActive(&b.griglia));
        for (int i = 0; i < 20; ++i)
            QVERIFY(b.q.membri().aggiungiMembro());
        b.clic(0, 1);
        QVERIFY(b.editor()->isVisible());
        b.vista()->verticalScrollBar()->setValue(b.vista()->verticalScrollBar()->maximum());
        QVERIFY(!b.editor()->isVisible());
    }
};

QTEST_MAIN(TestGrigliaMembri)
#include "tst_grigliamembri.moc"
