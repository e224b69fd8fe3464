#include "documento/lettura.h"
#include "modelli/posizionifile.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"
#include "support/percorsixml.h"
#include "support/questionariocasuale.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

Q_DECLARE_METATYPE(Modello)

namespace {

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
        finta.registro.clear();
        esito = salvaContenuto(percorso(), contenuto) ? leggiFile(q, percorso(), lettoreV11) : EsitoLettura();
        return esito.letto;
    }
};

// A random questionnaire's file, with two members and "SEGNAPOSTO" as the company's name.
QByteArray fileDi(Modello m, quint32 seme)
{
    InterazioneFinta finta;
    Questionario q(m, finta);
    Generatore(seme).riempi(q, false);
    for (int r = 1; r < 3; ++r)
        q.membri().setCella(r, 1, QStringLiteral("membro %1").arg(r));
    q.setCampoGenerale(0, QStringLiteral("SEGNAPOSTO"));
    return fileScritto(q).contenuto();
}

constexpr int ImpossibileAprire = 0, ModelloErrato = 1, Letto = 2;

// Removing an element the reader can do without: G/5, one of G/4's two wrappers, a question's numbers or
// one of its answer's two children, a member, field 33 or the start date. Any other removal shifts or
// empties a position the reader needs.
bool rimozioneTollerata(const QString& percorso, int figliC)
{
    if (percorso == "M/0/5" || percorso == "M/0/4/0" || percorso == "M/0/4/1")
        return true;
    if (const auto m = QRegularExpression(QStringLiteral("^M/1/(\\d+)$")).match(percorso); m.hasMatch())
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
    void initTestCase() { impostaCartellaProgramma(QStringLiteral(DATI_TEST "/../../templates")); }
    // Written and read back into a questionnaire that held the previous one: everything comes back, the
    // members beyond the three initial rows included, and empty rows after the president left out.
    void andataERitorno_data()
    {
        QTest::addColumn<Modello>("modello");
        for (Modello m : tuttiIModelli)
            QTest::newRow(qPrintable(nomeModello(m))) << m;
    }

    void andataERitorno()
    {
        QFETCH(Modello, modello);
        Generatore generatore(20240611u + quint32(modello));
        Banco b(modello);
        for (int giro = 0; giro < 200; ++giro) {
            InterazioneFinta finta;
            Questionario sorgente(modello, finta);
            generatore.riempi(sorgente, giro % 25 == 7);
            QVERIFY2(b.leggi(fileScritto(sorgente).contenuto()), qPrintable(QString::number(giro)));
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

    void fileOstili_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<int>("esito");
        QTest::addColumn<bool>("intatto"); // the failure comes before the questionnaire is emptied

        const QString segreto = m_cartella.filePath(QStringLiteral("segreto.txt"));
        QVERIFY(salvaContenuto(segreto, "SEGRETO-LOCALE"));
        const QByteArray url = QUrl::fromLocalFile(segreto).toEncoded();

        for (Modello m : tuttiIModelli) {
            const auto riga = [m](const QString& nome, const QByteArray& contenuto,
                                  int esito = ImpossibileAprire, bool intatto = true) {
                QTest::newRow(qPrintable(nomeModello(m) + u' ' + nome)) << m << contenuto << esito << intatto;
            };
            const QByteArray valido = fileDi(m, 11);
            const auto conDtd = [&](const QByteArray& dtd, const char* entita) {
                return QByteArray(valido).insert(valido.indexOf("?>") + 2, dtd).replace("SEGNAPOSTO", entita);
            };
            riga("vuoto", QByteArray());
            riga("binario", QByteArray("\0\xFF\xFE<\x01\0", 6));
            riga("altra radice", "<?xml version=\"1.0\"?><Altro><a><b/></a></Altro>");
            for (qsizetype taglio : {qsizetype(1), qsizetype(5), qsizetype(38), qsizetype(39), qsizetype(200),
                                     valido.size() / 2, valido.size() - 12, valido.size() - 1})
                riga(QStringLiteral("troncato a %1").arg(taglio), valido.left(taglio));
            riga("entità esterna", conDtd("<!DOCTYPE s [<!ENTITY e SYSTEM \"" + url + "\">]>", "&e;"));
            riga("entità parametro", conDtd("<!DOCTYPE s [<!ENTITY % p SYSTEM \"" + url + "\"> %p;]>", "x"));
            for (Modello altro : tuttiIModelli)
                if (altro != m)
                    riga("file " + nomeModello(altro), fileDi(altro, 12), ModelloErrato);

            // Each element of a valid file removed in turn.
            const int figliC = FileXml(valido).numeroFigli("C");
            for (const QString& percorso : percorsiElementi(valido)) {
                const QString relativo = percorso.startsWith("R/0/0") ? "M" + percorso.mid(5) : percorso;
                riga("senza " + relativo, senzaElemento(valido, percorso),
                     rimozioneTollerata(relativo, figliC) ? Letto : ImpossibileAprire,
                     relativo == "R" || relativo == "R/0" || relativo == "M");
            }
        }
    }

    // Every broken file ends in its message, and the reader shows nothing itself; a failure before the model
    // check leaves the questionnaire as it was, and nothing of a referenced local file gets in.
    void fileOstili()
    {
        QFETCH(Modello, modello);
        QFETCH(QByteArray, contenuto);
        QFETCH(int, esito);
        QFETCH(bool, intatto);

        Banco b(modello);
        Generatore(3).riempi(b.q, false);
        const QStringList prima = istantanea(b.q);
        QCOMPARE(b.leggi(contenuto), esito == Letto);
        QCOMPARE(b.finta.registro, QStringList());
        QVERIFY(!istantanea(b.q).join(u'\n').contains("SEGRETO"));
        QCOMPARE(b.esito.errore.has_value(), esito != Letto);
        if (esito == Letto)
            return;
        static const QStringList modelli{"TRADIZIONALE", "DUALISTICO", "MONISTICO"};
        const QString altro = QStringLiteral("Quello che si sta cercando di aprire non è un MODELLO %1.\r\n"
                                             "Operazione annullata.");
        const QString testo =
            esito == ImpossibileAprire ? impossibileAprire : altro.arg(modelli[int(modello)]);
        QVERIFY(*b.esito.errore ==
                (Messaggio{testo, "Errore", Interazione::Pulsanti::Ok, Interazione::Icona::Critica}));
        if (intatto)
            QCOMPARE(differenza(istantanea(b.q), prima), QString());
    }

    void casiLimite_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QString>("modifiche"); // "position=text", ';' between them
        QTest::addColumn<QString>("attese");   // lines of the read questionnaire's snapshot, ';' between them
        QTest::addColumn<QByteArray>("aCapo"); // what every '|' of the written file becomes

        const auto riga = [](const QString& nome, Modello m, const QString& modifiche, const QString& attese,
                             const QByteArray& aCapo = "|") {
            QTest::newRow(qPrintable(nome)) << m << modifiche << attese << aCapo;
        };
        const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
        riga("si minuscolo", T, "A/0/1/1/0=si", "risposta 0=");
        for (Modello m : {T, D, M}) {
            const QString nome = nomeModello(m) + u' ';
            riga(nome + "Adeguata 22", m, "A/0/23/1/0=Adeguata", "risposta 22=SI;segno 22=0");
            riga(nome + "Inadeguata 0", m, "A/0/1/1/0=Inadeguata", "risposta 0=NO");
            riga(nome + "Adeguata 23", m, "A/0/25/1/0=Adeguata", "risposta 23=");
            riga(nome + "NA con nota", m, "A/0/4/1/0=NA;A/0/4/1/1=nota",
                 "risposta 3=NA;notaSI 3=;notaAltre 3=;segno 3=0");
            riga(nome + "date corta e lunga", m, "G/2=311;C/2=112202399",
                 "campo 2=31;campo 3=1;campo 4=;campo 34=11;campo 35=22;campo 36=0239");
        }
        riga("80 NO con nota", T, "G/4/1/0/1/0=NO;G/4/1/0/1/1=ignorata",
             "risposta 80=NO;notaSI 80=;notaAltre 80=;segno 80=0");
        riga("80 NO a due livelli", D, "G/4/1/0/1/0=NO", "risposta 80=");
        // A note longer than the editor allows is read whole: the editor cuts it, and says so, when opened.
        const QString lunga = QString(70000, u'n');
        riga("nota oltre il limite", T, "A/2/3/1/0=NO;A/2/3/1/1=" + lunga,
             "risposta 50=NO;segno 50=1;notaAltre 50=" + lunga);
        riga("riunioni comitato zero", T, "G/5/3=0", "NA65=0;campo 65=0");
        riga("conteggi", T, "A/1/2/1/0=SI;A/1/7/1/0=4;A/1/9/1/0=12",
             "risposta 34=;conteggio 0=SI;conteggio 1=4;conteggio 2=12");
        riga("righe nascoste lette", T, "A/1/3/1/0=SI;A/1/12/1/0=NO", "risposta 75=SI;risposta 76=NO");
        riga("69 letta a due livelli", D, "A/1/23/1/0=NO;A/1/23/1/1=x",
             "risposta 69=NO;notaAltre 69=x;segno 69=1");
        // However another program wrote a line break, notes and requisiti texts keep paragraphs as CR LF.
        for (QByteArray a : {"&#13;&#10;", "\r\n", "\n", "\r", "&#13;", "&#10;", "<![CDATA[\r\n]]>"})
            riga("a capo " + a.toPercentEncoding("&#;<>![]"), M,
                 "A/0/4/1/0=SI;A/0/4/1/1=uno|due||tre|;C/0/0/4=Revisore|legale",
                 "notaSI 3=uno\r\ndue\r\n\r\ntre\r\n;segno 3=1;cella 0,11=Revisore\r\nlegale;cella 0,12=SI",
                 a);
    }

    // An empty questionnaire's file with texts put in place, read into a filled questionnaire.
    void casiLimite()
    {
        QFETCH(Modello, modello);
        QFETCH(QString, modifiche);
        QFETCH(QString, attese);
        QFETCH(QByteArray, aCapo);

        Banco b(modello);
        QByteArray file = fileScritto(b.q).contenuto();
        for (const QString& modifica : modifiche.split(u';'))
            file = conTesto(file, modifica.section(u'=', 0, 0), modifica.section(u'=', 1));
        Generatore(5).riempi(b.q, false);
        QVERIFY(b.leggi(file.replace("|", aCapo)));
        const QStringList letta = istantanea(b.q);
        for (const QString& attesa : attese.split(u';'))
            QVERIFY2(letta.contains(attesa), qPrintable(attesa));
    }

    // A file whose root is not a questionnaire's goes, in the traditional model only, to the version 1.1
    // reader given to the reader, and the questionnaire is emptied; a failure of that reader ends in its own
    // message. The other models refuse the file and keep the questionnaire as it was.
    void fileDellaVersione11()
    {
        using E = RisultatoV11::Esito;
        for (E esitoV11 : {E::Letto, E::FileIlleggibile, E::FileMancante}) {
            for (Modello m : tuttiIModelli) {
                Banco b(m);
                Generatore(4).riempi(b.q, false);
                const QStringList prima = istantanea(b.q);
                QStringList chiamate;
                RisultatoV11 risultato{esitoV11, {}, 0};
                risultato.contenuto.campiGenerali[0] = QStringLiteral("Società V11");
                const LettoreV11 lettore = [&](const QString& f) {
                    chiamate << f;
                    return risultato;
                };
                QVERIFY(!b.leggi("<?xml version=\"1.0\"?><QuestionarioV11><x/></QuestionarioV11>", lettore));
                const bool v11 = m == Modello::Tradizionale;
                QCOMPARE(chiamate, v11 ? QStringList{b.percorso()} : QStringList());
                QCOMPARE(b.esito.versione11 ? b.esito.versione11->contenuto.campiGenerali[0] : QString(),
                         v11 ? QStringLiteral("Società V11") : QString());
                QCOMPARE(
                    b.esito.errore ? b.esito.errore->testo : QString(),
                    !v11 || esitoV11 == E::FileIlleggibile ? impossibileAprire
                    : esitoV11 == E::Letto
                        ? QString()
                        : "ATTENZIONE: impossibile aprire il file.\r\nVerificare che il nome del file sia "
                          "corretto e che abbia\r\nun'estensione \"xml.\" Operazione annullata!!!");
                InterazioneFinta finta;
                Questionario vuoto(m, finta);
                vuoto.setRiunioniNA(b.q.riunioniNA());
                for (int k = 0; k < 3; ++k)
                    vuoto.setConteggioRiquadroII(k, b.q.conteggioRiquadroII(k));
                QCOMPARE(differenza(istantanea(b.q), v11 ? istantanea(vuoto) : prima), QString());
            }
        }
    }

private:
    QTemporaryDir m_cartella; // lives through every test: holds the local file an entity names
};

QTEST_GUILESS_MAIN(TestLettura)
#include "tst_lettura.moc"
