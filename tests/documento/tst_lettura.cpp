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
const QString impossibileAprire =
    "ATTENZIONE: impossibile aprire il file.\r\nVerificare che il nome del file sia "
    "corretto e che abbia un'estensione XML\r\nOperazione annullata!!!";

struct Banco
{
    InterazioneFinta finta;
    Questionario q;
    QTemporaryDir cartella;
    EsitoLettura esito;

    explicit Banco(Modello m) : q(m, finta) { finta.questionario = &q; }
    QString percorso() const { return cartella.filePath(QStringLiteral("letto.xml")); }
    bool leggi(const QByteArray& contenuto, const LettoreV11& lettoreV11 = {})
    {
        QFile file(percorso());
        if (!file.open(QIODevice::WriteOnly) || file.write(contenuto) != contenuto.size())
            return false;
        file.close();
        finta.registro.clear();
        esito = leggiFile(q, percorso(), lettoreV11);
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

// A random questionnaire's file, with "SEGNAPOSTO" as the company's name.
QByteArray fileDi(Modello m, quint32 seme)
{
    InterazioneFinta finta;
    Questionario q(m, finta);
    Generatore(seme).riempi(q, false);
    for (int r = 1; r < 3; ++r)
        q.membri().setCella(r, 1, QStringLiteral("membro %1").arg(r));
    q.setCampoGenerale(0, QStringLiteral("SEGNAPOSTO"));
    return scritto(q);
}

// How a read ends.
constexpr int ImpossibileAprire = 0, ModelloErrato = 1, Letto = 2;

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
    void andataERitorno_data();
    void andataERitorno();
    void fileOstili_data();
    void fileOstili();
    void casiLimite_data();
    void casiLimite();
    void membriOltreLeRighe();
    void aCapoDiAltriProgrammi_data();
    void aCapoDiAltriProgrammi();
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
        QVERIFY2(b.leggi(scritto(sorgente)), qPrintable(QStringLiteral("giro %1").arg(giro)));
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
    QByteArray risate = "<!DOCTYPE s [<!ENTITY r0 \"ah\">";
    for (int k = 1; k < 10; ++k)
        risate += "<!ENTITY r" + QByteArray::number(k) + " \"" +
                  ("&r" + QByteArray::number(k - 1) + ";").repeated(10) + "\">";
    risate += "]>";

    for (Modello m : tuttiIModelli) {
        const auto riga = [m](const QString& nome, const QByteArray& contenuto, int esito = ImpossibileAprire,
                              bool intatto = true) {
            QTest::newRow(qPrintable(nomeModello(m) + u' ' + nome)) << m << contenuto << esito << intatto;
        };
        const QByteArray valido = fileDi(m, 11);
        const qsizetype dopoDichiarazione = valido.indexOf("?>") + 2;
        const auto conDtd = [&](const QByteArray& dtd, const char* entita) {
            return QByteArray(valido).insert(dopoDichiarazione, dtd).replace("SEGNAPOSTO", entita);
        };
        riga("vuoto", QByteArray());
        riga("binario", spazzatura);
        riga("testo", "questo non è XML");
        riga("non ben formato", "<SchedaOrganoControllo><a></b></SchedaOrganoControllo>");
        riga("testo dopo la radice", valido + "coda");
        riga("UTF-8 non valido", QByteArray(valido).replace("SEGNAPOSTO", "\xC3\x28\xFF"));
        riga("altra radice", "<?xml version=\"1.0\"?><Altro><a><b/></a></Altro>");
        for (qsizetype taglio : {qsizetype(1), qsizetype(5), qsizetype(38), qsizetype(39), qsizetype(200),
                                 valido.size() / 2, valido.size() - 12, valido.size() - 1})
            riga(QStringLiteral("troncato a %1").arg(taglio), valido.left(taglio));
        riga("miliardo di risate", conDtd(risate, "&r9;"));
        riga("entità esterna",
             conDtd("<!DOCTYPE s [<!ENTITY esterna SYSTEM \"" + url + "\">]>", "&esterna;"));
        riga("entità parametro",
             conDtd("<!DOCTYPE s [<!ENTITY % p SYSTEM \"" + url + "\"> %p;]>", "SEGNAPOSTO"));
        for (Modello altro : tuttiIModelli)
            if (altro != m)
                riga("file " + nomeModello(altro), fileDi(altro, 12), ModelloErrato);

        // Each element of a valid file removed in turn.
        const int figliC = FileXml(valido).numeroFigli("C");
        for (const QString& percorso : percorsiElementi(valido)) {
            QString relativo = percorso;
            if (relativo.startsWith("R/0/0"))
                relativo.replace(0, 5, "M");
            riga("senza " + relativo, senzaElemento(valido, percorso),
                 rimozioneTollerata(relativo, figliC) ? Letto : ImpossibileAprire,
                 relativo == "R" || relativo == "R/0" || relativo == "M");
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
    static const QStringList modelli{"TRADIZIONALE", "DUALISTICO", "MONISTICO"};
    QCOMPARE(b.esito.errore->testo,
             esito == ModelloErrato ? QStringLiteral("Quello che si sta cercando di aprire non è un MODELLO "
                                                     "%1.\r\nOperazione annullata.")
                                          .arg(modelli[int(modello)])
                                    : impossibileAprire);
    QCOMPARE(b.esito.errore->titolo, "Errore");
    QCOMPARE(b.esito.errore->pulsanti, Interazione::Pulsanti::Ok);
    QCOMPARE(b.esito.errore->icona, Interazione::Icona::Critica);
    if (intatto)
        QCOMPARE(differenza(istantanea(b.q), prima), QString());
}

void TestLettura::casiLimite_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QString>("modifiche"); // "position=text", ';' between them
    QTest::addColumn<QString>("attese");    // lines of the read questionnaire's snapshot, ';' between them

    const auto riga = [](const QString& nome, Modello m, const QString& modifiche, const QString& attese) {
        QTest::newRow(qPrintable(nome)) << m << modifiche << attese;
    };
    const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
    riga("si minuscolo", T, "A/0/1/1/0=si", "risposta 0=");
    riga("NO con nota", T, "A/0/7/1/0=NO;A/0/7/1/1=n", "risposta 6=NO;notaAltre 6=n;notaSI 6=;segno 6=1");
    for (Modello m : {T, D, M}) {
        const QString nome = nomeModello(m) + u' ';
        // Questions 79 and 80 change places in the one-tier model.
        const int primo = m == M ? 80 : 79, secondo = m == M ? 79 : 80;
        riga(nome + "Adeguata 7", m, "A/0/8/1/0=Adeguata;A/0/8/1/1=a", "risposta 7=SI;notaSI 7=a;segno 7=1");
        riga(nome + "Adeguata 22", m, "A/0/23/1/0=Adeguata", "risposta 22=SI;segno 22=0");
        riga(nome + "Inadeguata 0", m, "A/0/1/1/0=Inadeguata", "risposta 0=NO");
        riga(nome + "Adeguata 23", m, "A/0/25/1/0=Adeguata", "risposta 23=");
        riga(nome + "SI 74", m, m == M ? "A/0/-1/1/0=NO" : "A/0/-1/1/0=SI",
             m == M ? "risposta 31=NO" : "risposta 74=SI");
        riga(nome + "NA con nota", m, "A/0/4/1/0=NA;A/0/4/1/1=nota",
             "risposta 3=NA;notaSI 3=;notaAltre 3=;segno 3=0");
        riga(nome + "SI con nota vuota", m, "A/0/4/1/0=SI", "risposta 3=SI;segno 3=0");
        riga(nome + "81 con nota vuota", m, "C/3/1/0=SI", "risposta 81=SI;segno 81=0");
        riga(nome + "81 con nota", m, "C/3/1/0=SI;C/3/1/1=n81", "risposta 81=SI;segno 81=1;notaSI 81=n81");
        riga(nome + "date", m, "G/2=311220239;C/2=1122023",
             "campo 2=31;campo 3=12;campo 4=2023;campo 34=11;campo 35=22;campo 36=023");
        riga(nome + "data di chiusura corta", m, "G/2=311", "campo 2=31;campo 3=1;campo 4=");
        riga(nome + "SI senza nota nel primo requisito", m, "G/4/0/0/1/0=SI",
             QStringLiteral("risposta %1=SI;segno %1=1").arg(primo));
        riga(nome + "secondo requisito", m, "G/4/1/0/1/0=SI;G/4/1/0/1/1=r",
             QStringLiteral("risposta %1=SI;notaSI %1=r;risposta %2=").arg(secondo).arg(primo));
    }
    riga("80 NO con nota", T, "G/4/1/0/1/0=NO;G/4/1/0/1/1=ignorata",
         "risposta 80=NO;notaSI 80=;notaAltre 80=;segno 80=0");
    riga("80 NO a due livelli", D, "G/4/1/0/1/0=NO", "risposta 80=");
    // A note longer than the editor lets anyone type is read whole: the editor cuts it, and says so, when
    // opened.
    const QString lunga = QString(70000, u'n');
    riga("nota oltre il limite", T, "A/2/3/1/0=NO;A/2/3/1/1=" + lunga,
         "risposta 50=NO;segno 50=1;notaAltre 50=" + lunga);
    riga("riunioni comitato", T, "G/5/3=5", "NA65=0;campo 65=5");
    riga("conteggi", T, "A/1/2/1/0=SI;A/1/7/1/0=4;A/1/9/1/0=12",
         "risposta 34=;conteggio 0=SI;conteggio 1=4;conteggio 2=12");
    riga("righe nascoste lette", T, "A/1/3/1/0=SI;A/1/12/1/0=NO", "risposta 75=SI;risposta 76=NO");
    riga("69 letta a due livelli", D, "A/1/23/1/0=NO;A/1/23/1/1=x",
         "risposta 69=NO;notaAltre 69=x;segno 69=1");
}

// An empty questionnaire's file with texts put in place, read into a filled questionnaire.
void TestLettura::casiLimite()
{
    QFETCH(Modello, modello);
    QFETCH(QString, modifiche);
    QFETCH(QString, attese);

    Banco b(modello);
    QByteArray file = scritto(b.q);
    for (const QString& modifica : modifiche.split(u';'))
        file = conTesto(file, modifica.section(u'=', 0, 0), modifica.section(u'=', 1));
    QVERIFY(!file.isEmpty());
    Generatore(5).riempi(b.q, false);
    QVERIFY(b.leggi(file));
    const QStringList letta = istantanea(b.q);
    for (const QString& attesa : attese.split(u';'))
        QVERIFY2(letta.contains(attesa), qPrintable(attesa));
}

// More members than rows grow the table with labels "4", "5"; fewer leave the rows empty.
void TestLettura::membriOltreLeRighe()
{
    for (Modello m : tuttiIModelli) {
        Banco b(m);
        InterazioneFinta finta;
        Questionario cinque(m, finta);
        for (int r = 0; r < 5; ++r) {
            QVERIFY(r < 3 || cinque.membri().aggiungiMembro());
            cinque.membri().setCella(r, 2, QStringLiteral("cf%1").arg(r));
        }
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
        b.q.setNotaSI(3, "uno|due||tre|");
        b.q.setSegnoNota(3, true);
        b.q.membri().setCella(1, 11, "Revisore|legale");
    }
    QVERIFY(b.leggi(scritto(b.q).replace("|", aCapo)));
    QCOMPARE(b.q.notaSI(3), "uno\r\ndue\r\n\r\ntre\r\n");
    QCOMPARE(b.q.membri().cella(1, 11), "Revisore\r\nlegale");
    QVERIFY(b.leggi(scritto(b.q)));
    QCOMPARE(b.q.notaSI(3), "uno\r\ndue\r\n\r\ntre\r\n");
}

// A file whose root is not a questionnaire's goes, in the traditional model only, to the version 1.1 reader
// given to the reader; the questionnaire is emptied, and a failure of that reader ends in its own message.
void TestLettura::fileDellaVersione11()
{
    for (RisultatoV11::Esito esitoV11 : {RisultatoV11::Esito::Letto, RisultatoV11::Esito::FileIlleggibile,
                                         RisultatoV11::Esito::FileMancante}) {
        for (Modello m : tuttiIModelli) {
            Banco b(m);
            Generatore(4).riempi(b.q, false);
            QStringList chiamate;
            RisultatoV11 risultato;
            risultato.esito = esitoV11;
            risultato.contenuto.campiGenerali[0] = QStringLiteral("Società V11");
            QVERIFY(!b.leggi("<?xml version=\"1.0\"?><QuestionarioV11><x/></QuestionarioV11>",
                             [&](const QString& percorso) {
                                 chiamate << percorso;
                                 return risultato;
                             }));
            if (m != Modello::Tradizionale) {
                QCOMPARE(chiamate, QStringList());
                QCOMPARE(b.esito.errore->testo, impossibileAprire);
                QVERIFY(!b.esito.versione11);
                continue;
            }
            QCOMPARE(chiamate, QStringList{b.percorso()});
            QCOMPARE(b.esito.versione11->contenuto.campiGenerali[0], "Società V11");
            QCOMPARE(b.esito.errore.has_value(), esitoV11 != RisultatoV11::Esito::Letto);
            if (esitoV11 == RisultatoV11::Esito::FileMancante)
                QCOMPARE(b.esito.errore->testo,
                         "ATTENZIONE: impossibile aprire il file.\r\nVerificare che il nome "
                         "del file sia corretto e che abbia\r\nun'estensione \"xml.\" "
                         "Operazione annullata!!!");
            else if (esitoV11 == RisultatoV11::Esito::FileIlleggibile)
                QCOMPARE(b.esito.errore->testo, impossibileAprire);
            InterazioneFinta finta;
            Questionario vuoto(m, finta);
            vuoto.setRiunioniNA(b.q.riunioniNA());
            for (int k = 0; k < 3; ++k)
                vuoto.setConteggioRiquadroII(k, b.q.conteggioRiquadroII(k));
            QCOMPARE(differenza(istantanea(b.q), istantanea(vuoto)), QString());
        }
    }
}

QTEST_GUILESS_MAIN(TestLettura)
#include "tst_lettura.moc"
