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
    const auto testo = [&](const QString& nome, int i, const QString& valore) {
        if (!valore.isEmpty())
            righe << QStringLiteral("%1_%2=%3").arg(nome).arg(i).arg(valore);
    };
    for (int i = 0; i < numeroCampiGeneraliV11; ++i)
        testo(QStringLiteral("TEXT_GENERALE"), i, c.campiGenerali[i]);
    for (int k = 0; k < numeroMinoranzeV11; ++k) {
        if (c.minoranze[k])
            righe << QStringLiteral("CHECK_MINORANZE_%1").arg(k);
    }
    for (int k = 0; k < numeroConteggiV11; ++k)
        testo(QStringLiteral("TEXT"), k, c.conteggi[k]);
    for (int g = 0; g < numeroGruppiV11; ++g) {
        const QStringList caselle{QString(), "SI", "NO", "NA"};
        if (c.risposte[g] != Risposta::Nessuna)
            righe << QStringLiteral("Check_%1_%2").arg(caselle[int(c.risposte[g])]).arg(g);
        if (c.segniNota[g])
            righe << QStringLiteral("Label_NOTA_%1 rossa").arg(g);
        testo(QStringLiteral("noteSIV11"), g, c.noteSIV11[g]);
        testo(QStringLiteral("noteAltreV11"), g, c.noteAltreV11[g]);
    }
    righe.sort();
    return righe;
}

// The content the viewer held before the read: a value of every kind, none that a file of the corpus sets.
ContenutoV11 precedente()
{
    ContenutoV11 c;
    c.campiGenerali[1] = QStringLiteral("99999999999");
    c.minoranze[3] = true;
    c.conteggi[0] = QStringLiteral("1");
    c.risposte[5] = Risposta::SI;
    c.segniNota[5] = true;
    c.noteSIV11[5] = QStringLiteral("vecchia nota");
    c.noteAltreV11[40] = QStringLiteral("altra nota");
    return c;
}

// What the emptying before a read leaves of precedente().
const QStringList conservati{"TEXT_0=1", "noteSIV11_5=vecchia nota", "noteAltreV11_40=altra nota"};

} // namespace

class TestLetturaV11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lettura_data();
    void lettura();
    void messaggioFileMancante();
    void catalogo();
    void aperturaNota_data();
    void aperturaNota();
};

void TestLetturaV11::lettura_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Esito>("esito");
    QTest::addColumn<int>("rigaErrore");
    QTest::addColumn<QStringList>("letti");

    QTest::newRow("completo")
        << "completo.xml" << Esito::Letto << 0
        << QStringList{
               "TEXT_GENERALE_0=Ombrisa Industrie S.p.A.",
               "TEXT_GENERALE_2=31",
               "TEXT_GENERALE_5=Via della Libertà 1, Città di Castello",
               "TEXT_GENERALE_6=Tel. 075 1234567 (E' attivo dalle 9)",
               "TEXT_GENERALE_13=Nicolò Bianchi",
               "TEXT_GENERALE_36=2004",
               "TEXT_1=12",
               "TEXT_2=7", // "TEXT_GENERALE-2 7" is a count line
               "CHECK_MINORANZE_0",
               "CHECK_MINORANZE_4",
               "Check_SI_0",
               "Label_NOTA_0 rossa",
               "noteSIV11_0=Cessione di un ramo d'azienda per 3 milioni di €.",
               "Check_NO_1",
               "Check_SI_3",
               "Label_NOTA_3 rossa",
               "noteSIV11_3=Prima riga, perche' no\r\nseconda riga, con una parentesi > che non "
               "chiude nulla\r\nterza riga",
               "Check_NO_7",
               "Label_NOTA_7 rossa",
               "noteAltreV11_7=Mancano i dati ’di sintesi’",
               "Check_NA_8", // its note marks the label but is not kept
               "Label_NOTA_8 rossa",
               "Label_NOTA_9 rossa", // "si" is no answer
               "Check_NA_16",
               "Check_NO_48", // a note of the marker alone is no note
           };
    QTest::newRow("riga 4 QUESTIONARIO, a capo LF e CR")
        << "solo-questionario.xml" << Esito::Letto << 0
        << QStringList{"Check_SI_2", "Label_NOTA_2 rossa", "noteSIV11_2=Nota già scritta", "Check_NO_12"};
    QTest::newRow("senza QUESTIONARIO")
        << "senza-questionario.xml" << Esito::FileIlleggibile << 6
        << QStringList{"TEXT_GENERALE_0=Alfa S.p.A.", "TEXT_1=9</SchedaRiepilogativa>"};
    QTest::newRow("campo 37") << "campo-fuori-intervallo.xml" << Esito::FileIlleggibile << 5
                              << QStringList{"TEXT_GENERALE_0=Alfa S.p.A."};
    QTest::newRow("gruppo 72") << "gruppo-fuori-intervallo.xml" << Esito::FileIlleggibile << 7
                               << QStringList{"TEXT_GENERALE_0=Alfa S.p.A.", "Check_NO_70",
                                              "Label_NOTA_70 rossa", "noteAltreV11_70=Nota del gruppo 70"};
    QTest::newRow("gruppo non numerico")
        << "gruppo-non-numerico.xml" << Esito::FileIlleggibile << 6 << QStringList{"Check_SI_4"};
    QTest::newRow("minoranza non numerica")
        << "minoranza-non-numerica.xml" << Esito::FileIlleggibile << 5 << QStringList{"CHECK_MINORANZE_2"};
    QTest::newRow("domanda senza secondo trattino")
        << "senza-secondo-trattino.xml" << Esito::FileIlleggibile << 6 << QStringList{"Check_NO_10"};
    QTest::newRow("nota mai chiusa") << "nota-non-chiusa.xml" << Esito::FileIlleggibile << 9
                                     << QStringList{"Check_SI_11", "Label_NOTA_11 rossa",
                                                    "noteSIV11_11=Denuncia ricevuta"};
    QTest::newRow("codifica sconosciuta")
        << "codifica-sconosciuta.xml" << Esito::FileIlleggibile << 0 << QStringList{};
    // Nothing changed, not even emptied.
    QTest::newRow("file mancante") << "mancante.xml" << Esito::FileMancante << 0
                                   << QStringList{"TEXT_GENERALE_1=99999999999", "CHECK_MINORANZE_3",
                                                  "Check_SI_5", "Label_NOTA_5 rossa"};
}

void TestLetturaV11::lettura()
{
    QFETCH(QString, file);
    QFETCH(Esito, esito);
    QFETCH(int, rigaErrore);
    QFETCH(QStringList, letti);

    const RisultatoV11 r = leggiFileV11(QStringLiteral(DATI_TEST "/v11/") + file, precedente());
    QCOMPARE(r.esito, esito);
    QCOMPARE(r.letto(), esito == Esito::Letto);
    QCOMPARE(r.rigaErrore, rigaErrore);
    QStringList atteso = letti + conservati;
    atteso.sort();
    QCOMPARE(istantanea(r.contenuto), atteso);
}

void TestLetturaV11::messaggioFileMancante()
{
    const Messaggio m = messaggioFileMancanteV11();
    QCOMPARE(m.testo,
             QStringLiteral("ATTENZIONE: impossibile aprire il file.\r\nVerificare che il nome del file "
                            "sia corretto e che abbia\r\nun'estensione \"xml.\" Operazione annullata!!!"));
    QCOMPARE(m.titolo, QStringLiteral("Errore"));
    QCOMPARE(m.pulsanti, Interazione::Pulsanti::Ok);
    QCOMPARE(m.icona, Interazione::Icona::Critica);
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
    QCOMPARE(c.pagine[1].righe[5].numeroEtichetta, 5);
    QCOMPARE(c.pagine[5].righe.last().numeroEtichetta, 73);
    for (int i = numeroGruppiV11; i < numeroIndici; ++i)
        QVERIFY(!c.domande[i].presente);

    // Version 1.1 against the traditional model: other texts, "N/A" on 16, the label of 48.
    QCOMPARE(c.domande[7].testo,
             QStringLiteral("L'informativa resa dagli amministratori nella relazione sulla "
                            "gestione rispetto a quanto previsto dalle Comunicazioni Tamrel in "
                            "materia di controlli societari risulta:"));
    QCOMPARE(c.domande[45].testo,
             QStringLiteral("Il Comitato esecutivo e/o gli amministratori delegati rendono "
                            "periodicamente conto al Cda delle attività svolte nell'esercizio "
                            "delle deleghe?"));
    QCOMPARE(c.domande[7].didascaliaNO, QStringLiteral("Inadeguata"));
    QVERIFY(c.domande[16].offreNA);
    QCOMPARE(c.domande[48].etichettaNota, QStringLiteral("Nota 10.a"));
    QCOMPARE(c.domande[38].campoConteggio, 1);
}

void TestLetturaV11::aperturaNota_data()
{
    QTest::addColumn<int>("gruppo");
    QTest::addColumn<Risposta>("risposta");
    QTest::addColumn<bool>("apre");
    // The viewer test clicks the SI, NO and marked cases; these are the others.
    QTest::newRow("20 No") << 20 << Risposta::NO << true;
    QTest::newRow("28 N/A") << 28 << Risposta::NA << false;
    QTest::newRow("30 Si, solo con testo") << 30 << Risposta::SI << false;
    QTest::newRow("43 Si") << 43 << Risposta::SI << true;
}

void TestLetturaV11::aperturaNota()
{
    QFETCH(int, gruppo);
    QFETCH(Risposta, risposta);
    QFETCH(bool, apre);
    ContenutoV11 c;
    c.risposte[gruppo] = risposta;
    QCOMPARE(notaApribileV11(c, gruppo), apre);
}

QTEST_GUILESS_MAIN(TestLetturaV11)
#include "tst_letturav11.moc"
