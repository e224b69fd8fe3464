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

Q_DECLARE_METATYPE(Modello)

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
    void rispondi(int indice, Casella casella)
    {
        q.setCaricamento(true);
        q.setBox(indice, casella, true);
        q.setCaricamento(false);
    }

    void mostra()
    {
        nota.show();
        QVERIFY(QTest::qWaitForWindowExposed(&nota));
    }

    void clic(const char* pulsante)
    {
        QTest::mouseClick(nota.findChild<QPushButton*>(QString::fromLatin1(pulsante)), Qt::LeftButton);
    }

    QPlainTextEdit* testo() const { return nota.casellaTesto(); }
};

} // namespace

class TestFinestraNota : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aspetto_data();
    void aspetto();
    void notaConTestoDiventaRossa();
    void notaVuotaRitiraLaRisposta_data();
    void notaVuotaRitiraLaRisposta();
    void cancella();
    void aCapoMostratiEConservati();
    void incollaOltreIlLimite();
    void tastiAlLimite();
    void modalitaMembro();
    void chiusuraComeFine();
};

void TestFinestraNota::aspetto_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QString>("nome");
    QTest::newRow("Tradizionale") << Modello::Tradizionale << QStringLiteral("Nota_Trad");
    QTest::newRow("Dualistico") << Modello::Dualistico << QStringLiteral("Nota_Dual");
    QTest::newRow("Monistico") << Modello::Monistico << QStringLiteral("Nota_Mon");
}

void TestFinestraNota::aspetto()
{
    QFETCH(Modello, modello);
    QFETCH(QString, nome);
    Banco b(modello);
    QCOMPARE(b.nota.objectName(), nome);
    QCOMPARE(b.nota.windowTitle(), QStringLiteral("Nota allegata"));
    QCOMPARE(b.nota.findChild<QPushButton*>(QStringLiteral("Delete_Note"))->text(),
             QStringLiteral("Cancella"));
    QCOMPARE(b.nota.findChild<QPushButton*>(QStringLiteral("End_Note"))->text(), QStringLiteral("Fine"));
    QCOMPARE(b.nota.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral(
                 "Cliccando sul nome della nota in corrispondenza di ogni singolo gruppo di risposte, è "
                 "possibile visionare l'eventuale commento associato alla domanda. La presenza di "
                 "quest'ultimo è contrassegnata dal testo di colore rosso.\nN.B.: max 65000 caratteri "
                 "inseribili."));
    b.nota.preparaGruppo(78);
    QCOMPARE(b.nota.windowTitle(), QStringLiteral("Nota 10.u.1 - Testo associato"));
    b.nota.preparaGruppo(81);
    QCOMPARE(b.nota.windowTitle(), QStringLiteral("Nota 1.0.c - Testo associato"));
}

void TestFinestraNota::notaConTestoDiventaRossa()
{
    Banco b;
    b.rispondi(0, Casella::SI);
    b.nota.preparaGruppo(0);
    QCOMPARE(b.nota.windowTitle(), QStringLiteral("Nota 1.a - Testo associato"));
    b.mostra();
    QTest::keyClicks(b.testo(), QStringLiteral("abc"));
    b.clic("End_Note");
    QVERIFY(!b.nota.isVisible());
    QCOMPARE(b.q.notaSI(0), QStringLiteral("abc"));
    QVERIFY(b.q.segnoNota(0));
    // Reopened, it shows the note again.
    b.nota.preparaGruppo(0);
    QCOMPARE(b.testo()->toPlainText(), QStringLiteral("abc"));
}

void TestFinestraNota::notaVuotaRitiraLaRisposta_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<int>("casella");
    QTest::addColumn<QString>("digitato");
    QTest::newRow("SI of 1.a, empty") << 0 << int(Casella::SI) << QString();
    QTest::newRow("SI of 1.a, blanks") << 0 << int(Casella::SI) << QStringLiteral("   \n\t");
    QTest::newRow("NO of 2.a, empty") << 7 << int(Casella::NO) << QString();
}

void TestFinestraNota::notaVuotaRitiraLaRisposta()
{
    QFETCH(int, indice);
    QFETCH(int, casella);
    QFETCH(QString, digitato);
    Banco b;
    b.rispondi(indice, Casella(casella));
    b.nota.preparaGruppo(indice);
    b.mostra();
    b.testo()->insertPlainText(digitato);
    b.clic("End_Note");
    QCOMPARE(b.q.risposta(indice), Risposta::Nessuna);
    QVERIFY(!b.q.segnoNota(indice));
    QVERIFY(b.q.notaSI(indice).isEmpty() && b.q.notaAltre(indice).isEmpty());
    QVERIFY(b.testo()->toPlainText().isEmpty());
    // Withdrawing the answer must not reopen the editor.
    QVERIFY(b.finta.chiamate(QStringLiteral("nota")).isEmpty());
}

void TestFinestraNota::cancella()
{
    Banco b;
    b.rispondi(11, Casella::SI);
    b.q.setNotaSI(11, QStringLiteral("vecchia"));
    b.q.setSegnoNota(11, true);
    b.nota.preparaGruppo(11);
    b.mostra();
    b.clic("Delete_Note");
    QVERIFY(b.nota.isVisible());
    QVERIFY(b.testo()->toPlainText().isEmpty());
    QVERIFY(b.q.notaSI(11).isEmpty());
    // The label stays red until "Fine".
    QVERIFY(b.q.segnoNota(11));
    QTest::keyClicks(b.testo(), QStringLiteral("nuova"));
    b.clic("End_Note");
    QCOMPARE(b.q.notaSI(11), QStringLiteral("nuova"));
}

void TestFinestraNota::aCapoMostratiEConservati()
{
    Banco b;
    b.rispondi(50, Casella::NO);
    b.q.setNotaAltre(50, QStringLiteral("uno\ndue\r\ntre\rquattro"));
    b.nota.preparaGruppo(50);
    QCOMPARE(b.testo()->document()->blockCount(), 3);
    QCOMPARE(b.nota.testo(), QStringLiteral("uno\r\ndue\r\ntrequattro"));
    b.mostra();
    b.testo()->moveCursor(QTextCursor::End);
    QTest::keyClick(b.testo(), Qt::Key_Return);
    QTest::keyClicks(b.testo(), QStringLiteral("cinque"));
    b.clic("End_Note");
    QCOMPARE(b.q.notaAltre(50), QStringLiteral("uno\r\ndue\r\ntrequattro\r\ncinque"));
}

void TestFinestraNota::incollaOltreIlLimite()
{
    Banco b;
    b.rispondi(3, Casella::SI);
    b.nota.preparaGruppo(3);
    b.mostra();
    b.testo()->insertPlainText(QString(70000, u'x'));
    QCOMPARE(b.nota.lunghezza(), 65000);
    QCOMPARE(b.finta.messaggi.size(), 1);
    QCOMPARE(b.finta.messaggi[0].titolo, QStringLiteral("Warning"));
    QCOMPARE(b.finta.messaggi[0].testo,
             QStringLiteral(
                 "ATTENZIONE: la lunghezza della stringa inserita è maggiore di 65000:\r\ni caratteri in "
                 "eccesso verranno automaticamente cancellati. Verificare!!!"));
    // Line breaks count two characters, as the note is stored.
    b.testo()->setPlainText(QString(32000, u'a') + u'\n' + QString(32000, u'b') + u'\n' + QString(900, u'c'));
    QCOMPARE(b.nota.lunghezza(), 64904);
    QCOMPARE(b.finta.messaggi.size(), 1);
    b.testo()->moveCursor(QTextCursor::End);
    b.testo()->insertPlainText(QString(200, u'd'));
    QCOMPARE(b.nota.testo().size(), 65000);
    QCOMPARE(b.finta.messaggi.size(), 2);
    b.clic("End_Note");
    QCOMPARE(b.q.notaSI(3).size(), 65000);
}

void TestFinestraNota::tastiAlLimite()
{
    Banco b;
    b.rispondi(3, Casella::SI);
    b.nota.preparaGruppo(3);
    b.mostra();
    b.testo()->setPlainText(QString(64999, u'x'));
    b.testo()->moveCursor(QTextCursor::End);
    QTest::keyClick(b.testo(), Qt::Key_A);
    QCOMPARE(b.nota.lunghezza(), 65000);
    QVERIFY(b.finta.messaggi.isEmpty());
    QTest::keyClick(b.testo(), Qt::Key_B);
    QCOMPARE(b.nota.lunghezza(), 65000);
    QCOMPARE(b.finta.messaggi.size(), 1);
    QCOMPARE(
        b.finta.messaggi[0].testo,
        QStringLiteral(
            "ATTENZIONE: è stato raggiunto il numero massimo dei caratteri.\r\nOperazione annullata!!!"));
    QCOMPARE(b.finta.messaggi[0].titolo, QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0"));
    QCOMPARE(b.finta.messaggi[0].icona, Interazione::Icona::Nessuna);
    // Pasting by keyboard is refused at the limit too, with the same message.
    QGuiApplication::clipboard()->setText(QStringLiteral("zz"));
    QTest::keyClick(b.testo(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(b.nota.lunghezza(), 65000);
    QCOMPARE(b.finta.messaggi.size(), 2);
    QCOMPARE(b.finta.messaggi[1].testo, b.finta.messaggi[0].testo);
    // Backspace still works.
    QTest::keyClick(b.testo(), Qt::Key_Backspace);
    QCOMPARE(b.nota.lunghezza(), 64999);
    // The dagger never gets in.
    QKeyEvent pugnale(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x2020)));
    QCoreApplication::sendEvent(b.testo(), &pugnale);
    QCOMPARE(b.nota.lunghezza(), 64999);
}

void TestFinestraNota::modalitaMembro()
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
    QVERIFY(!b.q.notaMembro());

    b.nota.preparaMembro(2);
    QCOMPARE(b.nota.windowTitle(),
             QStringLiteral("Requisiti professionalità del MEMBRO 3 - Testo associato"));
    b.mostra();
    b.clic("End_Note");
    QCOMPARE(membri.cella(2, requisiti), QString());
    // Emptied again, the president's text clears its mark.
    b.nota.preparaMembro(0);
    b.mostra();
    b.clic("Delete_Note");
    b.clic("End_Note");
    QVERIFY(membri.requisiti(0).isEmpty());
    QCOMPARE(membri.cella(0, requisiti), QString());
    // Member notes never touch the question notes.
    for (int i = 0; i < numeroIndici; ++i)
        QVERIFY(b.q.notaSI(i).isEmpty() && b.q.notaAltre(i).isEmpty());
}

void TestFinestraNota::chiusuraComeFine()
{
    Banco b;
    b.nota.preparaMembro(1);
    b.mostra();
    QTest::keyClicks(b.testo(), QStringLiteral("testo"));
    b.nota.close();
    QVERIFY(!b.nota.isVisible());
    QVERIFY(!b.q.notaMembro());
    QCOMPARE(b.q.membri().requisiti(1), QStringLiteral("testo"));
    // Escape too.
    b.nota.preparaMembro(2);
    b.mostra();
    QTest::keyClicks(b.testo(), QStringLiteral("altro"));
    QTest::keyClick(b.testo(), Qt::Key_Escape);
    QVERIFY(!b.nota.isVisible());
    QCOMPARE(b.q.membri().requisiti(2), QStringLiteral("altro"));
}

QTEST_MAIN(TestFinestraNota)
#include "tst_finestranota.moc"
