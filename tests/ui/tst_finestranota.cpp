#include "questionario/questionario.h"
#include "questionario/ui/finestranota.h"
#include "support/interazionefinta.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
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

    explicit Banco(Modello modello = Modello::Tradizionale) : q(modello, finta), nota(q)
    {
        finta.questionario = &q;
    }

    // An answer set as the reader sets it: no rule, no editor.
    void rispondi(int indice, Casella casella, const QString& notaSI = {})
    {
        const Questionario::Caricamento caricamento(q);
        q.setBox(indice, casella, true);
        if (!notaSI.isEmpty()) {
            q.setNotaSI(indice, notaSI);
            q.setSegnoNota(indice, true);
        }
    }
    void apri(int indice)
    {
        nota.preparaGruppo(indice);
        mostra();
    }
    void mostra()
    {
        nota.show();
        QVERIFY(QTest::qWaitForWindowActive(&nota));
    }
    QPushButton* pulsante(const char* nome) const
    {
        return nota.findChild<QPushButton*>(QString::fromLatin1(nome));
    }
    void clic(const char* nome) { QTest::mouseClick(pulsante(nome), Qt::LeftButton); }
    QPlainTextEdit* testo() const { return nota.casellaTesto(); }
};

} // namespace

class TestFinestraNota : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A note of blanks is no note: "Fine" withdraws the answer that called for it, without reopening.
    void notaVuotaRitiraLaRisposta()
    {
        Banco b;
        b.rispondi(7, Casella::NO);
        b.apri(7);
        b.testo()->insertPlainText(QStringLiteral("   \n\t"));
        b.clic("End_Note");
        QCOMPARE(b.q.risposta(7), Risposta::Nessuna);
        QVERIFY(!b.q.segnoNota(7));
        QVERIFY(b.q.notaAltre(7).isEmpty());
        QVERIFY(b.finta.chiamate(QStringLiteral("nota")).isEmpty());
    }

    // Enter on a focused button presses it, as a click does: "Cancella" empties the note and the window
    // stays, "Fine" stores and closes.
    void invioSuiPulsanti()
    {
        Banco b;
        b.rispondi(11, Casella::SI, QStringLiteral("vecchia"));
        b.apri(11);
        QCOMPARE(b.nota.windowTitle(), QStringLiteral("Nota 3.a - Testo associato"));
        QCOMPARE(b.testo()->toPlainText(), QStringLiteral("vecchia"));
        b.pulsante("Delete_Note")->setFocus();
        QTest::keyClick(b.pulsante("Delete_Note"), Qt::Key_Return);
        QVERIFY(b.nota.isVisible());
        QVERIFY(b.testo()->toPlainText().isEmpty());
        QVERIFY(b.q.notaSI(11).isEmpty());
        QVERIFY(b.q.segnoNota(11)); // the label changes only with "Fine"
        QTest::keyClicks(b.testo(), QStringLiteral("nuova"));
        // Enter in the text box is a line break, never a button.
        QTest::keyClick(b.testo(), Qt::Key_Return);
        QVERIFY(b.nota.isVisible());
        b.pulsante("End_Note")->setFocus();
        QTest::keyClick(b.pulsante("End_Note"), Qt::Key_Enter);
        QVERIFY(!b.nota.isVisible());
        QCOMPARE(b.q.notaSI(11), QStringLiteral("nuova\r\n"));
        QVERIFY(b.q.segnoNota(11));
    }

    void aCapoMostratiEConservati()
    {
        Banco b;
        b.rispondi(50, Casella::NO);
        b.q.setNotaAltre(50, QStringLiteral("uno\ndue\r\ntre\rquattro"));
        b.apri(50);
        QCOMPARE(b.testo()->document()->blockCount(), 3);
        b.testo()->moveCursor(QTextCursor::End);
        QTest::keyClick(b.testo(), Qt::Key_Return);
        QTest::keyClicks(b.testo(), QStringLiteral("cinque"));
        b.clic("End_Note");
        QCOMPARE(b.q.notaAltre(50), QStringLiteral("uno\r\ndue\r\ntrequattro\r\ncinque"));
    }

    // The counter beside the help label counts as the limit does, a line break two, and follows every key.
    // In the typed text "\n" stands for Enter and "\b" for Backspace.
    void contatore_data()
    {
        QTest::addColumn<QString>("nota");
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<QString>("allApertura");
        QTest::addColumn<QString>("dopo");
        QTest::newRow("vuota") << QString() << QStringLiteral("abc") << QStringLiteral("0 / 65000")
                               << QStringLiteral("3 / 65000");
        QTest::newRow("a capo") << QStringLiteral("uno\r\ndue") << QStringLiteral("\nx")
                                << QStringLiteral("8 / 65000") << QStringLiteral("11 / 65000");
        QTest::newRow("indietro su un a capo") << QStringLiteral("uno\r\ndue") << QStringLiteral("\b\b\b\b")
                                               << QStringLiteral("8 / 65000") << QStringLiteral("3 / 65000");
        QTest::newRow("a capo solo LF o solo CR")
            << QStringLiteral("a\nb\rc") << QStringLiteral("\b") << QStringLiteral("5 / 65000")
            << QStringLiteral("4 / 65000");
    }
    void contatore()
    {
        QFETCH(QString, nota);
        QFETCH(QString, digitato);
        QFETCH(QString, allApertura);
        QFETCH(QString, dopo);
        Banco b;
        b.rispondi(0, Casella::SI, nota);
        b.apri(0);
        QLabel* contatore = b.nota.findChild<QLabel*>(QStringLiteral("Label_Caratteri"));
        QVERIFY(contatore);
        QCOMPARE(contatore->parentWidget()->objectName(), QStringLiteral("Frame2"));
        QCOMPARE(contatore->text(), allApertura);
        for (const QChar c : digitato) {
            if (c == u'\n')
                QTest::keyClick(b.testo(), Qt::Key_Return);
            else if (c == u'\b')
                QTest::keyClick(b.testo(), Qt::Key_Backspace);
            else
                QTest::keyClick(b.testo(), c.toLatin1());
        }
        QCOMPARE(contatore->text(), dopo);
        b.clic("Delete_Note");
        QCOMPARE(contatore->text(), QStringLiteral("0 / 65000"));
    }

    void limite()
    {
        Banco b;
        b.rispondi(3, Casella::SI);
        b.apri(3);
        b.testo()->insertPlainText(QString(70000, u'x'));
        QCOMPARE(b.nota.lunghezza(), 65000);
        QCOMPARE(b.nota.contatore()->text(), QStringLiteral("65000 / 65000"));
        QCOMPARE(
            b.finta.chiamate(QStringLiteral("messaggio")),
            QStringList{QStringLiteral("messaggio|Warning|ATTENZIONE: la lunghezza della stringa inserita è "
                                       "maggiore di 65000:\r\ni caratteri in eccesso verranno "
                                       "automaticamente cancellati. Verificare!!!")});
        // Line breaks count two characters, as the note is stored.
        b.testo()->setPlainText(QString(32000, u'a') + u'\n' + QString(32000, u'b') + u'\n' +
                                QString(995, u'c'));
        QCOMPARE(b.nota.lunghezza(), 64999);
        QTest::keyClick(b.testo(), Qt::Key_A);
        QCOMPARE(b.finta.messaggi.size(), 1);
        QTest::keyClick(b.testo(), Qt::Key_B);
        QCOMPARE(b.nota.lunghezza(), 65000);
        QCOMPARE(b.finta.messaggi.size(), 2);
        QCOMPARE(b.finta.messaggi[1].testo,
                 QStringLiteral("ATTENZIONE: è stato raggiunto il numero massimo dei caratteri.\r\n"
                                "Operazione annullata!!!"));
        QCOMPARE(b.finta.messaggi[1].titolo,
                 QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0"));
        // Pasting by keyboard is refused there too; Backspace still works; the dagger never gets in.
        QGuiApplication::clipboard()->setText(QStringLiteral("zz"));
        QTest::keyClick(b.testo(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(b.finta.messaggi.size(), 3);
        // Enter still passes, and its line break is cut with the over-length message.
        QTest::keyClick(b.testo(), Qt::Key_Return);
        QCOMPARE(b.nota.lunghezza(), 65000);
        QCOMPARE(b.finta.messaggi.size(), 4);
        QCOMPARE(b.finta.messaggi[3].titolo, QStringLiteral("Warning"));
        QTest::keyClick(b.testo(), Qt::Key_Backspace);
        QCOMPARE(b.nota.lunghezza(), 64999);
        QCOMPARE(b.nota.contatore()->text(), QStringLiteral("64999 / 65000"));
        for (char16_t pugnale : {u'\u2020', u'\u0086'}) {
            QKeyEvent evento(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(pugnale)));
            QCoreApplication::sendEvent(b.testo(), &evento);
        }
        QCOMPARE(b.nota.lunghezza(), 64999);
        b.clic("End_Note");
        QCOMPARE(b.q.notaSI(3).size(), 64999);
    }

    void modalitaMembro()
    {
        Banco b(Modello::Dualistico);
        TabellaMembri& membri = b.q.membri();
        const int requisiti = membri.layout().colonnaRequisiti;
        b.nota.preparaMembro(0);
        QCOMPARE(b.nota.windowTitle(),
                 QStringLiteral("Requisiti professionalità del PRESIDENTE - Testo associato"));
        b.mostra();
        QTest::keyClicks(b.testo(), QStringLiteral("laurea"));
        b.clic("End_Note");
        QCOMPARE(membri.requisiti(0), QStringLiteral("laurea"));
        QCOMPARE(membri.cella(0, requisiti), QStringLiteral("SI"));
        // The close box and Escape work as "Fine".
        b.nota.preparaMembro(2);
        QCOMPARE(b.nota.windowTitle(),
                 QStringLiteral("Requisiti professionalità del MEMBRO 3 - Testo associato"));
        b.mostra();
        QTest::keyClicks(b.testo(), QStringLiteral("altro"));
        QTest::keyClick(b.testo(), Qt::Key_Escape);
        QVERIFY(!b.nota.isVisible());
        QCOMPARE(membri.requisiti(2), QStringLiteral("altro"));
        b.nota.preparaMembro(1);
        b.mostra();
        QTest::keyClicks(b.testo(), QStringLiteral("testo"));
        b.nota.close();
        QVERIFY(!b.nota.isVisible());
        QCOMPARE(membri.requisiti(1), QStringLiteral("testo"));
        // Emptied again, the president's text clears its mark; question notes are never touched.
        b.nota.preparaMembro(0);
        b.mostra();
        b.clic("Delete_Note");
        b.clic("End_Note");
        QCOMPARE(membri.cella(0, requisiti), QString());
        for (int i = 0; i < numeroIndici; ++i)
            QVERIFY(b.q.notaSI(i).isEmpty() && b.q.notaAltre(i).isEmpty());
    }

    void aiuto()
    {
        Banco b(Modello::Monistico);
        QCOMPARE(b.nota.objectName(), QStringLiteral("Nota_Mon"));
        QCOMPARE(b.nota.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral(
                     "Cliccando sul nome della nota in corrispondenza di ogni singolo gruppo di risposte, "
                     "è possibile visionare l'eventuale commento associato alla domanda. La presenza di "
                     "quest'ultimo è contrassegnata dal testo di colore rosso.\nN.B.: max 65000 "
                     "caratteri inseribili."));
    }
};

QTEST_MAIN(TestFinestraNota)
#include "tst_finestranota.moc"
