// The version 1.1 reader over files made for its rules, and the version 1.1 catalogue.
#include "legacy/letturav11.h"

#include <QTest>

using Esito = RisultatoV11::Esito;

namespace {

// Everything the content holds that is not empty, one line each, named as the viewer's controls; sorted.
QStringList istantanea(const ContenutoV11& c)
{
    QStringList righe;
    for (int i = 0; i < numeroCampiGeneraliV11; ++i)
        righe << "TEXT_GENERALE_" + QString::number(i) + '=' + c.campiGenerali[i];
    for (int k = 0; k < numeroMinoranzeV11; ++k)
        righe << (c.minoranze[k] ? "CHECK_MINORANZE_" + QString::number(k) : QString());
    for (int k = 0; k < numeroConteggiV11; ++k)
        righe << "TEXT_" + QString::number(k) + '=' + c.conteggi[k];
    for (int g = 0; g < numeroGruppiV11; ++g) {
        const QString n = QString::number(g), caselle[] = {"", "Check_SI_", "Check_NO_", "Check_NA_"};
        righe << (c.risposte[g] == Risposta::Nessuna ? QString() : caselle[int(c.risposte[g])] + n)
              << (c.segniNota[g] ? "Label_NOTA_" + n + " rossa" : QString())
              << "noteSIV11_" + n + '=' + c.noteSIV11[g] << "noteAltreV11_" + n + '=' + c.noteAltreV11[g];
    }
    righe.removeIf([](const QString& r) { return r.isEmpty() || r.endsWith(u'='); }); // nothing in it
    righe.sort();
    return righe;
}

// Lines 1 to 3, which the reader skips.
const QByteArray inizio =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SchedaRiepilogativa versione=\"1.1\">\nScheda\n";

} // namespace

class TestLetturaV11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lettura_data()
    {
        QTest::addColumn<QByteArray>("dati"); // a file's bytes, or the name of a file in tests/dati/v11
        QTest::addColumn<Esito>("esito");
        QTest::addColumn<int>("rigaErrore");
        QTest::addColumn<QStringList>("letti");
        const auto riga = [](const char* nome, const QByteArray& dati, Esito esito, int rigaErrore,
                             const QStringList& letti) {
            QTest::newRow(nome) << dati << esito << rigaErrore << letti;
        };
        // In windows-1252 with CR LF; "TEXT_GENERALE-2 7" is a count line; the note of 8 (N/A) marks the
        // label but is not kept; "si" is no answer; a note of the marker alone is none; a ">" line ends it.
        const QString nota3 =
            "noteSIV11_3=Prima riga, perche' no\r\nseconda riga, con una parentesi > che non "
            "chiude nulla\r\nterza riga";
        riga("completo", "completo.xml", Esito::Letto, 0,
             QStringList{"TEXT_GENERALE_0=Ombrisa Industrie S.p.A.", "TEXT_GENERALE_2=31",
                         "TEXT_GENERALE_5=Via della Libertà 1, Città di Castello",
                         "TEXT_GENERALE_6=Tel. 075 1234567 (E' attivo dalle 9)",
                         "TEXT_GENERALE_13=Nicolò Bianchi", "TEXT_GENERALE_36=2004", "TEXT_1=12", "TEXT_2=7",
                         "CHECK_MINORANZE_0", "CHECK_MINORANZE_4", "Check_SI_0"} +
                 QStringList{"Label_NOTA_0 rossa",
                             "noteSIV11_0=Cessione di un ramo d'azienda per 3 milioni di €.", "Check_NO_1",
                             "Check_SI_3", "Label_NOTA_3 rossa", nota3, "Check_NO_7", "Label_NOTA_7 rossa",
                             "noteAltreV11_7=Mancano i dati ’di sintesi’", "Check_NA_8", "Label_NOTA_8 rossa",
                             "Label_NOTA_9 rossa", "Check_NA_16", "Check_NO_48"});
        riga(
            "riga 4 QUESTIONARIO, a capo LF e CR, UTF-8",
            "<?xml version=\"1.0\"?>\n<S>\n\nQUESTIONARIO\n2 - Si - gi\xc3\xa0#||#\r7 - Adeguata - \r12 - No - \n",
            Esito::Letto, 0,
            {"Check_SI_2", "Label_NOTA_2 rossa", "noteSIV11_2=già", "Check_SI_7", "Check_NO_12"});
        const Esito rotto = Esito::FileIlleggibile;
        const QByteArray domande = inizio + "QUESTIONARIO\n";
        riga("senza QUESTIONARIO", inizio + "TEXT-1 9</S>\n", rotto, 5, {"TEXT_1=9</S>"});
        riga("campo 37", inizio + "0 - A\n37 - x\n1 - 0\nQUESTIONARIO\n", rotto, 5, {"TEXT_GENERALE_0=A"});
        riga("gruppo 72", domande + "70 - No - \n72 - Si - \n71 - Si - \n", rotto, 6, {"Check_NO_70"});
        riga("gruppo non numerico", domande + "4 - Si - \n5a - No - \n6 - No - \n", rotto, 6, {"Check_SI_4"});
        riga("minoranza 3x", inizio + "CHECK-21\nCHECK-3x\nCHECK-41\n", rotto, 5, {"CHECK_MINORANZE_2"});
        riga("domanda senza secondo trattino", domande + "10 - No - \n11 - Si\n", rotto, 6, {"Check_NO_10"});
        riga("nota mai chiusa: 13 runs over the closing tag to the end", "nota-non-chiusa.xml", rotto, 9,
             {"Check_SI_11", "Label_NOTA_11 rossa", "noteSIV11_11=Denuncia ricevuta"});
        riga("codifica sconosciuta", "<?xml version=\"1.0\" encoding=\"x-nessuna\"?>\n", rotto, 0, {});
        riga("file mancante: nothing changed, not even emptied", "mancante.xml", Esito::FileMancante, 0,
             {"TEXT_GENERALE_1=1", "CHECK_MINORANZE_3", "Check_SI_5", "Label_NOTA_5 rossa"});
    }
    void lettura()
    {
        QFETCH(QByteArray, dati);
        QFETCH(QStringList, letti);
        // The viewer's content before: a value of every kind, none that a file sets; the emptying before a
        // read keeps the counts and the notes.
        ContenutoV11 prima;
        prima.campiGenerali[1] = prima.conteggi[0] = "1";
        prima.minoranze[3] = prima.segniNota[5] = true;
        prima.risposte[5] = Risposta::SI;
        prima.noteSIV11[5] = prima.noteAltreV11[40] = "nota";
        const RisultatoV11 r = dati.startsWith('<') ? analizzaV11(dati, prima)
                                                    : leggiFileV11(DATI_TEST "/v11/" + QString(dati), prima);
        QTEST(r.esito, "esito");
        QTEST(r.rigaErrore, "rigaErrore");
        letti += QStringList{"TEXT_0=1", "noteSIV11_5=nota", "noteAltreV11_40=nota"};
        letti.sort();
        QCOMPARE(istantanea(r.contenuto), letti);
    }

    void catalogoEMessaggio()
    {
        const Messaggio m = messaggioFileMancanteV11();
        QVERIFY(m.titolo == "Errore" && m.pulsanti == Interazione::Pulsanti::Ok &&
                m.icona == Interazione::Icona::Critica);
        // The traditional rows without 72 to 81: groups in index order, a heading (-1) before 0 and before 4.
        const Catalogo& c = catalogoV11();
        QList<int> righe, attese{-1, 0, 1, 2, 3, -1};
        for (const PaginaCatalogo& pagina : c.pagine)
            for (const RigaPagina& r : pagina.righe)
                righe << r.indice;
        for (int g = 4; g < numeroGruppiV11; ++g)
            attese << g;
        QCOMPARE(righe, attese);
        // Version 1.1 texts differ from the traditional model's, by a letter here.
        QCOMPARE(c.domande[45].testo,
                 "Il Comitato esecutivo e/o gli amministratori delegati rendono periodicamente "
                 "conto al Cda delle attività svolte nell'esercizio delle deleghe?");
        // A click opens a note without text on the answer its group names: 20 on No, 43 on Si; not 28 on
        // N/A, nor 30 on Si, which opens only with a text (the viewer test clicks the others).
        ContenutoV11 v;
        v.risposte[20] = Risposta::NO;
        v.risposte[28] = Risposta::NA;
        v.risposte[30] = v.risposte[43] = Risposta::SI;
        QCOMPARE((QList<bool>{notaApribileV11(v, 20), notaApribileV11(v, 28), notaApribileV11(v, 30),
                              notaApribileV11(v, 43)}),
                 (QList<bool>{true, false, false, true}));
    }
};

QTEST_GUILESS_MAIN(TestLetturaV11)
#include "tst_letturav11.moc"
