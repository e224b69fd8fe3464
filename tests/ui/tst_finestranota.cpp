#include "questionario/questionario.h"
#include "questionario/ui/finestranota.h"
#include "support/interazionefinta.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct Banco
{
    InterazioneFinta finta;
    Questionario q;
    FinestraNota nota;

    explicit Banco(Modello modello = Modello::Tradizionale) : q(modello, finta), nota(q) {}
    void mostra()
    {
        nota.show();
        QVERIFY(QTest::qWaitForWindowActive(&nota));
    }
    // "Si" with its note, then the window on that note.
    void apri(int indice, const QString& testo = {})
    {
        q.setBox(indice, Casella::SI, true);
        q.setNotaSI(indice, testo);
        q.setSegnoNota(indice, !testo.isEmpty());
        nota.preparaGruppo(indice);
        mostra();
    }
    // Enter on a button presses it, as a click does.
    void premi(const char* pulsante, Qt::Key tasto = Qt::Key_Return)
    {
        QTest::keyClick(nota.findChild<QPushButton*>(pulsante), tasto);
    }
    QPlainTextEdit* testo() const { return nota.casellaTesto(); }
};

} // namespace

class TestFinestraNota : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every line break shows but a lone CR; the counter beside the help label counts a line break two.
    // "Cancella" empties the note, the window stays (the label waits for "Fine"); Enter in the text is a line
    // break; "Fine" stores with CR LF and closes.
    void gruppo()
    {
        Banco b;
        b.apri(11, QStringLiteral("vecchia\nuno\r\ndue\rtre"));
        QCOMPARE(b.nota.windowTitle(), QStringLiteral("Nota 3.a - Testo associato"));
        QCOMPARE(b.testo()->accessibleName(), b.nota.windowTitle()); // what a screen reader calls the text
        QCOMPARE(b.testo()->toPlainText(), QStringLiteral("vecchia\nuno\nduetre"));
        QCOMPARE(b.nota.contatore()->parentWidget()->objectName(), QStringLiteral("Frame2"));
        QStringList conteggi{b.nota.contatore()->text()};
        b.premi("Delete_Note");
        QVERIFY(b.nota.isVisible() && b.q.notaSI(11).isEmpty() && b.q.segnoNota(11));
        conteggi << b.nota.contatore()->text();
        QTest::keyClicks(b.testo(), QStringLiteral("nuova\r"));
        QCOMPARE(conteggi << b.nota.contatore()->text(),
                 QStringList({"20 / 65000", "0 / 65000", "7 / 65000"}));
        b.premi("End_Note", Qt::Key_Enter);
        QVERIFY(b.q.notaSI(11) == QStringLiteral("nuova\r\n") && b.q.segnoNota(11));
    }

    // At 65000 characters (a line break counts two): a longer change is cut, never inside a character, with
    // the "Warning" once; a typed key is refused with its own message, pasting by keyboard too, while Enter
    // (its line break cut) and Backspace pass; the dagger never gets in.
    void limite()
    {
        Banco b;
        b.apri(3);
        b.testo()->insertPlainText(QString(70000, u'x'));
        QCOMPARE(b.nota.contatore()->text(), QStringLiteral("65000 / 65000"));
        b.testo()->setPlainText(QString(32000, u'a') + u'\n' + QString(32995, u'b') + u'\n');
        QTest::keyClicks(b.testo(), QStringLiteral("ab"));
        QGuiApplication::clipboard()->setText(QStringLiteral("zz"));
        QTest::keyClick(b.testo(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(b.testo(), Qt::Key_Return);
        QCOMPARE(b.nota.lunghezza(), 65000);
        const QString avviso =
            "messaggio|Warning|ATTENZIONE: la lunghezza della stringa inserita è maggiore "
            "di 65000:\r\ni caratteri in eccesso verranno automaticamente cancellati. Verificare!!!";
        const QString rifiuto =
            "messaggio|Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0|ATTENZIONE: è stato "
            "raggiunto il numero massimo dei caratteri.\r\nOperazione annullata!!!";
        QCOMPARE(b.finta.chiamate(QStringLiteral("messaggio")),
                 QStringList({avviso, rifiuto, rifiuto, avviso}));
        QTest::keyClick(b.testo(), Qt::Key_Backspace);
        for (const QChar pugnale : {u'\u2020', u'\u0086'})
            QTest::sendKeyEvent(QTest::Click, b.testo(), Qt::Key_unknown, QString(pugnale), {});
        QCOMPARE(b.nota.contatore()->text(), QStringLiteral("64999 / 65000"));
        b.testo()->setPlainText(QString(64999, u'x') + QString::fromUtf8("\xF0\x9F\x98\x80"));
        b.premi("End_Note");
        QCOMPARE(b.q.notaSI(3), QString(64999, u'x'));
    }

    // A member's requirements: the caption names the member; "Fine", Escape and the close box store the text
    // and mark the requisiti column, which an emptied text clears.
    void membri()
    {
        Banco b(Modello::Dualistico);
        QCOMPARE(b.nota.objectName(), QStringLiteral("Nota_Dual"));
        QCOMPARE(
            b.nota.findChild<QLabel*>("Label1")->text(),
            "Cliccando sul nome della nota in corrispondenza di ogni singolo gruppo di risposte, è "
            "possibile visionare l'eventuale commento associato alla domanda. La presenza di "
            "quest'ultimo è contrassegnata dal testo di colore rosso.\nN.B.: max 65000 caratteri inseribili.");
        TabellaMembri& membri = b.q.membri();
        const auto apri = [&](int riga, const QString& testo) {
            QVERIFY(!b.nota.isVisible());
            b.nota.preparaMembro(riga);
            b.mostra();
            QTest::keyClicks(b.testo(), testo);
        };
        apri(0, QStringLiteral("laurea"));
        QCOMPARE(b.nota.windowTitle(),
                 QStringLiteral("Requisiti professionalità del PRESIDENTE - Testo associato"));
        b.premi("End_Note");
        apri(2, QStringLiteral("altro"));
        QTest::keyClick(b.testo(), Qt::Key_Escape);
        apri(1, QStringLiteral("testo"));
        b.nota.close();
        QCOMPARE(membri.requisiti(0) + u'|' + membri.requisiti(1) + u'|' + membri.requisiti(2),
                 QStringLiteral("laurea|testo|altro"));
        apri(0, QString());
        b.premi("Delete_Note");
        b.premi("End_Note");
        QCOMPARE(membri.cella(0, membri.layout().colonnaRequisiti), QString());
    }
};

QTEST_MAIN(TestFinestraNota)
#include "tst_finestranota.moc"
