#include "questionario/questionario.h"
#include "questionario/ui/grigliamembri.h"
#include "support/interazionefinta.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
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
    void aggiungiMembro();
    void aperturaDelleCelle_data();
    void aperturaDelleCelle();
    void scritturaRispecchiataEdEscape();
    void invioDallaGriglia();
    void filtriDelleColonne_data();
    void filtriDelleColonne();
    void elettoMinoranze_data();
    void elettoMinoranze();
    void scorrimentoNascondeEditor();
};

void TestGrigliaMembri::aggiungiMembro()
{
    Banco b;
    QVERIFY(QTest::qWaitForWindowExposed(&b.griglia));
    auto* pulsante = b.griglia.findChild<QPushButton*>(QStringLiteral("btnAggiungi"));
    QCOMPARE(pulsante->text(), QStringLiteral("Aggiungi Membro"));
    QTest::mouseClick(pulsante, Qt::LeftButton);
    QTest::mouseClick(pulsante, Qt::LeftButton);
    TabellaMembri& m = b.q.membri();
    QCOMPARE(m.numeroMembri(), 5);
    QStringList etichette;
    for (int r = 0; r < 5; ++r)
        etichette.append(m.cella(r, 0));
    QCOMPARE(etichette, QStringList({QStringLiteral("Pres."), QStringLiteral("2"), QStringLiteral("3"),
                                     QStringLiteral("4"), QStringLiteral("5")}));
    // Adding a row is no edit.
    QVERIFY(b.q.flagSalvato());
    QVERIFY(b.q.leggiDisponibile());
}

void TestGrigliaMembri::aperturaDelleCelle_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("colonna");
    QTest::addColumn<QString>("esito"); // niente, editor, nota
    for (Modello m : tuttiIModelli) {
        const LayoutMembri& l = layoutMembri(m);
        const QByteArray n = nomeModello(m).toLatin1();
        QTest::newRow(n + " row label") << m << 0 << QStringLiteral("niente");
        QTest::newRow(n + " name") << m << 1 << QStringLiteral("editor");
        QTest::newRow(n + " last count") << m << l.ultimaColonnaConteggio << QStringLiteral("editor");
        QTest::newRow(n + " requisiti") << m << l.colonnaRequisiti << QStringLiteral("nota");
    }
}

void TestGrigliaMembri::aperturaDelleCelle()
{
    QFETCH(Modello, modello);
    QFETCH(int, colonna);
    QFETCH(QString, esito);
    Banco b(modello);
    QVERIFY(QTest::qWaitForWindowActive(&b.griglia));
    b.q.membri().setCella(1, colonna, colonna == 0 ? QStringLiteral("2") : QStringLiteral("valore"));
    b.clic(1, colonna);
    QCOMPARE(b.editor()->isVisible(), esito == u"editor");
    QCOMPARE(b.finta.chiamate(QStringLiteral("notamembro")),
             esito == u"nota" ? QStringList{QStringLiteral("notamembro|1")} : QStringList{});
    if (esito == u"editor") {
        QCOMPARE(b.editor()->text(), QStringLiteral("valore"));
        QCOMPARE(b.editor()->selectedText(), QStringLiteral("valore"));
        QVERIFY(b.editor()->hasFocus());
        QCOMPARE(b.editor()->geometry(), b.vista()->visualRect(b.vista()->model()->index(1, colonna)));
    }
    if (esito == u"nota") {
        QVERIFY(!b.q.flagSalvato());
        QVERIFY(b.q.notaMembro());
    }
}

void TestGrigliaMembri::scritturaRispecchiataEdEscape()
{
    Banco b;
    QVERIFY(QTest::qWaitForWindowActive(&b.griglia));
    TabellaMembri& m = b.q.membri();
    m.setCella(0, 1, QStringLiteral("Rossi"));
    b.clic(0, 1);
    QTest::keyClicks(b.editor(), QStringLiteral("Bian"));
    QCOMPARE(m.cella(0, 1), QStringLiteral("Bian"));
    QVERIFY(!b.q.flagSalvato());
    QVERIFY(!b.q.leggiDisponibile());
    QTest::keyClicks(b.editor(), QStringLiteral("chi"));
    QCOMPARE(m.cella(0, 1), QStringLiteral("Bianchi"));
    QTest::keyClick(b.editor(), Qt::Key_Escape);
    QCOMPARE(m.cella(0, 1), QStringLiteral("Rossi"));
    QVERIFY(!b.editor()->isVisible());
    QVERIFY(b.vista()->hasFocus());

    b.clic(2, 1);
    QTest::keyClicks(b.editor(), QStringLiteral("Verdi"));
    QTest::keyClick(b.editor(), Qt::Key_Return);
    QCOMPARE(m.cella(2, 1), QStringLiteral("Verdi"));
    QVERIFY(!b.editor()->isVisible());
    QVERIFY(b.vista()->hasFocus());
}

void TestGrigliaMembri::invioDallaGriglia()
{
    Banco b;
    QVERIFY(QTest::qWaitForWindowActive(&b.griglia));
    b.vista()->setFocus();
    b.vista()->setCurrentIndex(b.vista()->model()->index(1, 2));
    QTest::keyClick(b.vista(), Qt::Key_Return);
    QVERIFY(b.editor()->isVisible());
    QVERIFY(b.editor()->hasFocus());
}

void TestGrigliaMembri::filtriDelleColonne_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("colonna");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("atteso");
    QTest::addColumn<int>("beep");

    const QString cf = QStringLiteral("RSSMRA80A01H501Z");
    QTest::newRow("tax code: spaces dropped, 17th refused")
        << Modello::Tradizionale << 2 << QStringLiteral("RSS MRA80A01H501ZX") << cf << 1;
    QTest::newRow("count: digits only, three at most")
        << Modello::Tradizionale << 10 << QStringLiteral("1a23 4") << QStringLiteral("123") << 2;
    QTest::newRow("two-tier count column 9")
        << Modello::Dualistico << 9 << QStringLiteral("45x6") << QStringLiteral("456") << 0;
    QTest::newRow("name: anything") << Modello::Monistico << 1 << QStringLiteral("D'Amico 3")
                                    << QStringLiteral("D'Amico 3") << 0;
}

void TestGrigliaMembri::filtriDelleColonne()
{
    QFETCH(Modello, modello);
    QFETCH(int, colonna);
    QFETCH(QString, digitato);
    QFETCH(QString, atteso);
    QFETCH(int, beep);
    Banco b(modello);
    QVERIFY(QTest::qWaitForWindowActive(&b.griglia));
    b.clic(0, colonna);
    QTest::keyClicks(b.editor(), digitato);
    QCOMPARE(b.q.membri().cella(0, colonna), atteso);
    QCOMPARE(b.finta.beepSuonati, beep);
    // Backspace always works.
    QTest::keyClick(b.editor(), Qt::Key_Backspace);
    QCOMPARE(b.q.membri().cella(0, colonna), atteso.chopped(1));
}

void TestGrigliaMembri::elettoMinoranze_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<bool>("escape");
    QTest::addColumn<QString>("cella");
    QTest::addColumn<bool>("messaggio");
    QTest::newRow("no") << QStringLiteral("no") << false << QStringLiteral("NO") << false;
    QTest::newRow("Si") << QStringLiteral("Si") << false << QStringLiteral("SI") << false;
    QTest::newRow("x") << QStringLiteral("x") << false << QString() << true;
    QTest::newRow("empty") << QString() << false << QString() << false;
    QTest::newRow("x then Escape") << QStringLiteral("x") << true << QString() << true;
    QTest::newRow("no then Escape") << QStringLiteral("no") << true << QStringLiteral("SI") << false;
}

void TestGrigliaMembri::elettoMinoranze()
{
    QFETCH(QString, digitato);
    QFETCH(bool, escape);
    QFETCH(QString, cella);
    QFETCH(bool, messaggio);
    Banco b;
    QVERIFY(QTest::qWaitForWindowActive(&b.griglia));
    b.q.membri().setCella(1, 3, QStringLiteral("SI"));
    b.clic(1, 3);
    QTest::keyClick(b.editor(), Qt::Key_Backspace); // the selected "SI" goes
    QTest::keyClicks(b.editor(), digitato);
    QTest::keyClick(b.editor(), escape ? Qt::Key_Escape : Qt::Key_Return);
    QCOMPARE(b.q.membri().cella(1, 3), cella);
    QCOMPARE(b.finta.messaggi.size(), messaggio ? 1 : 0);
    if (messaggio) {
        QCOMPARE(b.finta.messaggi[0].testo, QStringLiteral("E' possibile inserire soltanto SI o NO"));
        QCOMPARE(b.finta.messaggi[0].titolo, QStringLiteral("Attenzione"));
        QCOMPARE(b.finta.messaggi[0].pulsanti, Interazione::Pulsanti::Ok);
    }
    QVERIFY(!b.editor()->isVisible());
}

void TestGrigliaMembri::scorrimentoNascondeEditor()
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

QTEST_MAIN(TestGrigliaMembri)
#include "tst_grigliamembri.moc"
