#include "questionario/questionario.h"
#include "questionario/ui/grigliamembri.h"
#include "support/arrivotesto.h"
#include "support/interazionefinta.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

struct Banco
{
    InterazioneFinta finta;
    Questionario q;
    GrigliaMembri griglia;
    QSignalSpy modifiche{&q, &Questionario::modificato};

    explicit Banco(Modello modello = Modello::Tradizionale) : q(modello, finta), griglia(q)
    {
        griglia.resize(900, 300);
        griglia.show();
        QVERIFY(QTest::qWaitForWindowActive(&griglia));
    }

    QTableView* vista() const { return griglia.griglia(); }
    QLineEdit* editor() const { return griglia.editor(); }
    QModelIndex cella(int riga, int colonna) const { return vista()->model()->index(riga, colonna); }
    void clic(int riga, int colonna)
    {
        QTest::mouseClick(vista()->viewport(), Qt::LeftButton, {},
                          vista()->visualRect(cella(riga, colonna)).center());
    }
};

// Model; column; typed keys (-1) or an Arrivo, and the text; the cell after; the calls to the port.
using Ingresso = std::tuple<Modello, int, int, QString, QString, QStringList>;

} // namespace

Q_DECLARE_METATYPE(Ingresso)

class TestGrigliaMembri : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A click on a row label opens nothing, on the requisiti column the member's note, on any other cell the
    // editor, right over the cell. "Aggiungi Membro" adds a labelled row, in view, and is no edit; typing is.
    // The editor never stays over a cell scrolled away.
    void celleERighe()
    {
        for (Modello m : tuttiIModelli) {
            const LayoutMembri& l = layoutMembri(m);
            Banco b(m);
            QSignalSpy note(&b.griglia, &GrigliaMembri::notaMembroRichiesta);
            b.clic(1, 0);
            QVERIFY(!b.editor()->isVisible());
            b.clic(1, l.ultimaColonnaConteggio);
            QVERIFY(b.editor()->isVisible() && note.isEmpty());
            QCOMPARE(b.editor()->geometry(), b.vista()->visualRect(b.cella(1, l.ultimaColonnaConteggio)));
            b.clic(2, l.colonnaRequisiti);
            QCOMPARE(QList<QVariantList>(note), QList<QVariantList>{{2}});
            for (int i = 0; i < 20; ++i)
                QTest::mouseClick(b.griglia.pulsanteAggiungi(), Qt::LeftButton);
            QCOMPARE(b.q.membri().etichettaRiga(22) + b.q.membri().etichettaRiga(23), QStringLiteral("23"));
            b.clic(22, 1); // the new row is in view
            QTest::keyClicks(b.editor(), QStringLiteral("R"));
            QVERIFY(b.editor()->isVisible() && b.modifiche.count() == 1);
            b.vista()->verticalScrollBar()->setValue(0);
            QVERIFY(!b.editor()->isVisible());
        }
    }

    // A cell of "SI", opened by Enter, takes what reaches the editor (a row per way; the key rules are the
    // filters'); Enter keeps it, Escape restores it, both focus the grid. Minorities: SI, NO or nothing.
    void ingresso_data()
    {
        QTest::addColumn<Ingresso>("ingresso");
        const QStringList beep{"beep"}, siNo{"messaggio|Attenzione|E' possibile inserire soltanto SI o NO"};
        const Modello T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
        const int tasti = -1, incolla = int(Arrivo::Incolla), menu = int(Arrivo::Menu);
        const auto riga = [](const char* nome, const Ingresso& ingresso) { QTest::newRow(nome) << ingresso; };
        riga("typed tax code", {T, 2, tasti, "RSS MRA80A01H501ZX", "RSSMRA80A01H501Z", beep});
        riga("pasted tax code", {M, 2, incolla, "RSS MRA80A01H501ZX", "RSSMRA80A01H501Z", beep});
        riga("menu into a count", {T, 10, menu, "1a2345", "123", beep});
        riga("drop into a two-tier count", {D, 9, int(Arrivo::Rilascio), "x", "SI", {}});
        riga("name, Enter", {T, 1, tasti, "Verdi\r", "Verdi", {}});
        riga("no", {T, 3, tasti, "no\r", "NO", {}});
        riga("empty", {T, 3, tasti, "\b\r", "", {}});
        riga("NO and a space", {T, 3, tasti, "NO \r", "", siNo});
        riga("x then Escape", {T, 3, tasti, "x\x1b", "", siNo});
        riga("no then Escape", {T, 3, tasti, "no\x1b", "SI", {}});
    }
    void ingresso()
    {
        QFETCH(Ingresso, ingresso);
        const auto& [modello, colonna, modo, arrivato, atteso, registro] = ingresso;
        Banco b(modello);
        b.q.membri().setCella(1, colonna, QStringLiteral("SI"));
        b.vista()->setCurrentIndex(b.cella(1, colonna));
        QTest::keyClick(b.vista(), Qt::Key_Return);
        QVERIFY(b.editor()->hasFocus());
        modo < 0 ? QTest::keyClicks(b.editor(), arrivato) : faiArrivare(b.editor(), Arrivo(modo), arrivato);
        QCOMPARE(b.q.membri().cella(1, colonna), atteso);
        QCOMPARE(b.finta.registro, registro);
        // The context menu does not end the editing; Enter and Escape do.
        const bool finito = arrivato.endsWith(u'\r') || arrivato.endsWith(u'\x1b');
        QVERIFY(b.editor()->isVisible() != finito && b.vista()->hasFocus() == finito);
    }
};

QTEST_MAIN(TestGrigliaMembri)
#include "tst_grigliamembri.moc"
