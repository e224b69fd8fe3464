// The version 1.1 reader over a corpus of files made for its rules, and the version 1.1 catalogue.
#include "legacy/letturav11.h"

#include <QTest>

Q_DECLARE_METATYPE(RisultatoV11::Esito)
Q_DECLARE_METATYPE(Risposta)

namespace {

using Esito = RisultatoV11::Esito;

// Everything the content holds that is not empty, one line each, named as the viewer's controls.
QStringList istantanea(const ContenutoV11& c)
{
    QStringList righe;
    for (int i = 0; i < numeroCampiGeneraliV11; ++i) {
        if (!c.campiGenerali[i].isEmpty())
            righe << QStringLiteral("TEXT_GENERALE_%1=%2").arg(i).arg(c.campiGenerali[i]);
    }
    for (int k = 0; k < numeroMinoranzeV11; ++k) {
        if (c.minoranze[k])
            righe << QStringLiteral("CHECK_MINORANZE_%1").arg(k);
    }
    for (int k = 0; k < numeroConteggiV11; ++k) {
        if (!c.conteggi[k].isEmpty())
            righe << QStringLiteral("TEXT_%1=%2").arg(k).arg(c.conteggi[k]);
    }
    for (int g = 0; g < numeroGruppiV11; ++g) {
        if (c.risposte[g] != Risposta::Nessuna) {
            const char* casella = c.risposte[g] == Risposta::SI   ? "SI"
                                  : c.risposte[g] == Risposta::NO ? "NO"
                                                                  : "NA";
            righe << QStringLiteral("Check_%1_%2").arg(QLatin1String(casella)).arg(g);
        }
        if (c.segniNota[g])
            righe << QStringLiteral("Label_NOTA_%1 rossa").arg(g);
        if (!c.noteSIV11[g].isEmpty())
            righe << QStringLiteral("noteSIV11_%1=%2").arg(g).arg(c.noteSIV11[g]);
        if (!c.noteAltreV11[g].isEmpty())
            righe << QStringLiteral("noteAltreV11_%1=%2").arg(g).arg(c.noteAltreV11[g]);
    }
    righe.sort();
    return righe;
}

// The content the viewer held before the read: a previous file's values of every kind.
ContenutoV11 precedente()
{
    ContenutoV11 c;
    c.campiGenerali[0] = QStringLiteral("Vecchia S.p.A.");
    c.minoranze[1] = true;
    c.conteggi = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    c.risposte[5] = Risposta::SI;
    c.segniNota[5] = true;
    c.noteSIV11[5] = QStringLiteral("vecchia nota");
    c.noteAltreV11[40] = QStringLiteral("altra nota");
    return c;
}

// What survives the emptying before a read, plus what the file stored.
QStringList conservatiE(QStringList letti)
{
    const QStringList conservati{QStringLiteral("TEXT_0=1"), QStringLiteral("TEXT_1=2"),
                                 QStringLiteral("TEXT_2=3"), QStringLiteral("noteSIV11_5=vecchia nota"),
                                 QStringLiteral("noteAltreV11_40=altra nota")};
    for (const QString& riga : conservati) {
        const QString chiave = riga.section(u'=', 0, 0);
        if (!letti.contains(riga) && !std::any_of(letti.cbegin(), letti.cend(), [&](const QString& l) {
                return l.section(u'=', 0, 0) == chiave;
            }))
            letti << riga;
    }
    letti.sort();
    return letti;
}

} // namespace

class TestLetturaV11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lettura_data();
    void lettura();
    void fileMancante();
    void normalizzaAccenti_data();
    void normalizzaAccenti();
    void titolo_data();
    void titolo();
    void catalogo();
    void differenzeDalTradizionale_data();
    void differenzeDalTradizionale();
    void aperturaNota_data();
    void aperturaNota();
    void noteNelVisore();
};

void TestLetturaV11::lettura_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Esito>("esito");
    QTest::addColumn<int>("rigaErrore");
    QTest::addColumn<QStringList>("atteso");

    QTest::newRow("completo")
        << "completo.xml" << Esito::Letto << 0
        << conservatiE({
               "TEXT_GENERALE_0=Ombrisa Industrie S.p.A.",
               "TEXT_GENERALE_1=01234567890",
               "TEXT_GENERALE_2=31",
               "TEXT_GENERALE_3=12",
               "TEXT_GENERALE_4=2004",
               "TEXT_GENERALE_5=Via della Libertà 1, Città di Castello",
               "TEXT_GENERALE_6=Tel. 075 1234567 (E' attivo dalle 9)",
               "TEXT_GENERALE_7=referente@ombrisa.it",
               "TEXT_GENERALE_8=Mario Rossi",
               "TEXT_GENERALE_9=RSSMRA50A01H501U",
               "TEXT_GENERALE_10=1",
               "TEXT_GENERALE_11=0",
               "TEXT_GENERALE_12=3",
               "TEXT_GENERALE_13=Nicolò Bianchi",
               "TEXT_GENERALE_14=BNCNCL60B02G478Z",
               "TEXT_GENERALE_33=5",
               "TEXT_GENERALE_34=01",
               "TEXT_GENERALE_35=05",
               "TEXT_GENERALE_36=2004",
               "TEXT_0=4",
               "TEXT_1=12",
               "TEXT_2=7", // from the line "TEXT_GENERALE-2 7"
               "CHECK_MINORANZE_0",
               "CHECK_MINORANZE_4",
               "Check_SI_0",
               "Label_NOTA_0 rossa",
               "noteSIV11_0=Cessione di un ramo d'azienda alla controllata Beta S.r.l. per 3 "
               "milioni di €.",
               "Check_NO_1",
               "Check_SI_3",
               "Label_NOTA_3 rossa",
               "noteSIV11_3=Prima riga della nota\r\nseconda riga, con una parentesi > che non "
               "chiude nulla\r\nterza riga",
               "Check_NO_6",
               "Label_NOTA_6 rossa",
               "noteAltreV11_6=Operazione con parte correlata: perche' il prezzo\r\ne' congruo",
               "Check_NO_7",
               "Label_NOTA_7 rossa",
               "noteAltreV11_7=Mancano i dati ’di sintesi’",
               "Check_NA_8", // its note marks the label but is not kept
               "Label_NOTA_8 rossa",
               "Label_NOTA_9 rossa", // "si" is no answer
               "Check_NA_15",
               "Check_NA_16",
               "Check_NO_48", // a note of the marker alone is no note
               "Check_SI_71",
               "Label_NOTA_71 rossa",
               "noteSIV11_71=ok",
           });
    QTest::newRow("riga 4 QUESTIONARIO, a capo LF e CR")
        << "solo-questionario.xml" << Esito::Letto << 0
        << conservatiE({"Check_SI_2", "Label_NOTA_2 rossa", "noteSIV11_2=Nota già scritta", "Check_NO_12"});
    QTest::newRow("senza QUESTIONARIO")
        << "senza-questionario.xml" << Esito::FileIlleggibile << 6
        << conservatiE({"TEXT_GENERALE_0=Alfa S.p.A.", "TEXT_1=9</SchedaRiepilogativa>"});
    QTest::newRow("campo 37") << "campo-fuori-intervallo.xml" << Esito::FileIlleggibile << 5
                              << conservatiE({"TEXT_GENERALE_0=Alfa S.p.A."});
    QTest::newRow("gruppo 72") << "gruppo-fuori-intervallo.xml" << Esito::FileIlleggibile << 7
                               << conservatiE({"TEXT_GENERALE_0=Alfa S.p.A.", "Check_NO_70",
                                               "Label_NOTA_70 rossa", "noteAltreV11_70=Nota del gruppo 70"});
    QTest::newRow("gruppo non numerico")
        << "gruppo-non-numerico.xml" << Esito::FileIlleggibile << 6 << conservatiE({"Check_SI_4"});
    QTest::newRow("minoranza non numerica")
        << "minoranza-non-numerica.xml" << Esito::FileIlleggibile << 5 << conservatiE({"CHECK_MINORANZE_2"});
    QTest::newRow("domanda senza secondo trattino")
        << "senza-secondo-trattino.xml" << Esito::FileIlleggibile << 6 << conservatiE({"Check_NO_10"});
    QTest::newRow("nota mai chiusa") << "nota-non-chiusa.xml" << Esito::FileIlleggibile << 9
                                     << conservatiE({"Check_SI_11", "Label_NOTA_11 rossa",
                                                     "noteSIV11_11=Denuncia ricevuta"});
    QTest::newRow("codifica sconosciuta")
        << "codifica-sconosciuta.xml" << Esito::FileIlleggibile << 0 << conservatiE({});
}

void TestLetturaV11::lettura()
{
    QFETCH(QString, file);
    QFETCH(Esito, esito);
    QFETCH(int, rigaErrore);
    QFETCH(QStringList, atteso);

    const RisultatoV11 r = leggiFileV11(QStringLiteral(DATI_TEST "/v11/") + file, precedente());
    QCOMPARE(r.esito, esito);
    QCOMPARE(r.letto(), esito == Esito::Letto);
    QCOMPARE(r.rigaErrore, rigaErrore);
    QCOMPARE(istantanea(r.contenuto), atteso);
}

void TestLetturaV11::fileMancante()
{
    const RisultatoV11 r = leggiFileV11(QStringLiteral(DATI_TEST "/v11/mancante.xml"), precedente());
    QCOMPARE(r.esito, Esito::FileMancante);
    QVERIFY(r.contenuto == precedente()); // nothing changed, not even emptied
    QCOMPARE(leggiFileV11(QStringLiteral(DATI_TEST "/v11"), {}).esito, Esito::FileMancante); // a folder

    const MessaggioV11 m = messaggioFileMancanteV11();
    QCOMPARE(m.testo,
             QStringLiteral("ATTENZIONE: impossibile aprire il file.\r\nVerificare che il nome del file "
                            "sia corretto e che abbia\r\nun'estensione \"xml.\" Operazione annullata!!!"));
    QCOMPARE(m.titolo, QStringLiteral("Errore"));
    QCOMPARE(m.pulsanti, Interazione::Pulsanti::Ok);
    QCOMPARE(m.icona, Interazione::Icona::Critica);
}

void TestLetturaV11::normalizzaAccenti_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("tutte") << "la' perche' cosi' cio' piu'"
                           << "là perchè così ciò più";
    QTest::newRow("maiuscole lasciate") << "E' A' PIU'"
                                        << "E' A' PIU'";
    QTest::newRow("apostrofo dopo consonante") << "dell'impresa d'"
                                               << "dell'impresa d'";
    QTest::newRow("due apostrofi") << "a''"
                                   << "à'";
}

void TestLetturaV11::normalizzaAccenti()
{
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QCOMPARE(::normalizzaAccenti(testo), atteso);
}

void TestLetturaV11::titolo_data()
{
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QString>("cartella");
    QTest::addColumn<QString>("mostrato");
    QTest::newRow("nella cartella") << "/opt/scheda/vecchia.xml"
                                    << "/opt/scheda"
                                    << "vecchia.xml";
    QTest::newRow("cartella con barra finale") << "/opt/scheda/vecchia.xml"
                                               << "/opt/scheda/"
                                               << "vecchia.xml";
    QTest::newRow("sottocartella") << "/opt/scheda/archivio/2004.xml"
                                   << "/opt/scheda"
                                   << "archivio/2004.xml";
    QTest::newRow("altrove") << "/home/anna/2004.xml"
                             << "/opt/scheda"
                             << "/home/anna/2004.xml";
    QTest::newRow("cartella dal nome simile") << "/opt/scheda2/x.xml"
                                              << "/opt/scheda"
                                              << "/opt/scheda2/x.xml";
}

void TestLetturaV11::titolo()
{
    QFETCH(QString, percorso);
    QFETCH(QString, cartella);
    QFETCH(QString, mostrato);
    QCOMPARE(titoloVisoreV11(percorso, cartella),
             QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 1.1 - ") + mostrato);
}

void TestLetturaV11::catalogo()
{
    const Catalogo& c = catalogoV11();
    const QList<QList<int>> attese{
        {},
        {-1, 0, 1, 2, 3, -1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
        {15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
        {32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47},
        {48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61},
        {62, 63, 64, 65, 66, 67, 68, 69, 70, 71},
    };
    for (int p = 0; p < numeroPagine; ++p) {
        QList<int> indici;
        for (const RigaPagina& r : c.pagine[p].righe)
            indici << r.indice;
        QCOMPARE(indici, attese[p]);
    }
    QCOMPARE(c.pagine[1].righe[0].numeroEtichetta, 0);
    QCOMPARE(c.pagine[1].righe[5].numeroEtichetta, 5);
    QCOMPARE(c.pagine[1].righe[5].intestazione,
             QStringLiteral(
                 "Sono state effettuate altre operazioni infragruppo e con parti correlate aventi natura "
                 "ordinaria o ricorrente"));
    QCOMPARE(c.pagine[5].righe.last().numeroEtichetta, 73);
    QCOMPARE(c.pagine[4].testoIniziale, QStringLiteral("La relazione contiene:"));
    QCOMPARE(c.pagine[3].intestazione, QStringLiteral("Riquadro II - ADESIONE AL CODICE DI AUTODISCIPLINA"));
    for (int i = numeroGruppiV11; i < numeroIndici; ++i)
        QVERIFY(!c.domande[i].presente);
    QCOMPARE(c.domande[38].campoConteggio, 1);
    QVERIFY(!c.domande[4].etichettaNotaVisibile);
    QCOMPARE(c.domande[4].etichettaNota, QStringLiteral("NO"));
}

void TestLetturaV11::differenzeDalTradizionale_data()
{
    QTest::addColumn<int>("gruppo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("offreNA");
    QTest::addColumn<QString>("nota");
    QTest::newRow("7")
        << 7
        << "L'informativa resa dagli amministratori nella relazione sulla gestione rispetto a quanto "
           "previsto dalle Comunicazioni Tamrel in materia di controlli societari risulta:"
        << false << "Nota 2.a";
    QTest::newRow("16")
        << 16
        << "Sono stati esaminati gli eventuali incarichi conferiti a soggetti legati alla società "
           "incaricata della revisione da rapporti continuativi e valutati i relativi costi? (cfr. "
           "Com. Tamrel 3558 - 18.4.96)"
        << true << "Nota 6.a";
    QTest::newRow("45")
        << 45
        << "Il Comitato esecutivo e/o gli amministratori delegati rendono periodicamente conto al "
           "Cda delle attività svolte nell'esercizio delle deleghe?"
        << true << "NO";
    QTest::newRow("48")
        << 48
        << "Le considerazioni sulle operazioni di maggior rilievo economico, finanziario e "
           "patrimoniale effettuate dalla società e sulla loro conformità alla legge o all'atto "
           "costitutivo e che tali operazioni non siano manifestamente imprudenti o azzardate, in "
           "potenziale conflitto di interessi, in contrasto con le delibere assunte dall'assemblea o "
           "tali da compromettere l'integrità del patrimonio aziendale?"
        << false << "Nota 10.a";
    QTest::newRow("60")
        << 60
        << "Le indicazioni sulla presenza ovvero l'assenza di incarichi conferiti a soggetti legati "
           "alla società incaricata della revisione da rapporti continuativi ed i relativi costi?"
        << false << "Nota 10.m";
    QTest::newRow("0, come il tradizionale")
        << 0 << QString(48, u' ') + "società infragruppo" << false << "Nota 1.a";
}

void TestLetturaV11::differenzeDalTradizionale()
{
    QFETCH(int, gruppo);
    QFETCH(QString, testo);
    QFETCH(bool, offreNA);
    QFETCH(QString, nota);
    const Domanda& d = catalogoV11().domande[gruppo];
    QCOMPARE(d.testo, testo);
    QCOMPARE(d.offreNA, offreNA);
    QCOMPARE(d.etichettaNota, nota);
    QCOMPARE(d.didascaliaSI, gruppo == 7 ? QStringLiteral("Adeguata") : QStringLiteral("Si"));
}

void TestLetturaV11::aperturaNota_data()
{
    QTest::addColumn<int>("gruppo");
    QTest::addColumn<Risposta>("risposta");
    QTest::addColumn<bool>("rossa");
    QTest::addColumn<bool>("apre");
    QTest::newRow("3 Si") << 3 << Risposta::SI << false << true;
    QTest::newRow("3 No") << 3 << Risposta::NO << false << false;
    QTest::newRow("16 Si") << 16 << Risposta::SI << false << true;
    QTest::newRow("17 Si") << 17 << Risposta::SI << false << false;
    QTest::newRow("18 Si") << 18 << Risposta::SI << false << true;
    QTest::newRow("7 Inadeguata") << 7 << Risposta::NO << false << true;
    QTest::newRow("20 No") << 20 << Risposta::NO << false << true;
    QTest::newRow("20 N/A") << 20 << Risposta::NA << false << false;
    QTest::newRow("28 Si") << 28 << Risposta::SI << false << true;
    QTest::newRow("30 Si, solo con testo") << 30 << Risposta::SI << false << false;
    QTest::newRow("30 rossa") << 30 << Risposta::Nessuna << true << true;
    QTest::newRow("43 Si") << 43 << Risposta::SI << false << true;
    QTest::newRow("48 No") << 48 << Risposta::NO << false << true;
    QTest::newRow("71 No") << 71 << Risposta::NO << false << true;
    QTest::newRow("71 Si") << 71 << Risposta::SI << false << false;
    QTest::newRow("8 N/A rossa") << 8 << Risposta::NA << true << true;
}

void TestLetturaV11::aperturaNota()
{
    QFETCH(int, gruppo);
    QFETCH(Risposta, risposta);
    QFETCH(bool, rossa);
    QFETCH(bool, apre);
    ContenutoV11 c;
    c.risposte[gruppo] = risposta;
    c.segniNota[gruppo] = rossa;
    QCOMPARE(notaApribileV11(c, gruppo), apre);
}

void TestLetturaV11::noteNelVisore()
{
    ContenutoV11 c;
    c.risposte[3] = Risposta::SI;
    c.noteSIV11[3] = QStringLiteral("uno\ndue");
    c.noteAltreV11[3] = QStringLiteral("altra");
    QCOMPARE(testoNotaV11(c, 3), QStringLiteral("uno\r\ndue"));
    fineNotaV11(c, 3, QStringLiteral("nuova"));
    QCOMPARE(c.noteSIV11[3], QStringLiteral("nuova"));
    QVERIFY(c.segniNota[3]);
    fineNotaV11(c, 3, QStringLiteral(" \r\n\t"));
    QCOMPARE(c.noteSIV11[3], QString());
    QVERIFY(!c.segniNota[3]);
    QCOMPARE(c.risposte[3], Risposta::SI); // the answer stays
    QCOMPARE(c.noteAltreV11[3], QStringLiteral("altra"));

    c.risposte[3] = Risposta::NA; // any answer but SI edits the other slot
    QCOMPARE(testoNotaV11(c, 3), QStringLiteral("altra"));
    cancellaNotaV11(c, 3);
    QCOMPARE(c.noteAltreV11[3], QString());
}

QTEST_GUILESS_MAIN(TestLetturaV11)
#include "tst_letturav11.moc"
