#include "cli/comandi.h"
#include "cli/jsonquestionario.h"
#include "modelli/posizionifile.h"
#include "questionario/questionario.h"
#include "questionario/testo.h"
#include "support/interazionefinta.h"
#include "support/questionariocasuale.h"
#include "support/questionariocompleto.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Modello)

namespace {

struct Esecuzione
{
    int uscita = -1;
    QString uscitaStandard;
    QString errori;
};

// The command line run in this process, with the same code as the program.
Esecuzione esegui(const QStringList& argomenti, const QByteArray& ingresso = {})
{
    QByteArray dati = ingresso;
    QBuffer buffer(&dati);
    buffer.open(QIODevice::ReadOnly);
    QBuffer uscita;
    uscita.open(QIODevice::WriteOnly);
    Esecuzione e;
    QTextStream errori(&e.errori);
    e.uscita = eseguiRigaComando(QStringList{QStringLiteral("scheda-ombrisa-cli")} + argomenti, buffer,
                                 uscita, errori);
    errori.flush();
    e.uscitaStandard = QString::fromUtf8(uscita.data());
    return e;
}

// The real executable.
// The real executable. It must answer within half a minute (a read that waits on a pipe never would), and
// outside a sanitizer build it gets 1 GB of address space, so that reading an endless input fails.
Esecuzione eseguiProgramma(const QStringList& argomenti, const QByteArray& ingresso = {})
{
    QProcess p;
#if !defined(__SANITIZE_ADDRESS__)
    p.setChildProcessModifier([] {
        const rlimit limite{rlim_t(1) << 30, rlim_t(1) << 30};
        setrlimit(RLIMIT_AS, &limite);
    });
#endif
    p.start(QStringLiteral(PROGRAMMA_CLI), argomenti);
    if (!p.waitForStarted())
        return {};
    p.write(ingresso);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return {-1, QString(), QStringLiteral("bloccato")};
    }
    if (p.exitStatus() != QProcess::NormalExit)
        return {-1, QString(), QStringLiteral("crash")};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

void scriviFileTesto(const QString& percorso, const QByteArray& contenuto)
{
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(contenuto), contenuto.size());
}

} // namespace

class TestRigaComando : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void andataERitorno_data();
    void andataERitorno();
    void formatoJson();
    void verifica();
    void ingressoErrato_data();
    void ingressoErrato();
    void percorsiSpeciali_data();
    void percorsiSpeciali();
    void stampa();
    void versione11();

private:
    QTemporaryDir m_cartella;
    QString percorso(const QString& nome) const { return m_cartella.filePath(nome); }
};

void TestRigaComando::initTestCase()
{
    QVERIFY(m_cartella.isValid());
    // The writer takes its templates from the program's folder; the build puts them beside the program.
    impostaCartellaProgramma(QFileInfo(QStringLiteral(PROGRAMMA_CLI)).absolutePath());
}

void TestRigaComando::andataERitorno_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<quint32>("seme");
    QTest::addColumn<bool>("programma");
    for (Modello m : tuttiIModelli) {
        for (quint32 seme = 1; seme <= 12; ++seme)
            QTest::addRow("%s %u", qPrintable(nomeModello(m)), seme) << m << seme << (seme == 1);
    }
}

// A questionnaire written from its JSON and read back is the same questionnaire; the program's own output,
// written and read again, is the same text.
void TestRigaComando::andataERitorno()
{
    QFETCH(Modello, modello);
    QFETCH(quint32, seme);
    QFETCH(bool, programma);
    InterazioneFinta finta;
    Questionario originale(modello, finta);
    Generatore(seme * 3 + quint32(modello)).riempi(originale, false);
    const QString xml = percorso(QStringLiteral("andata.xml"));
    Esecuzione (*const lancia)(const QStringList&, const QByteArray&) = programma ? eseguiProgramma : esegui;

    const Esecuzione scritto =
        lancia({QStringLiteral("scrivi"), QStringLiteral("-"), QStringLiteral("-o"), xml},
               questionarioInJson(originale));
    QCOMPARE(scritto.errori, QString());
    QCOMPARE(scritto.uscita, 0);
    const Esecuzione letto = lancia({QStringLiteral("leggi"), xml}, {});
    QCOMPARE(letto.errori, QString());
    QCOMPARE(letto.uscita, 0);
    const std::unique_ptr<Questionario> riletto = questionarioDaJson(letto.uscitaStandard.toUtf8(), finta);
    QCOMPARE(differenza(istantanea(*riletto), istantanea(originale, true)), QString());

    const Esecuzione ancora =
        esegui({QStringLiteral("scrivi"), QStringLiteral("-"), QStringLiteral("-o"), xml},
               letto.uscitaStandard.toUtf8());
    QCOMPARE(ancora.uscita, 0);
    QCOMPARE(esegui({QStringLiteral("leggi"), xml}).uscitaStandard, letto.uscitaStandard);
}

// The keys in their fixed order, general fields by number, texts escaped as JSON with non-ASCII kept, the
// members' row labels and requisiti marks recomputed, fewer than three rows padded to three.
void TestRigaComando::formatoJson()
{
    InterazioneFinta finta;
    const std::unique_ptr<Questionario> q = questionarioDaJson(R"({"membri": [
        ["x", "Anna", "", "", "", "", "", "", "", "", "", "Revisore.", "NO"],
        ["Pres.", "Bruno", "", "", "", "", "", "", "", "", "", "", "SI"]],
        "datiGenerali": {"62": "9", "4": "\u00e8\\\"\r\n\t\u0001"}, "modello": "Monistico"})",
                                                               finta);
    const QStringList righe = QString::fromUtf8(questionarioInJson(*q)).split(u'\n');
    QStringList chiavi, campi;
    for (const QString& riga : righe) {
        if (riga.startsWith(QStringLiteral("  \"")))
            chiavi.append(riga.section(u'"', 1, 1));
        else if (riga.startsWith(QStringLiteral("    \"")) && riga.contains(QStringLiteral("\": ")))
            campi.append(riga.section(u'"', 1, 1));
    }
    QCOMPARE(chiavi, (QStringList{"modello", "datiGenerali", "riunioniNA", "conteggiRiquadroII", "risposte",
                                  "noteSI", "noteAltre", "segniNota", "membri"}));
    QCOMPARE(campi, (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "33", "34", "35", "36", "62", "63",
                                 "64", "65"}));
    QVERIFY(righe.contains(QStringLiteral("    \"4\": \"è\\\\\\\"\\r\\n\\t\\u0001\",")));
    QVERIFY(righe.contains(QStringLiteral("  \"riunioniNA\": false,")));
    QVERIFY(righe.contains(QStringLiteral("  \"conteggiRiquadroII\": [\"\", \"\", \"\"],")));
    const QString vuote = QStringLiteral(", \"\"").repeated(9);
    QCOMPARE(righe.mid(righe.indexOf(QStringLiteral("  \"membri\": [")) + 1, 4),
             (QStringList{"    [\"Pres.\", \"Anna\"" + vuote + ", \"Revisore.\", \"SI\"],",
                          "    [\"2\", \"Bruno\"" + vuote + ", \"\", \"\"],",
                          "    [\"3\", \"\"" + vuote + ", \"\", \"\"]", "  ]"}));
    QCOMPARE(righe.first(), QStringLiteral("{"));
    QCOMPARE(righe.at(righe.size() - 2), QStringLiteral("}"));
    QCOMPARE(righe.last(), QString());
}

// "verifica" through the program: the messages as the window shows them, with the page and the control of
// each; every problem with --tutti, the question about note 1.0.c answered as a missing note.
void TestRigaComando::verifica()
{
    InterazioneFinta finta;
    Questionario q(Modello::Tradizionale, finta);
    compilaCompleto(q);
    {
        const Questionario::Caricamento caricamento(q);
        q.setCampoGenerale(35, QStringLiteral("13"));
        q.setCampoGenerale(33, QStringLiteral("2"));
        q.setBox(7, Casella::SI, false);
        q.setBox(7, Casella::NO, true);
        q.setSegnoNota(7, false);
        q.membri().setCella(1, 5, QStringLiteral("3"));
    }
    const QString json = percorso(QStringLiteral("verifica.json"));
    scriviFileTesto(json, questionarioInJson(q));

    const Esecuzione primo = eseguiProgramma({QStringLiteral("verifica"), QStringLiteral("--json"), json});
    QCOMPARE(primo.uscita, 1);
    QCOMPARE(primo.uscitaStandard,
             QStringLiteral(
                 "{\n  \"esito\": \"errore\",\n  \"messaggi\": [\n    {\"titolo\": \"Errore\", \"testo\": "
                 "\"Verificare la <Nota 2.a> nel Riquadro I [1/2]\\r\\nprima di passare alla generazione del "
                 "file.\", \"pagina\": 1, \"focus\": null}\n  ]\n}\n"));
    QCOMPARE(eseguiProgramma({QStringLiteral("verifica"), json}).uscitaStandard,
             QStringLiteral("Errore\nVerificare la <Nota 2.a> nel Riquadro I [1/2]\n"
                            "prima di passare alla generazione del file.\n"));

    {
        const Questionario::Caricamento caricamento(q);
        q.setNotaAltre(7, QStringLiteral("Nota."));
        q.setSegnoNota(7, true);
    }
    scriviFileTesto(json, questionarioInJson(q));
    const Esecuzione tutti = esegui({QStringLiteral("verifica"), QStringLiteral("--tutti"), json});
    QCOMPARE(tutti.uscita, 1);
    QCOMPARE(tutti.uscitaStandard, QStringLiteral("Attenzione\nSi è inserita una data non corretta!\n\n"
                                                  "Errore\nVerificare la <Nota 1.0.c> nel Dati Generali\n"
                                                  "prima di passare alla generazione del file.\n"));
    const Esecuzione domanda = esegui({QStringLiteral("verifica"), QStringLiteral("--json"), json});
    QVERIFY(
        domanda.uscitaStandard.contains(QStringLiteral("\"testo\": \"Il numero massimo di incarichi previsti "
                                                       "dallo statuto\\rè inferiore agli incarichi")));
    QVERIFY(domanda.uscitaStandard.contains(
        QStringLiteral("\"pagina\": null, \"focus\": \"TEXT_GENERALE_33\"}")));

    // A number beyond 16 bits is one more problem of the check.
    {
        const Questionario::Caricamento caricamento(q);
        q.setCampoGenerale(33, QStringLiteral("40000"));
        q.setCampoGenerale(35, QStringLiteral("12"));
    }
    scriviFileTesto(json, questionarioInJson(q));
    const Esecuzione oltre =
        esegui({QStringLiteral("verifica"), QStringLiteral("--tutti"), QStringLiteral("--json"), json});
    QCOMPARE(oltre.uscita, 1);
    QCOMPARE(oltre.errori, QString());
    QVERIFY(oltre.uscitaStandard.contains(QStringLiteral(
        "{\"titolo\": \"Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0\", \"testo\": \"Il valore "
        "\\\"40000\\\" supera il massimo consentito (32767).\", \"pagina\": null, \"focus\": null}")));

    for (Modello m : tuttiIModelli) {
        InterazioneFinta f;
        Questionario completo(m, f);
        compilaCompleto(completo);
        scriviFileTesto(json, questionarioInJson(completo));
        const Esecuzione ok = esegui({QStringLiteral("verifica"), QStringLiteral("--json"), json});
        QCOMPARE(ok.uscita, 0);
        QCOMPARE(ok.uscitaStandard, QStringLiteral("{\n  \"esito\": \"ok\",\n  \"messaggi\": []\n}\n"));
    }
}

void TestRigaComando::ingressoErrato_data()
{
    QTest::addColumn<QStringList>("argomenti");
    QTest::addColumn<QByteArray>("ingresso");
    QTest::addColumn<int>("uscita");
    QTest::addColumn<QString>("errori");
    QTest::addColumn<QString>("uscitaStandard");

    // Files: a good traditional and a good two-tier file, then broken ones.
    const QString trad = percorso(QStringLiteral("trad.xml"));
    const QString dual = percorso(QStringLiteral("dual.xml"));
    QCOMPARE(esegui({QStringLiteral("scrivi"), QStringLiteral("-"), QStringLiteral("-o"), trad},
                    R"({"modello": "Tradizionale"})")
                 .uscita,
             0);
    QCOMPARE(esegui({QStringLiteral("scrivi"), QStringLiteral("-"), QStringLiteral("-o"), dual},
                    R"({"modello": "Dualistico"})")
                 .uscita,
             0);
    QFile f(trad);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray contenuto = f.readAll();
    const QString tronco = percorso(QStringLiteral("tronco.xml"));
    scriviFileTesto(tronco, contenuto.left(contenuto.size() / 2));
    const QString vuoto = percorso(QStringLiteral("vuoto.xml"));
    scriviFileTesto(vuoto, QByteArray());
    const QString entita = percorso(QStringLiteral("entita.xml"));
    scriviFileTesto(entita, "<?xml version=\"1.0\"?>\n<!DOCTYPE S [<!ENTITY e \"eeeeeeeeee\"><!ENTITY f "
                            "\"&e;&e;&e;&e;\">]>\n<SchedaOrganoControllo><S><ModelloTradizionale>&f;"
                            "</ModelloTradizionale></S></SchedaOrganoControllo>");
    const QString nonCe = percorso(QStringLiteral("non-c-e.xml"));
    const QString troppo = percorso(QStringLiteral("troppo.json"));
    scriviFileTesto(troppo, R"({"modello": "Tradizionale"})");

    const QString p = QStringLiteral("scheda-ombrisa-cli: ");
    const QString attenzione =
        p +
        QStringLiteral("Errore: ATTENZIONE: impossibile aprire il file.\nVerificare che il nome del file sia "
                       "corretto e che abbia un'estensione XML\nOperazione annullata!!!\n");
    const QStringList scriviStdin{QStringLiteral("scrivi"), QStringLiteral("-"), QStringLiteral("-o"),
                                  percorso(QStringLiteral("mai.xml"))};
    auto json = [&](const char* nome, const QByteArray& testo, const QString& errore) {
        QTest::newRow(nome) << scriviStdin << testo << 2 << p + errore + u'\n' << QString();
    };
    auto file = [&](const char* nome, const QStringList& argomenti, const QString& errore) {
        QTest::newRow(nome) << argomenti << QByteArray() << 2 << errore << QString();
    };
    auto uso = [&](const char* nome, const QStringList& argomenti, const QString& motivo) {
        QTest::newRow(nome) << argomenti << QByteArray() << 64
                            << p + motivo + QStringLiteral(".\nPer l'uso: scheda-ombrisa-cli --help\n")
                            << QString();
    };

    json(
        "malformed JSON", R"({"modello": "Tradizionale",)",
        QStringLiteral("JSON non valido al byte 27: manca il nome di una chiave, o l'oggetto non è chiuso."));
    json("a key twice", R"({"modello": "Tradizionale", "datiGenerali": {"0": "a", "0": "b"}})",
         QStringLiteral("datiGenerali: chiave \"0\" ripetuta."));
    json("invalid UTF-8", "{\"modello\": \"Tradizionale\", \"datiGenerali\": {\"0\": \"\xC3\x28\"}}",
         QStringLiteral("JSON non valido al byte 51: testo UTF-8 non valido."));
    json("empty JSON", "  \n", QStringLiteral("Il JSON è vuoto."));
    json("not an object", "[1]",
         QStringLiteral("Il JSON deve essere un oggetto con le chiavi del questionario."));
    json("no model", "{}", QStringLiteral("Manca la chiave modello (Tradizionale, Dualistico o Monistico)."));
    json(
        "unknown model", R"({"modello": "tradizionale"})",
        QStringLiteral(
            "modello: \"tradizionale\" non è un modello: deve essere Tradizionale, Dualistico o Monistico."));
    json("unknown key", R"({"modello": "Monistico", "note": []})",
         QStringLiteral("Chiave \"note\" sconosciuta."));
    json("wrong type, mark", R"({"modello": "Monistico", "riunioniNA": "no"})",
         QStringLiteral("riunioniNA deve essere true o false."));
    json("wrong type, general field", R"({"modello": "Monistico", "datiGenerali": {"1": 123}})",
         QStringLiteral("datiGenerali[\"1\"] deve essere un testo."));
    json("wrong type, answers", R"({"modello": "Monistico", "risposte": "SI"})",
         QStringLiteral("risposte deve essere un elenco."));
    json("wrong length, answers", R"({"modello": "Tradizionale", "risposte": ["SI"]})",
         QStringLiteral("risposte deve avere 82 elementi, non 1."));
    json("wrong length, member row", R"({"modello": "Dualistico", "membri": [["Pres.", "Anna"]]})",
         QStringLiteral("membri[0] deve avere 12 colonne nel modello Dualistico, non 2."));
    json("wrong type, member cell",
         R"({"modello": "Dualistico", "membri": [["", "", "", "", "", "", "", "", "", "", "", 0]]})",
         QStringLiteral("membri[0][11] deve essere un testo."));
    json("general field the model lacks", R"({"modello": "Dualistico", "datiGenerali": {"65": "3"}})",
         QStringLiteral("datiGenerali[\"65\"]: il modello Dualistico non ha il campo generale 65."));
    json("general field written 07", R"({"modello": "Monistico", "datiGenerali": {"07": "x"}})",
         QStringLiteral("datiGenerali[\"07\"]: la chiave deve essere il numero di un campo generale."));
    json("field 65 with its N/A mark",
         R"({"modello": "Tradizionale", "datiGenerali": {"65": "3"}, "riunioniNA": true})",
         QStringLiteral(
             "riunioniNA: con il campo 65 segnato come non applicabile, datiGenerali[\"65\"] deve essere "
             "vuoto."));
    json("count outside Tradizionale", R"({"modello": "Monistico", "conteggiRiquadroII": ["", "2", ""]})",
         QStringLiteral(
             "conteggiRiquadroII[1]: il modello Monistico non ha i numeri di riunioni del Riquadro II; "
             "deve essere vuoto."));
    auto risposte = [&](const QString& primi) {
        QStringList r(82, QStringLiteral("\"\""));
        const QStringList dati = primi.split(u',');
        for (int k = 0; k < dati.size(); ++k)
            r[k] = dati.at(k);
        return QStringLiteral("{\"modello\": \"Tradizionale\", \"risposte\": [%1]}")
            .arg(r.join(u','))
            .toUtf8();
    };
    json(
        "not an answer", risposte(QStringLiteral("\"Si\"")),
        QStringLiteral("risposte[0]: \"Si\" non è una risposta: deve essere \"SI\", \"NO\", \"NA\" o \"\"."));
    json("N/A where there is no N/A box",
         risposte(QStringLiteral("\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"NA\"")),
         QStringLiteral("risposte[7]: nel modello Tradizionale la domanda 7 non ha la casella NA."));
    QStringList conteggio(82, QStringLiteral("\"\""));
    conteggio[34] = QStringLiteral("\"SI\"");
    json("answer where a count stands",
         QStringLiteral("{\"modello\": \"Tradizionale\", \"risposte\": [%1]}")
             .arg(conteggio.join(u','))
             .toUtf8(),
         QStringLiteral(
             "risposte[34]: nel modello Tradizionale la domanda 34 non ha caselle di risposta; deve essere "
             "\"\"."));
    QStringList note(82, QStringLiteral("\"\""));
    note[5] = u'"' + QString(65001, u'x') + u'"';
    json("note over the limit",
         QStringLiteral("{\"modello\": \"Tradizionale\", \"noteAltre\": [%1]}").arg(note.join(u',')).toUtf8(),
         QStringLiteral("noteAltre[5]: la nota ha 65001 caratteri, al massimo 65000."));

    file("missing JSON file", {QStringLiteral("verifica"), percorso(QStringLiteral("non-c-e.json"))},
         p + QStringLiteral("Impossibile leggere il JSON %1: il file non esiste.\n")
                 .arg(percorso(QStringLiteral("non-c-e.json"))));
    file("missing FILE", {QStringLiteral("leggi"), nonCe},
         p + QStringLiteral("Impossibile leggere il file %1: il file non esiste.\n").arg(nonCe));
    file("missing FILE, model given",
         {QStringLiteral("leggi"), QStringLiteral("--modello"), QStringLiteral("Dualistico"), nonCe},
         attenzione);
    file("empty file", {QStringLiteral("verifica"), vuoto},
         p + QStringLiteral("Impossibile leggere il file %1: il contenuto è vuoto.\n").arg(vuoto));
    file("truncated XML, model given",
         {QStringLiteral("leggi"), QStringLiteral("--modello"), QStringLiteral("Tradizionale"), tronco},
         attenzione);
    file("another model's file",
         {QStringLiteral("leggi"), QStringLiteral("--modello"), QStringLiteral("Monistico"), dual},
         p + QStringLiteral("Errore: Quello che si sta cercando di aprire non è un MODELLO MONISTICO.\n"
                            "Operazione annullata.\n"));
    file("DOCTYPE with entities", {QStringLiteral("leggi"), entita},
         p + QStringLiteral("Impossibile leggere il file %1: il documento dichiara delle entità (DOCTYPE con "
                            "<!ENTITY>), che non sono ammesse.\n")
                 .arg(entita));
    file("DOCTYPE with entities, model given",
         {QStringLiteral("verifica"), QStringLiteral("--modello"), QStringLiteral("Tradizionale"), entita},
         attenzione);

    uso("no command", {}, QStringLiteral("manca il comando (leggi, scrivi, verifica o stampa)"));
    uso("unknown command", {QStringLiteral("stampe"), trad},
        QStringLiteral("comando sconosciuto \"stampe\" (leggi, scrivi, verifica o stampa)"));
    uso("stampa with neither -o nor --traccia", {QStringLiteral("stampa"), trad},
        QStringLiteral("stampa: serve -o PDF oppure --traccia, uno dei due"));
    uso("stampa with both",
        {QStringLiteral("stampa"), trad, QStringLiteral("-o"), percorso("r.pdf"),
         QStringLiteral("--traccia")},
        QStringLiteral("stampa: serve -o PDF oppure --traccia, uno dei due"));
    file("stampa of another model's file",
         {QStringLiteral("stampa"), QStringLiteral("--modello"), QStringLiteral("Monistico"), dual,
          QStringLiteral("--traccia")},
         p + QStringLiteral("Errore: Quello che si sta cercando di aprire non è un MODELLO MONISTICO.\n"
                            "Operazione annullata.\n"));
    uso("no FILE", {QStringLiteral("leggi")}, QStringLiteral("leggi: manca FILE"));
    uso("two FILEs", {QStringLiteral("verifica"), trad, dual},
        QStringLiteral("verifica: un solo FILE, non 2"));
    uso("unknown option", {QStringLiteral("leggi"), QStringLiteral("--tutti"), trad},
        QStringLiteral("opzione sconosciuta per leggi: --tutti"));
    uso("unknown model",
        {QStringLiteral("leggi"), QStringLiteral("--modello"), QStringLiteral("Misto"), trad},
        QStringLiteral("--modello \"Misto\" sconosciuto (Tradizionale, Dualistico o Monistico)"));
    uso("no -o", {QStringLiteral("scrivi"), QStringLiteral("-")},
        QStringLiteral("scrivi: manca -o FILE, il file da scrivere"));
    uso("-o without its value", {QStringLiteral("scrivi"), QStringLiteral("-"), QStringLiteral("-o")},
        QStringLiteral("l'opzione -o richiede un valore"));
    uso("--modello with a JSON",
        {QStringLiteral("verifica"), QStringLiteral("--modello"), QStringLiteral("Monistico"), troppo},
        QStringLiteral("verifica: --modello vale solo per i file XML; un JSON nomina il proprio modello"));
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << QByteArray() << 0 << QString()
                               << QStringLiteral("scheda-ombrisa-cli 2.0.0\n");
}

void TestRigaComando::ingressoErrato()
{
    QFETCH(QStringList, argomenti);
    QFETCH(QByteArray, ingresso);
    QFETCH(int, uscita);
    QFETCH(QString, errori);
    QFETCH(QString, uscitaStandard);
    const Esecuzione e = eseguiProgramma(argomenti, ingresso);
    QCOMPARE(e.errori, errori);
    QCOMPARE(e.uscita, uscita);
    QCOMPARE(e.uscitaStandard, uscitaStandard);
    QVERIFY(!QFileInfo::exists(percorso(QStringLiteral("mai.xml"))));
}

void TestRigaComando::percorsiSpeciali_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("nome"); // inside the test's folder
    QTest::addColumn<QString>("errore");

    const QString leggere = QStringLiteral("Impossibile leggere il file %1: ");
    const QString scrivere = QStringLiteral("Impossibile scrivere il file %1: ");
    QTest::newRow("read a pipe with no writer") << "leggi"
                                                << "tubo" << leggere + "non è un file ordinario.";
    QTest::newRow("check a device") << "verifica"
                                    << "/dev/zero" << leggere + "non è un file ordinario.";
    QTest::newRow("JSON from a pipe")
        << "scrivi"
        << "tubo" << QStringLiteral("Impossibile leggere il JSON %1: non è un file ordinario.");
    QTest::newRow("write onto a pipe") << "-o"
                                       << "tubo" << scrivere + "non è un file ordinario";
    QTest::newRow("write onto a device node") << "-o"
                                              << "nodo" << scrivere + "non è un file ordinario";
    QTest::newRow("write onto a folder") << "-o"
                                         << "cartella" << scrivere + "il percorso indica una cartella";
    QTest::newRow("read a folder") << "leggi"
                                   << "cartella" << leggere + "il percorso indica una cartella.";
    QTest::newRow("read a file over the cap")
        << "leggi"
        << "enorme.xml" << leggere + "è più grande di 256 MB, il massimo che si legge.";
    QTest::newRow("write with no permission")
        << "-o"
        << "chiusa/nuovo.xml" << scrivere + "impossibile creare il file nella cartella";
}

// Paths that are not ordinary files, or that are too big, are neither waited on, nor read whole, nor
// replaced: exit status 2, the message, and the path as it was.
void TestRigaComando::percorsiSpeciali()
{
    QFETCH(QString, comando);
    QFETCH(QString, nome);
    QFETCH(QString, errore);
    QTemporaryDir cartella;
    const QString bersaglio = nome.startsWith(u'/') ? nome : cartella.filePath(nome);
    if (nome == "tubo")
        QVERIFY(mkfifo(QFile::encodeName(bersaglio).constData(), 0600) == 0);
    if (nome == "nodo" && mknod(QFile::encodeName(bersaglio).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
        QSKIP("making a device node needs root");
    if (nome == "cartella" || nome.startsWith("chiusa"))
        QVERIFY(QDir(cartella.path()).mkdir(nome.section(u'/', 0, 0)));
    if (nome.startsWith("chiusa")) {
        QFile::setPermissions(cartella.filePath("chiusa"), QFile::ReadOwner | QFile::ExeOwner);
        if (geteuid() == 0)
            QSKIP("as root, folder permissions do not stop a write");
    }
    if (nome == "enorme.xml") {
        QFile enorme(bersaglio);
        QVERIFY(enorme.open(QIODevice::WriteOnly) &&
                enorme.resize(qint64(300) << 20)); // sparse: no disk used
    }
    const QString json = cartella.filePath("q.json");
    scriviFileTesto(json, R"({"modello": "Tradizionale"})");
    struct stat prima
    {};
    stat(QFile::encodeName(bersaglio).constData(), &prima);

    QStringList argomenti{comando, bersaglio};
    if (comando == "-o")
        argomenti = {"scrivi", json, "-o", bersaglio};
    else if (comando == "scrivi")
        argomenti << "-o" << cartella.filePath("x.xml");
    const Esecuzione e = eseguiProgramma(argomenti);
    QCOMPARE(e.errori, "scheda-ombrisa-cli: " + errore.arg(bersaglio) + "\n");
    QCOMPARE(e.uscita, 2);
    struct stat dopo
    {};
    stat(QFile::encodeName(bersaglio).constData(), &dopo);
    QCOMPARE(dopo.st_mode, prima.st_mode);
    QCOMPARE(dopo.st_ino, prima.st_ino);
}

// "stampa": the drawing operations, one a line, from a JSON or an XML file alike; the PDF through the
// program.
void TestRigaComando::stampa()
{
    const QString json = percorso(QStringLiteral("stampa.json"));
    scriviFileTesto(json, R"(  {"modello": "Dualistico", "datiGenerali": {"0": "Alfa \"S.p.A.\""}})");
    const Esecuzione traccia = esegui({QStringLiteral("stampa"), json, QStringLiteral("--traccia")});
    QCOMPARE(traccia.errori, QString());
    QCOMPARE(traccia.uscita, 0);
    const QStringList righe = traccia.uscitaStandard.split(u'\n');
    QCOMPARE(righe.mid(0, 3),
             (QStringList{
                 "[",
                 "  {\"op\": \"testo\", \"x\": 5.0, \"y\": 1.0, \"testo\": \"TAMREL - SCHEDA RIEPILOGATIVA "
                 "DELL'OMBRISA v. 2.0\", \"dimensione\": 15, \"grassetto\": false},",
                 // (197 - 18 characters x 0.18 x 12) / 2
                 "  {\"op\": \"testo\", \"x\": 79.06, \"y\": 10.0, \"testo\": \"MODELLO DUALISTICO\", "
                 "\"dimensione\": 12, \"grassetto\": false},"}));
    QVERIFY(righe.contains(
        "  {\"op\": \"testo\", \"x\": 0.0, \"y\": 25.0, \"testo\": \"Denominazione della società\", "
        "\"dimensione\": 10, \"grassetto\": true},"));
    QVERIFY(righe.contains("  {\"op\": \"nuovaPagina\"},"));
    QCOMPARE(righe.mid(righe.size() - 3), (QStringList{"  {\"op\": \"fine\"}", "]", ""}));

    const QString xml = percorso(QStringLiteral("stampa.xml"));
    QCOMPARE(esegui({QStringLiteral("scrivi"), json, QStringLiteral("-o"), xml}).uscita, 0);
    QCOMPARE(esegui({QStringLiteral("stampa"), xml, QStringLiteral("--traccia")}).uscitaStandard,
             traccia.uscitaStandard);
    const QString pdf = percorso(QStringLiteral("stampa.pdf"));
    const Esecuzione stampato = eseguiProgramma({QStringLiteral("stampa"), xml, QStringLiteral("-o"), pdf});
    QCOMPARE(stampato.errori, QString());
    QCOMPARE(stampato.uscita, 0);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
}

// A version 1.1 file is read and printed as the traditional window reads and prints it; only that window
// hands it over, and a broken one ends in the reader's message.
void TestRigaComando::versione11()
{
    const QString v11 = QStringLiteral(DATI_TEST "/v11/completo.xml");
    const Esecuzione letto = esegui({QStringLiteral("leggi"), v11});
    QCOMPARE(letto.uscita, 0);
    QStringList chiavi;
    for (const QString& riga : letto.uscitaStandard.split(u'\n'))
        if (riga.startsWith(QStringLiteral("  \"")))
            chiavi << riga.section(u'"', 1, 1);
    QCOMPARE(chiavi, (QStringList{"versione", "datiGenerali", "minoranze", "conteggi", "risposte", "noteSI",
                                  "noteAltre", "segniNota"}));
    QVERIFY(letto.uscitaStandard.contains(QStringLiteral("\n    \"36\": \"2004\"\n  },\n")));
    QVERIFY(letto.uscitaStandard.contains(
        QStringLiteral("  \"minoranze\": [true, false, false, false, true],\n")));
    QVERIFY(letto.uscitaStandard.contains(QStringLiteral("\"Prima riga, perche' no\\r\\nseconda riga")));

    const Esecuzione traccia = esegui({QStringLiteral("stampa"), v11, QStringLiteral("--traccia")});
    QCOMPARE(traccia.uscita, 0);
    for (int pagina = 1; pagina <= 4; ++pagina)
        QVERIFY(traccia.uscitaStandard.contains(
            QStringLiteral("\"testo\": \"Pagina %1 di 4 pagine\"").arg(pagina)));

    const QString attenzione =
        QStringLiteral("scheda-ombrisa-cli: Errore: ATTENZIONE: impossibile aprire il file.\n"
                       "Verificare che il nome del file sia corretto e che abbia un'estensione "
                       "XML\nOperazione annullata!!!\n");
    for (const QStringList& argomenti :
         {QStringList{QStringLiteral("leggi"), QStringLiteral("--modello"), QStringLiteral("Dualistico"),
                      v11},
          QStringList{QStringLiteral("leggi"), QStringLiteral(DATI_TEST "/v11/nota-non-chiusa.xml")},
          QStringList{QStringLiteral("stampa"), QStringLiteral(DATI_TEST "/v11/nota-non-chiusa.xml"),
                      QStringLiteral("--traccia")}}) {
        const Esecuzione rifiutato = esegui(argomenti);
        QCOMPARE(rifiutato.uscita, 2);
        QCOMPARE(rifiutato.errori, attenzione);
        QCOMPARE(rifiutato.uscitaStandard, QString());
    }
}

QTEST_GUILESS_MAIN(TestRigaComando)
#include "tst_rigacomando.moc"
