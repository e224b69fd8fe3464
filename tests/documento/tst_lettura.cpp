// The reader: random round trips through the writer, hostile and broken files, and the reader's own rules.
#include "documento/lettura.h"
#include "documento/scrittura.h"
#include "modelli/posizionifile.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"
#include "support/percorsixml.h"
#include "support/questionariocasuale.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

Q_DECLARE_METATYPE(Modello)

namespace {

const QString cartellaModelli = QStringLiteral(DATI_TEST "/../../templates");
const QString impossibileAprire = QStringLiteral("ATTENZIONE: impossibile aprire il file.\r\n"
                                                 "Verificare che il nome del file sia corretto e che abbia "
                                                 "un'estensione XML\r\nOperazione annullata!!!");

struct Banco
{
    InterazioneFinta finta;
    Questionario q;
    QTemporaryDir cartella;

    explicit Banco(Modello m) : q(m, finta) { finta.questionario = &q; }
    QString percorso() const { return cartella.filePath(QStringLiteral("letto.xml")); }

    EsitoLettura esito;
    bool leggi(const QByteArray& contenuto)
    {
        QFile file(percorso());
        if (!file.open(QIODevice::WriteOnly) || file.write(contenuto) != contenuto.size())
            return false;
        file.close();
        finta.registro.clear();
        esito = leggiFile(q, percorso());
        return esito.letto;
    }
};

QByteArray scritto(const Questionario& q)
{
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("scritto.xml"));
    scriviFile(q, percorso);
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray fileDi(Modello m, quint32 seme, const QString& nomeSocieta = {})
{
    InterazioneFinta finta;
    Questionario q(m, finta);
    Generatore(seme).riempi(q, false);
    TabellaMembri& t = q.membri();
    for (int r = 1; r < 3; ++r)
        t.setCella(r, 1, QStringLiteral("membro %1").arg(r));
    if (!nomeSocieta.isEmpty())
        q.setCampoGenerale(0, nomeSocieta);
    return scritto(q);
}

enum Esito
{
    ImpossibileAprire,
    ModelloErrato,
    Letto
};

// Removing an element the reader can do without: G/5, one of G/4's two wrappers, a question's numbers or
// one of its answer's two children, a member, field 33 or the start date. Any other removal shifts or
// empties a position the reader needs.
bool rimozioneTollerata(const QString& percorso, int figliC)
{
    if (percorso == "M/0/5" || percorso == "M/0/4/0" || percorso == "M/0/4/1")
        return true;
    const QRegularExpression figlioC(QStringLiteral("^M/1/(\\d+)$"));
    if (const auto m = figlioC.match(percorso); m.hasMatch())
        return m.captured(1).toInt() >= 1 && m.captured(1).toInt() <= figliC - 2;
    const QRegularExpression partiDomanda(
        QStringLiteral("^M/(2/\\d+/\\d+|0/4/[01]/0|1/%1)/([23]|1/[01])$").arg(figliC - 1));
    return partiDomanda.match(percorso).hasMatch();
}

} // namespace

class TestLettura : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { impostaCartellaProgramma(cartellaModelli); }
    void notaPiuLungaDelLimiteLettaIntera();
    void andataERitorno_data();
    void andataERitorno();
    void fileOstili_data();
    void fileOstili();
    void casiLimite_data();
    void casiLimite();
    void aCapoDiAltriProgrammi_data();
    void aCapoDiAltriProgrammi();
    void membriOltreLeRighe();
    void fileDellaVersione11();

private:
    QTemporaryDir m_cartella; // lives through every test: holds the local file an entity names
};

void TestLettura::andataERitorno_data()
{
    QTest::addColumn<Modello>("modello");
    for (Modello m : tuttiIModelli)
        QTest::newRow(qPrintable(nomeModello(m))) << m;
}

// Written and read back into a questionnaire that held the previous one: everything comes back.
void TestLettura::andataERitorno()
{
    QFETCH(Modello, modello);
    Generatore generatore(20240611u + quint32(modello));
    Banco b(modello);
    for (int giro = 0; giro < 200; ++giro) {
        InterazioneFinta finta;
        Questionario sorgente(modello, finta);
        generatore.riempi(sorgente, giro % 25 == 7);
        const QByteArray file = scritto(sorgente);
        QVERIFY2(b.leggi(file), qPrintable(QStringLiteral("giro %1").arg(giro)));
        QCOMPARE(b.finta.messaggi.size(), 0);
        const QString diversa = differenza(istantanea(b.q), istantanea(sorgente, true));
        QVERIFY2(diversa.isEmpty(), qPrintable(QStringLiteral("giro %1: %2").arg(giro).arg(diversa)));
    }
    // The read opened no note editor and left the editing rules on: a tick opens the note at once.
    QCOMPARE(b.finta.chiamate("nota"), QStringList());
    b.q.setBox(0, Casella::SI, false);
    b.q.setBox(0, Casella::SI, true);
    QCOMPARE(b.finta.chiamate("nota"), QStringList{"nota|0"});
}

void TestLettura::fileOstili_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<int>("esito");
    QTest::addColumn<bool>("intatto"); // the failure comes before the questionnaire is emptied

    QRandomGenerator g(7);
    QByteArray spazzatura(4096, '\0');
    for (char& c : spazzatura)
        c = char(g.bounded(256));
    QFile segreto(m_cartella.filePath(QStringLiteral("segreto.txt")));
    if (segreto.open(QIODevice::WriteOnly))
        segreto.write("SEGRETO-LOCALE");
    const QByteArray url = QUrl::fromLocalFile(segreto.fileName()).toEncoded();

    for (Modello m : tuttiIModelli) {
        const QByteArray nomeUtf8 = nomeModello(m).toUtf8();
        const char* nome = nomeUtf8.constData();
        const QByteArray valido = fileDi(m, 11, QStringLiteral("SEGNAPOSTO"));
        QTest::addRow("%s vuoto", nome) << m << QByteArray() << int(ImpossibileAprire) << true;
        QTest::addRow("%s binario", nome) << m << spazzatura << int(ImpossibileAprire) << true;
        QTest::addRow("%s testo", nome)
            << m << QByteArray("questo non è XML") << int(ImpossibileAprire) << true;
        QTest::addRow("%s non ben formato", nome)
            << m << QByteArray("<SchedaOrganoControllo><a></b></SchedaOrganoControllo>")
            << int(ImpossibileAprire) << true;
        QTest::addRow("%s testo dopo la radice", nome)
            << m << valido + "coda" << int(ImpossibileAprire) << true;
        QTest::addRow("%s UTF-8 non valido", nome)
            << m << QByteArray(valido).replace("SEGNAPOSTO", "\xC3\x28\xFF") << int(ImpossibileAprire)
            << true;
        QTest::addRow("%s altra radice", nome)
            << m << QByteArray("<?xml version=\"1.0\"?><Altro><a><b/></a></Altro>") << int(ImpossibileAprire)
            << true;
        for (qsizetype taglio : {qsizetype(1), qsizetype(5), qsizetype(38), qsizetype(39), qsizetype(200),
                                 valido.size() / 2, valido.size() - 12, valido.size() - 1})
            QTest::addRow("%s troncato a %lld", nome, qlonglong(taglio))
                << m << valido.left(taglio) << int(ImpossibileAprire) << true;
        QByteArray risate = "<!DOCTYPE s [<!ENTITY r0 \"ah\">";
        for (int k = 1; k < 10; ++k)
            risate += QStringLiteral("<!ENTITY r%1 \"%2\">")
                          .arg(k)
                          .arg(QStringLiteral("&r%1;").arg(k - 1).repeated(10))
                          .toUtf8();
        risate += "]>";
        const qsizetype dopoDichiarazione = valido.indexOf("?>") + 2;
        QTest::addRow("%s miliardo di risate", nome)
            << m << QByteArray(valido).insert(dopoDichiarazione, risate).replace("SEGNAPOSTO", "&r9;")
            << int(ImpossibileAprire) << true;
        QTest::addRow("%s entità esterna", nome)
            << m
            << QByteArray(valido)
                   .insert(dopoDichiarazione, "<!DOCTYPE s [<!ENTITY esterna SYSTEM \"" + url + "\">]>")
                   .replace("SEGNAPOSTO", "&esterna;")
            << int(ImpossibileAprire) << true;
        QTest::addRow("%s entità parametro", nome)
            << m
            << QByteArray(valido).insert(dopoDichiarazione,
                                         "<!DOCTYPE s [<!ENTITY % p SYSTEM \"" + url + "\"> %p;]>")
            << int(ImpossibileAprire) << true;
        for (Modello altro : tuttiIModelli)
            if (altro != m)
                QTest::addRow("%s file %s", nome, qPrintable(nomeModello(altro)))
                    << m << fileDi(altro, 12) << int(ModelloErrato) << true;

        // Each element of a valid file removed in turn.
        const int figliC = FileXml(valido).numeroFigli("C");
        for (const QString& percorso : percorsiElementi(valido)) {
            QString relativo = percorso;
            if (relativo.startsWith("R/0/0"))
                relativo.replace(0, 5, "M");
            const bool tollerata = rimozioneTollerata(relativo, figliC);
            QTest::addRow("%s senza %s", nome, qPrintable(relativo))
                << m << senzaElemento(valido, percorso) << int(tollerata ? Letto : ImpossibileAprire)
                << (relativo == "R" || relativo == "R/0" || relativo == "M");
        }
    }
}

// Every broken file ends in its message, and the reader shows nothing itself; a failure before the model
// check leaves the questionnaire as it was, and nothing of a referenced local file gets in.
void TestLettura::fileOstili()
{
    QFETCH(Modello, modello);
    QFETCH(QByteArray, contenuto);
    QFETCH(int, esito);
    QFETCH(bool, intatto);

    Banco b(modello);
    Generatore(3).riempi(b.q, false);
    const QStringList prima = istantanea(b.q);
    const bool letto = b.leggi(contenuto);

    QCOMPARE(b.finta.registro, QStringList());
    QVERIFY(!istantanea(b.q).join(u'\n').contains("SEGRETO"));
    QCOMPARE(letto, esito == Letto);
    QCOMPARE(b.esito.errore.has_value(), esito != Letto);
    if (esito == Letto)
        return;
    const Messaggio& messaggio = *b.esito.errore;
    static const QStringList modelli{"TRADIZIONALE", "DUALISTICO", "MONISTICO"};
    QCOMPARE(messaggio.testo,
             esito == ModelloErrato
                 ? QStringLiteral("Quello che si sta cercando di aprire non è un MODELLO %1.\r\n"
                                  "Operazione annullata.")
                       .arg(modelli[int(modello)])
                 : impossibileAprire);
    QCOMPARE(messaggio.titolo, "Errore");
    QCOMPARE(messaggio.pulsanti, Interazione::Pulsanti::Ok);
    QCOMPARE(messaggio.icona, Interazione::Icona::Critica);
    if (intatto)
        QCOMPARE(differenza(istantanea(b.q), prima), QString());
}

void TestLettura::casiLimite_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QStringList>("modifiche"); // position, text, position, text ...
    QTest::addColumn<QStringList>("attese");

    const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
    QTest::newRow("si minuscolo") << T << QStringList{"A/0/1/1/0", "si"} << QStringList{"risposta 0="};
    QTest::newRow("Si") << T << QStringList{"A/0/6/1/0", "Si"} << QStringList{"risposta 5="};
    QTest::newRow("NO con nota") << T << QStringList{"A/0/7/1/0", "NO", "A/0/7/1/1", "n"}
                                 << QStringList{"risposta 6=NO", "notaAltre 6=n", "notaSI 6=", "segno 6=1"};
    for (Modello m : {T, D, M}) {
        const QString nome = nomeModello(m);
        QTest::addRow("%s Adeguata 7", qPrintable(nome))
            << m << QStringList{"A/0/8/1/0", "Adeguata", "A/0/8/1/1", "a"}
            << QStringList{"risposta 7=SI", "notaSI 7=a", "segno 7=1"};
        QTest::addRow("%s Adeguata 22", qPrintable(nome))
            << m << QStringList{"A/0/23/1/0", "Adeguata"} << QStringList{"risposta 22=SI", "segno 22=0"};
        QTest::addRow("%s Inadeguata 0", qPrintable(nome))
            << m << QStringList{"A/0/1/1/0", "Inadeguata"} << QStringList{"risposta 0=NO"};
        QTest::addRow("%s Adeguata 23", qPrintable(nome))
            << m << QStringList{"A/0/25/1/0", "Adeguata"} << QStringList{"risposta 23="};
        QTest::addRow("%s SI 74", qPrintable(nome))
            << m << QStringList{"A/0/-1/1/0", m == M ? "NO" : "SI"}
            << QStringList{m == M ? "risposta 31=NO" : "risposta 74=SI"};
        QTest::addRow("%s NA con nota", qPrintable(nome))
            << m << QStringList{"A/0/4/1/0", "NA", "A/0/4/1/1", "nota"}
            << QStringList{"risposta 3=NA", "notaSI 3=", "notaAltre 3=", "segno 3=0"};
        QTest::addRow("%s SI con nota vuota", qPrintable(nome))
            << m << QStringList{"A/0/4/1/0", "SI"} << QStringList{"risposta 3=SI", "segno 3=0"};
        QTest::addRow("%s 81 con nota vuota", qPrintable(nome))
            << m << QStringList{"C/3/1/0", "SI"} << QStringList{"risposta 81=SI", "segno 81=0"};
        QTest::addRow("%s 81 con nota", qPrintable(nome))
            << m << QStringList{"C/3/1/0", "SI", "C/3/1/1", "n81"}
            << QStringList{"risposta 81=SI", "segno 81=1", "notaSI 81=n81"};
        QTest::addRow("%s date", qPrintable(nome))
            << m << QStringList{"G/2", "311220239", "C/2", "1122023"}
            << QStringList{"campo 2=31",  "campo 3=12",  "campo 4=2023",
                           "campo 34=11", "campo 35=22", "campo 36=023"};
        QTest::addRow("%s data di chiusura corta", qPrintable(nome))
            << m << QStringList{"G/2", "311"} << QStringList{"campo 2=31", "campo 3=1", "campo 4="};
        QTest::addRow("%s SI senza nota nel primo requisito", qPrintable(nome))
            << m << QStringList{"G/4/0/0/1/0", "SI"}
            << QStringList{QStringLiteral("risposta %1=SI").arg(m == M ? 80 : 79),
                           QStringLiteral("segno %1=1").arg(m == M ? 80 : 79)};
        QTest::addRow("%s secondo requisito", qPrintable(nome))
            << m << QStringList{"G/4/1/0/1/0", "SI", "G/4/1/0/1/1", "r"}
            << QStringList{QStringLiteral("risposta %1=SI").arg(m == M ? 79 : 80),
                           QStringLiteral("notaSI %1=r").arg(m == M ? 79 : 80),
                           QStringLiteral("risposta %1=").arg(m == M ? 80 : 79)};
    }
    QTest::newRow("80 NO con nota") << T << QStringList{"G/4/1/0/1/0", "NO", "G/4/1/0/1/1", "ignorata"}
                                    << QStringList{"risposta 80=NO",
                                                   "notaSI 80=", "notaAltre 80=", "segno 80=0"};
    QTest::newRow("80 NO a due livelli")
        << D << QStringList{"G/4/1/0/1/0", "NO"} << QStringList{"risposta 80="};
    QTest::newRow("riunioni comitato")
        << T << QStringList{"G/5/3", "5"} << QStringList{"NA65=0", "campo 65=5"};
    QTest::newRow("conteggi") << T << QStringList{"A/1/2/1/0", "SI", "A/1/7/1/0", "4", "A/1/9/1/0", "12"}
                              << QStringList{"risposta 34=", "conteggio 0=SI", "conteggio 1=4",
                                             "conteggio 2=12"};
    QTest::newRow("righe nascoste lette") << T << QStringList{"A/1/3/1/0", "SI", "A/1/12/1/0", "NO"}
                                          << QStringList{"risposta 75=SI", "risposta 76=NO"};
    QTest::newRow("69 letta a due livelli") << D << QStringList{"A/1/23/1/0", "NO", "A/1/23/1/1", "x"}
                                            << QStringList{"risposta 69=NO", "notaAltre 69=x", "segno 69=1"};
}

void TestLettura::casiLimite()
{
    QFETCH(Modello, modello);
    QFETCH(QStringList, modifiche);
    QFETCH(QStringList, attese);

    Banco b(modello);
    QByteArray file = scritto(b.q);
    for (qsizetype k = 0; k + 1 < modifiche.size(); k += 2)
        file = conTesto(file, modifiche[k], modifiche[k + 1]);
    QVERIFY(!file.isEmpty());
    Generatore(5).riempi(b.q, false);
    QVERIFY(b.leggi(file));
    const QStringList letta = istantanea(b.q);
    for (const QString& attesa : attese)
        QVERIFY2(letta.contains(attesa), qPrintable(attesa));
}

// More members than rows grow the table with labels "4", "5"; fewer leave the rows empty.
void TestLettura::membriOltreLeRighe()
{
    for (Modello m : tuttiIModelli) {
        InterazioneFinta finta;
        Questionario cinque(m, finta);
        QVERIFY(cinque.membri().aggiungiMembro());
        QVERIFY(cinque.membri().aggiungiMembro());
        for (int r = 0; r < 5; ++r)
            cinque.membri().setCella(r, 2, QStringLiteral("cf%1").arg(r));
        Banco b(m);
        QVERIFY(b.leggi(scritto(cinque)));
        QCOMPARE(b.q.membri().numeroMembri(), 5);
        for (int r = 0; r < 5; ++r) {
            QCOMPARE(b.q.membri().cella(r, 0), r == 0 ? QStringLiteral("Pres.") : QString::number(r + 1));
            QCOMPARE(b.q.membri().cella(r, 2), QStringLiteral("cf%1").arg(r));
        }

        Questionario uno(m, finta);
        uno.membri().setCella(1, 1, "solo");
        QVERIFY(b.leggi(scritto(uno)));
        QCOMPARE(b.q.membri().numeroMembri(), 3);
        QCOMPARE(b.q.membri().cella(1, 1), "solo");
        QVERIFY(b.q.membri().rigaVuota(2));
        QCOMPARE(b.q.membri().cella(2, 0), "3");
    }
}

void TestLettura::aCapoDiAltriProgrammi_data()
{
    QTest::addColumn<QByteArray>("aCapo"); // how another program wrote the line break in the file
    QTest::newRow("riferimenti CR LF") << QByteArray("&#13;&#10;");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR") << QByteArray("\r");
    QTest::newRow("riferimento CR") << QByteArray("&#13;");
    QTest::newRow("riferimento LF") << QByteArray("&#10;");
    QTest::newRow("dentro CDATA") << QByteArray("<![CDATA[\r\n]]>");
}

// A note or a requisiti text from another writer keeps its paragraphs as CR LF, and is written back so.
void TestLettura::aCapoDiAltriProgrammi()
{
    QFETCH(QByteArray, aCapo);
    Banco b(Modello::Monistico);
    {
        const Questionario::Caricamento caricamento(b.q);
        b.q.setBox(3, Casella::SI, true);
        b.q.setNotaSI(3, QStringLiteral("uno|due||tre|"));
        b.q.setSegnoNota(3, true);
        b.q.membri().setCella(1, 11, QStringLiteral("Revisore|legale"));
    }
    QByteArray file = scritto(b.q);
    file.replace("|", aCapo);
    QVERIFY(b.leggi(file));
    QCOMPARE(b.q.notaSI(3), "uno\r\ndue\r\n\r\ntre\r\n");
    QCOMPARE(b.q.membri().cella(1, 11), "Revisore\r\nlegale");
    QVERIFY(b.leggi(scritto(b.q)));
    QCOMPARE(b.q.notaSI(3), "uno\r\ndue\r\n\r\ntre\r\n");
}

// A file whose root is not a questionnaire's goes, in the traditional model only, to the version 1.1 reader
// given to the reader; the questionnaire is emptied, and a failure of that reader ends in its own message.
void TestLettura::fileDellaVersione11()
{
    const QByteArray altro = "<?xml version=\"1.0\"?><QuestionarioV11><x/></QuestionarioV11>";
    for (RisultatoV11::Esito esitoV11 : {RisultatoV11::Esito::Letto, RisultatoV11::Esito::FileIlleggibile,
                                         RisultatoV11::Esito::FileMancante}) {
        for (Modello m : tuttiIModelli) {
            Banco b(m);
            Generatore(4).riempi(b.q, false);
            QStringList chiamate;
            RisultatoV11 risultato;
            risultato.esito = esitoV11;
            risultato.contenuto.campiGenerali[0] = QStringLiteral("Società V11");
            const LettoreV11 lettore = [&](const QString& percorso) {
                chiamate << percorso;
                return risultato;
            };
            QFile file(b.percorso());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(altro);
            file.close();
            const EsitoLettura esito = leggiFile(b.q, b.percorso(), lettore);
            QVERIFY(!esito.letto);
            if (m != Modello::Tradizionale) {
                QCOMPARE(chiamate, QStringList());
                QCOMPARE(esito.errore->testo, impossibileAprire);
                QVERIFY(!esito.versione11);
                continue;
            }
            QCOMPARE(chiamate, QStringList{b.percorso()});
            QCOMPARE(esito.versione11->contenuto.campiGenerali[0], "Società V11");
            QCOMPARE(esito.errore.has_value(), esitoV11 != RisultatoV11::Esito::Letto);
            if (esitoV11 == RisultatoV11::Esito::FileMancante)
                QCOMPARE(esito.errore->testo,
                         "ATTENZIONE: impossibile aprire il file.\r\nVerificare che il nome del "
                         "file sia corretto e che abbia\r\nun'estensione \"xml.\" Operazione "
                         "annullata!!!");
            else if (esitoV11 == RisultatoV11::Esito::FileIlleggibile)
                QCOMPARE(esito.errore->testo, impossibileAprire);
            InterazioneFinta finta;
            Questionario vuoto(m, finta);
            vuoto.setRiunioniNA(b.q.riunioniNA());
            for (int k = 0; k < 3; ++k)
                vuoto.setConteggioRiquadroII(k, b.q.conteggioRiquadroII(k));
            QCOMPARE(differenza(istantanea(b.q), istantanea(vuoto)), QString());
        }
    }
}

// A file may hold a note longer than the editor lets anyone type: it is read whole, and cut only by the
// editor, which says so, when the note is opened.
void TestLettura::notaPiuLungaDelLimiteLettaIntera()
{
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("lunga.xml"));
    const QString lunga = QString(69998, u'n') + QStringLiteral("\r\n");
    InterazioneFinta finta;
    Questionario scritto(Modello::Tradizionale, finta);
    {
        const Questionario::Caricamento caricamento(scritto);
        scritto.setBox(50, Casella::NO, true);
        scritto.setNotaAltre(50, lunga);
        scritto.setSegnoNota(50, true);
    }
    scriviFile(scritto, percorso);

    Questionario letto(Modello::Tradizionale, finta);
    QVERIFY(leggiFile(letto, percorso).letto);
    QCOMPARE(letto.notaAltre(50), lunga);
    QVERIFY(finta.messaggi.isEmpty());
}

QTEST_GUILESS_MAIN(TestLettura)
#include "tst_lettura.moc"
