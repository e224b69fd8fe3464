#include "cli/comandi.h"
#include "cli/jsonquestionario.h"
#include "modelli/posizionifile.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"
#include "support/questionariocasuale.h"
#include "support/questionariocompleto.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
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

// "@name" is a file of the test's folder, "%name" one of the test data.
QString conPercorsi(QString testo)
{
    static QTemporaryDir cartella;
    static const QRegularExpression nome(QStringLiteral("([@%])([\\w./-]+)"));
    for (auto m = nome.match(testo); m.hasMatch(); m = nome.match(testo, m.capturedStart())) {
        const QString percorso = m.captured(1) == u"@" ? cartella.filePath(m.captured(2))
                                                       : QStringLiteral(DATI_TEST "/") + m.captured(2);
        testo.replace(m.capturedStart(), m.capturedLength(), percorso);
    }
    return testo;
}

// The command line run in this process, with the same code as the program; or, with `programma`, the real
// executable. That must answer within half a minute (a read that waits on a pipe never would), and outside a
// sanitizer build it gets 1 GB of address space, so that reading an endless input fails.
Esecuzione esegui(const QStringList& argomenti, const QByteArray& ingresso = {}, bool programma = false)
{
    Esecuzione e;
    if (!programma) {
        QByteArray dati = ingresso;
        QBuffer buffer(&dati), uscita;
        buffer.open(QIODevice::ReadOnly);
        uscita.open(QIODevice::WriteOnly);
        QTextStream errori(&e.errori);
        e.uscita = eseguiRigaComando(QStringList{"scheda-ombrisa-cli"} + argomenti, buffer, uscita, errori);
        errori.flush();
        e.uscitaStandard = QString::fromUtf8(uscita.data());
        return e;
    }
    QProcess p;
#if !defined(__SANITIZE_ADDRESS__)
    p.setChildProcessModifier([] {
        const rlimit limite{rlim_t(1) << 30, rlim_t(1) << 30};
        setrlimit(RLIMIT_AS, &limite);
    });
#endif
    p.start(QStringLiteral(PROGRAMMA_CLI), argomenti);
    if (!p.waitForStarted())
        return e;
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

// A command line, words separated by spaces.
QStringList argomenti(const QString& riga)
{
    QStringList parole;
    for (const QString& parola : riga.split(u' ', Qt::SkipEmptyParts))
        parole << conPercorsi(parola);
    return parole;
}

Esecuzione esegui(const QString& riga, const QByteArray& ingresso = {}, bool programma = false)
{
    return esegui(argomenti(riga), ingresso, programma);
}

void scriviFileTesto(const QString& percorso, const QByteArray& contenuto)
{
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(contenuto), contenuto.size());
}

// The lines of a JSON that start with `rientro` and a key: the keys.
QStringList chiavi(const QString& json, const QString& rientro)
{
    QStringList trovate;
    for (const QString& riga : json.split(u'\n'))
        if (riga.startsWith(rientro + u'"') && riga.contains(QStringLiteral("\": ")))
            trovate << riga.section(u'"', 1, 1);
    return trovate;
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
    void comandi_data();
    void comandi();
    void stampa();
    void versione11();
};

void TestRigaComando::initTestCase()
{
    // The writer takes its templates from the program's folder; the build puts them beside the program.
    impostaCartellaProgramma(QFileInfo(QStringLiteral(PROGRAMMA_CLI)).absolutePath());
}

void TestRigaComando::andataERitorno_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<quint32>("seme");
    for (Modello m : tuttiIModelli) {
        for (quint32 seme = 1; seme <= 12; ++seme)
            QTest::addRow("%s %u", qPrintable(nomeModello(m)), seme) << m << seme;
    }
}

// A questionnaire written from its JSON and read back is the same questionnaire; the program's own output,
// written and read again, is the same text. The first of each model goes through the real executable.
void TestRigaComando::andataERitorno()
{
    QFETCH(Modello, modello);
    QFETCH(quint32, seme);
    InterazioneFinta finta;
    Questionario originale(modello, finta);
    Generatore(seme * 3 + quint32(modello)).riempi(originale, false);

    const Esecuzione scritto = esegui("scrivi - -o @andata.xml", questionarioInJson(originale), seme == 1);
    QCOMPARE(scritto.errori, QString());
    QCOMPARE(scritto.uscita, 0);
    const Esecuzione letto = esegui("leggi @andata.xml", {}, seme == 1);
    QCOMPARE(letto.errori, QString());
    QCOMPARE(letto.uscita, 0);
    const std::unique_ptr<Questionario> riletto = questionarioDaJson(letto.uscitaStandard.toUtf8(), finta);
    QCOMPARE(differenza(istantanea(*riletto), istantanea(originale, true)), QString());

    QCOMPARE(esegui("scrivi - -o @andata.xml", letto.uscitaStandard.toUtf8()).uscita, 0);
    QCOMPARE(esegui("leggi @andata.xml").uscitaStandard, letto.uscitaStandard);
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
    const QString json = QString::fromUtf8(questionarioInJson(*q));
    const QStringList righe = json.split(u'\n');
    QCOMPARE(chiavi(json, "  "), (QStringList{"modello", "datiGenerali", "riunioniNA", "conteggiRiquadroII",
                                              "risposte", "noteSI", "noteAltre", "segniNota", "membri"}));
    QCOMPARE(chiavi(json, "    "), (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "33", "34", "35",
                                                "36", "62", "63", "64", "65"}));
    QVERIFY(righe.contains("    \"4\": \"è\\\\\\\"\\r\\n\\t\\u0001\","));
    QVERIFY(righe.contains("  \"riunioniNA\": false,"));
    QVERIFY(righe.contains("  \"conteggiRiquadroII\": [\"\", \"\", \"\"],"));
    const QString vuote = QStringLiteral(", \"\"").repeated(9);
    QCOMPARE(righe.mid(righe.indexOf("  \"membri\": [") + 1, 4),
             (QStringList{"    [\"Pres.\", \"Anna\"" + vuote + ", \"Revisore.\", \"SI\"],",
                          "    [\"2\", \"Bruno\"" + vuote + ", \"\", \"\"],",
                          "    [\"3\", \"\"" + vuote + ", \"\", \"\"]", "  ]"}));
    QCOMPARE(righe.first(), "{");
    QCOMPARE(righe.mid(righe.size() - 2), (QStringList{"}", ""}));
}

void TestRigaComando::comandi_data()
{
    QTest::addColumn<QString>("riga");
    QTest::addColumn<QByteArray>("ingresso"); // on standard input, and in the file @ingresso.json
    QTest::addColumn<int>("uscita");
    QTest::addColumn<QString>("errori"); // "@name" stands for the file's path, as in `riga`
    QTest::addColumn<QString>("uscitaStandard");

    // Files: a good traditional and a good two-tier file, then hostile ones.
    QCOMPARE(esegui("scrivi - -o @trad.xml", R"({"modello": "Tradizionale"})").uscita, 0);
    QCOMPARE(esegui("scrivi - -o @dual.xml", R"({"modello": "Dualistico"})").uscita, 0);
    scriviFileTesto(conPercorsi("@vuoto.xml"), QByteArray());
    scriviFileTesto(
        conPercorsi("@entita.xml"),
        "<?xml version=\"1.0\"?>\n<!DOCTYPE S [<!ENTITY e \"eeeeeeeeee\"><!ENTITY f \"&e;&e;&e;&e;\">]>\n"
        "<SchedaOrganoControllo><S><ModelloTradizionale>&f;</ModelloTradizionale></S></SchedaOrganoControllo>");
    scriviFileTesto(conPercorsi("@troppo.json"), R"({"modello": "Tradizionale"})");
    // Paths that are not ordinary files, or that are too big.
    QVERIFY(mkfifo(QFile::encodeName(conPercorsi("@tubo")).constData(), 0600) == 0);
    const bool nodo =
        mknod(QFile::encodeName(conPercorsi("@nodo")).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    QVERIFY(QDir().mkpath(conPercorsi("@cartella")) && QDir().mkpath(conPercorsi("@chiusa")));
    QFile::setPermissions(conPercorsi("@chiusa"), QFile::ReadOwner | QFile::ExeOwner);
    QFile enorme(conPercorsi("@enorme.xml"));
    QVERIFY(enorme.open(QIODevice::WriteOnly) && enorme.resize(qint64(300) << 20)); // sparse: no disk used
    // Questionnaires to check: complete, then with problems.
    InterazioneFinta finta;
    Questionario q(Modello::Tradizionale, finta);
    compilaCompleto(q);
    const QByteArray completo = questionarioInJson(q);
    const auto modifica = [&](std::initializer_list<std::pair<int, const char*>> campi, bool nota7) {
        const Questionario::Caricamento caricamento(q);
        for (auto [campo, testo] : campi)
            q.setCampoGenerale(campo, testo);
        q.setBox(7, Casella::SI, false);
        q.setBox(7, Casella::NO, true);
        q.setNotaAltre(7, nota7 ? "Nota." : "");
        q.setSegnoNota(7, nota7);
        q.membri().setCella(1, 5, "3");
        return questionarioInJson(q);
    };
    // A bad start date, offices over the maximum; note 2.a missing, a number beyond 16 bits.
    const QByteArray senzaNota = modifica({{35, "13"}, {33, "2"}}, false), date = modifica({}, true),
                     oltre = modifica({{33, "40000"}, {35, "12"}}, true);

    const QString p = "scheda-ombrisa-cli: ";
    const QString attenzione =
        "Errore: ATTENZIONE: impossibile aprire il file.\nVerificare che il nome del file sia "
        "corretto e che abbia un'estensione XML\nOperazione annullata!!!";
    const QString monistico =
        "Errore: Quello che si sta cercando di aprire non è un MODELLO MONISTICO.\nOperazione annullata.";
    const auto json = [&](const char* nome, const QByteArray& testo, const QString& errore) {
        QTest::newRow(nome) << "scrivi - -o @mai.xml" << testo << 2 << p + errore + u'\n' << QString();
    };
    const auto file = [&](const char* nome, const char* riga, const QString& errore) {
        QTest::newRow(nome) << riga << QByteArray() << 2 << p + errore + u'\n' << QString();
    };
    const auto uso = [&](const char* nome, const char* riga, const QString& motivo) {
        QTest::newRow(nome) << riga << QByteArray() << 64
                            << p + motivo + ".\nPer l'uso: scheda-ombrisa-cli --help\n"
                            << QString();
    };
    // One of the 82 answers or notes.
    const auto elenco = [](const char* chiave, int indice, const QString& valore) {
        QStringList voci(82, "\"\"");
        voci[indice] = valore;
        return QStringLiteral("{\"modello\": \"Tradizionale\", \"%1\": [%2]}")
            .arg(chiave, voci.join(u','))
            .toUtf8();
    };

    json("malformed JSON", R"({"modello": "Tradizionale",)",
         "JSON non valido al byte 27: manca il nome di una chiave, o l'oggetto non è chiuso.");
    json("a key twice", R"({"modello": "Tradizionale", "datiGenerali": {"0": "a", "0": "b"}})",
         "datiGenerali: chiave \"0\" ripetuta.");
    json("invalid UTF-8", "{\"modello\": \"Tradizionale\", \"datiGenerali\": {\"0\": \"\xC3\x28\"}}",
         "JSON non valido al byte 51: testo UTF-8 non valido.");
    json("empty JSON", "  \n", "Il JSON è vuoto.");
    json("not an object", "[1]", "Il JSON deve essere un oggetto con le chiavi del questionario.");
    json("no model", "{}", "Manca la chiave modello (Tradizionale, Dualistico o Monistico).");
    json("unknown model", R"({"modello": "tradizionale"})",
         "modello: \"tradizionale\" non è un modello: deve essere Tradizionale, Dualistico o Monistico.");
    json("unknown key", R"({"modello": "Monistico", "note": []})", "Chiave \"note\" sconosciuta.");
    json("wrong type, mark", R"({"modello": "Monistico", "riunioniNA": "no"})",
         "riunioniNA deve essere true o false.");
    json("wrong type, general field", R"({"modello": "Monistico", "datiGenerali": {"1": 123}})",
         "datiGenerali[\"1\"] deve essere un testo.");
    json("wrong type, answers", R"({"modello": "Monistico", "risposte": "SI"})",
         "risposte deve essere un elenco.");
    json("wrong length, answers", R"({"modello": "Tradizionale", "risposte": ["SI"]})",
         "risposte deve avere 82 elementi, non 1.");
    json("wrong length, member row", R"({"modello": "Dualistico", "membri": [["Pres.", "Anna"]]})",
         "membri[0] deve avere 12 colonne nel modello Dualistico, non 2.");
    json("wrong type, member cell",
         R"({"modello": "Dualistico", "membri": [["", "", "", "", "", "", "", "", "", "", "", 0]]})",
         "membri[0][11] deve essere un testo.");
    json("general field the model lacks", R"({"modello": "Dualistico", "datiGenerali": {"65": "3"}})",
         "datiGenerali[\"65\"]: il modello Dualistico non ha il campo generale 65.");
    json("general field written 07", R"({"modello": "Monistico", "datiGenerali": {"07": "x"}})",
         "datiGenerali[\"07\"]: la chiave deve essere il numero di un campo generale.");
    json("field 65 with its N/A mark",
         R"({"modello": "Tradizionale", "datiGenerali": {"65": "3"}, "riunioniNA": true})",
         "riunioniNA: con il campo 65 segnato come non applicabile, datiGenerali[\"65\"] deve essere vuoto.");
    json(
        "count outside Tradizionale", R"({"modello": "Monistico", "conteggiRiquadroII": ["", "2", ""]})",
        "conteggiRiquadroII[1]: il modello Monistico non ha i numeri di riunioni del Riquadro II; deve essere vuoto.");
    json("not an answer", elenco("risposte", 0, "\"Si\""),
         "risposte[0]: \"Si\" non è una risposta: deve essere \"SI\", \"NO\", \"NA\" o \"\".");
    json("N/A where there is no N/A box", elenco("risposte", 7, "\"NA\""),
         "risposte[7]: nel modello Tradizionale la domanda 7 non ha la casella NA.");
    json(
        "answer where a count stands", elenco("risposte", 34, "\"SI\""),
        "risposte[34]: nel modello Tradizionale la domanda 34 non ha caselle di risposta; deve essere \"\".");
    json("note over the limit", elenco("noteAltre", 5, u'"' + QString(65001, u'x') + u'"'),
         "noteAltre[5]: la nota ha 65001 caratteri, al massimo 65000.");

    file("missing JSON file", "verifica @non-c-e.json",
         "Impossibile leggere il JSON @non-c-e.json: il file non esiste.");
    file("missing FILE", "leggi @non-c-e.xml",
         "Impossibile leggere il file @non-c-e.xml: il file non esiste.");
    file("missing FILE, model given", "leggi --modello Dualistico @non-c-e.xml", attenzione);
    file("empty file", "verifica @vuoto.xml",
         "Impossibile leggere il file @vuoto.xml: il contenuto è vuoto.");
    file("another model's file", "leggi --modello Monistico @dual.xml", monistico);
    file("stampa of another model's file", "stampa --modello Monistico @dual.xml --traccia", monistico);
    file(
        "DOCTYPE with entities", "leggi @entita.xml",
        "Impossibile leggere il file @entita.xml: il documento dichiara delle entità (DOCTYPE con <!ENTITY>), che "
        "non sono ammesse.");
    // Only the traditional window hands a file of version 1.1 over to its reader.
    file("version 1.1, model given", "leggi --modello Dualistico %v11/completo.xml", attenzione);
    file("version 1.1, broken", "leggi %v11/nota-non-chiusa.xml", attenzione);
    file("version 1.1, broken, stampa", "stampa %v11/nota-non-chiusa.xml --traccia", attenzione);

    // Neither waited on, nor read whole, nor replaced.
    const QString leggere = "Impossibile leggere il file ", scrivere = "Impossibile scrivere il file ";
    file("read a pipe with no writer", "leggi @tubo", leggere + "@tubo: non è un file ordinario.");
    file("check a device", "verifica /dev/zero", leggere + "/dev/zero: non è un file ordinario.");
    file("JSON from a pipe", "scrivi @tubo -o @mai.xml",
         "Impossibile leggere il JSON @tubo: non è un file ordinario.");
    file("write onto a pipe", "scrivi @troppo.json -o @tubo", scrivere + "@tubo: non è un file ordinario");
    if (nodo)
        file("write onto a device node", "scrivi @troppo.json -o @nodo",
             scrivere + "@nodo: non è un file ordinario");
    file("write onto a folder", "scrivi @troppo.json -o @cartella",
         scrivere + "@cartella: il percorso indica una cartella");
    file("read a folder", "leggi @cartella", leggere + "@cartella: il percorso indica una cartella.");
    file("read a file over the cap", "leggi @enorme.xml",
         leggere + "@enorme.xml: è più grande di 256 MB, il massimo che si legge.");
    if (geteuid() != 0) // as root, folder permissions do not stop a write
        file("write with no permission", "scrivi @troppo.json -o @chiusa/nuovo.xml",
             scrivere + "@chiusa/nuovo.xml: impossibile creare il file nella cartella (" +
                 qt_error_string(EACCES) + ")");

    uso("no command", "", "manca il comando (leggi, scrivi, verifica o stampa)");
    uso("unknown command", "stampe @trad.xml",
        "comando sconosciuto \"stampe\" (leggi, scrivi, verifica o stampa)");
    uso("stampa with neither -o nor --traccia", "stampa @trad.xml",
        "stampa: serve -o PDF oppure --traccia, uno dei due");
    uso("stampa with both", "stampa @trad.xml -o @r.pdf --traccia",
        "stampa: serve -o PDF oppure --traccia, uno dei due");
    uso("no FILE", "leggi", "leggi: manca FILE");
    uso("two FILEs", "verifica @trad.xml @dual.xml", "verifica: un solo FILE, non 2");
    uso("unknown option", "leggi --tutti @trad.xml", "opzione sconosciuta per leggi: --tutti");
    uso("unknown model", "leggi --modello Misto @trad.xml",
        "--modello \"Misto\" sconosciuto (Tradizionale, Dualistico o Monistico)");
    uso("no -o", "scrivi -", "scrivi: manca -o FILE, il file da scrivere");
    uso("-o without its value", "scrivi - -o", "l'opzione -o richiede un valore");
    uso("--modello with a JSON", "verifica --modello Monistico @troppo.json",
        "verifica: --modello vale solo per i file XML; un JSON nomina il proprio modello");
    // "verifica": the messages as the window shows them, with the page and the control of each; with --tutti
    // every problem, the question about note 1.0.c answered as a missing note.
    const auto verifica = [&](const char* nome, const char* opzioni, const QByteArray& json,
                              const QString& esito) {
        QTest::newRow(nome) << QStringLiteral("verifica %1 @ingresso.json").arg(opzioni) << json
                            << (esito.contains("\"ok\"") ? 0 : 1) << QString() << esito;
    };
    verifica("verifica, passed", "--json", completo, "{\n  \"esito\": \"ok\",\n  \"messaggi\": []\n}\n");
    verifica(
        "verifica, the first problem", "--json", senzaNota,
        "{\n  \"esito\": \"errore\",\n  \"messaggi\": [\n    {\"titolo\": \"Errore\", \"testo\": \"Verificare la "
        "<Nota 2.a> nel Riquadro I [1/2]\\r\\nprima di passare alla generazione del file.\", \"pagina\": 1, "
        "\"focus\": null}\n  ]\n}\n");
    verifica(
        "verifica, as text", "", senzaNota,
        "Errore\nVerificare la <Nota 2.a> nel Riquadro I [1/2]\nprima di passare alla generazione del file.\n");
    verifica(
        "verifica, a date goes on", "--json", date,
        "{\n  \"esito\": \"errore\",\n  \"messaggi\": [\n    {\"titolo\": \"Attenzione\", \"testo\": \"Si è "
        "inserita una data non corretta!\", \"pagina\": null, \"focus\": \"TEXT_GENERALE_34\"},\n    "
        "{\"titolo\": \"Attenzione\", \"testo\": \"Il numero massimo di incarichi previsti dallo statuto\\rè "
        "inferiore agli incarichi ricoperti.\\rE' necessario compilare la nota 1.0.c.\\rSi desidera compilare "
        "tale nota adesso?\", \"pagina\": null, \"focus\": \"TEXT_GENERALE_33\"}\n  ]\n}\n");
    verifica(
        "verifica, the question as text", "", date,
        "Attenzione\nSi è inserita una data non corretta!\n\nAttenzione\nIl numero massimo di incarichi previsti "
        "dallo statuto\nè inferiore agli incarichi ricoperti.\nE' necessario compilare la nota 1.0.c.\nSi desidera "
        "compilare tale nota adesso?\n");
    verifica(
        "verifica --tutti, as text", "--tutti", date,
        "Attenzione\nSi è inserita una data non corretta!\n\nErrore\nVerificare la <Nota 1.0.c> nel Dati "
        "Generali\nprima di passare alla generazione del file.\n");
    verifica(
        "verifica, a number beyond 16 bits", "--tutti --json", oltre,
        "{\n  \"esito\": \"errore\",\n  \"messaggi\": [\n    {\"titolo\": \"Tamrel - Scheda riepilogativa "
        "dell'Ombrisa v. 2.0\", \"testo\": \"Il valore \\\"40000\\\" supera il massimo consentito (32767).\", "
        "\"pagina\": null, \"focus\": null}\n  ]\n}\n");
    QTest::newRow("--version") << "--version" << QByteArray() << 0 << QString()
                               << "scheda-ombrisa-cli 2.0.0\n";
}

// Every command line ends in its exit status and its messages to the letter; no file it names is replaced.
void TestRigaComando::comandi()
{
    QFETCH(QString, riga);
    QFETCH(QByteArray, ingresso);
    QFETCH(int, uscita);
    QFETCH(QString, errori);
    QFETCH(QString, uscitaStandard);
    scriviFileTesto(conPercorsi("@ingresso.json"), ingresso);
    QList<std::pair<QByteArray, struct stat>> nominati;
    for (const QString& parola : argomenti(riga)) {
        struct stat prima
        {};
        if (stat(QFile::encodeName(parola).constData(), &prima) == 0)
            nominati.append({QFile::encodeName(parola), prima});
    }
    const Esecuzione e = esegui(argomenti(riga), ingresso, true);
    QCOMPARE(e.errori, conPercorsi(errori));
    QCOMPARE(e.uscita, uscita);
    QCOMPARE(e.uscitaStandard, uscitaStandard);
    QVERIFY(!QFileInfo::exists(conPercorsi("@mai.xml")));
    for (const auto& [percorso, prima] : nominati) {
        struct stat dopo
        {};
        stat(percorso.constData(), &dopo);
        QCOMPARE(dopo.st_mode, prima.st_mode);
        QCOMPARE(dopo.st_ino, prima.st_ino);
    }
}

// "stampa": the drawing operations, one a line, from a JSON or an XML file alike; the PDF through the
// program.
void TestRigaComando::stampa()
{
    scriviFileTesto(conPercorsi("@stampa.json"),
                    R"(  {"modello": "Dualistico", "datiGenerali": {"0": "Alfa \"S.p.A.\""}})");
    const Esecuzione traccia = esegui("stampa @stampa.json --traccia");
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
    QVERIFY(righe.contains("  {\"op\": \"testo\", \"x\": 0.0, \"y\": 25.0, \"testo\": \"Denominazione della "
                           "società\", \"dimensione\": 10, \"grassetto\": true},"));
    QVERIFY(righe.contains("  {\"op\": \"nuovaPagina\"},"));
    QCOMPARE(righe.mid(righe.size() - 3), (QStringList{"  {\"op\": \"fine\"}", "]", ""}));

    QCOMPARE(esegui("scrivi @stampa.json -o @stampa.xml").uscita, 0);
    QCOMPARE(esegui("stampa @stampa.xml --traccia").uscitaStandard, traccia.uscitaStandard);
    const Esecuzione stampato = esegui("stampa @stampa.xml -o @stampa.pdf", {}, true);
    QCOMPARE(stampato.errori, QString());
    QCOMPARE(stampato.uscita, 0);
    QFile file(conPercorsi("@stampa.pdf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
}

// A version 1.1 file is read and printed as the traditional window reads and prints it.
void TestRigaComando::versione11()
{
    const Esecuzione letto = esegui("leggi %v11/completo.xml");
    QCOMPARE(letto.uscita, 0);
    QCOMPARE(chiavi(letto.uscitaStandard, "  "),
             (QStringList{"versione", "datiGenerali", "minoranze", "conteggi", "risposte", "noteSI",
                          "noteAltre", "segniNota"}));
    QVERIFY(letto.uscitaStandard.contains("\n    \"36\": \"2004\"\n  },\n"));
    QVERIFY(letto.uscitaStandard.contains("  \"minoranze\": [true, false, false, false, true],\n"));
    QVERIFY(letto.uscitaStandard.contains("\"Prima riga, perche' no\\r\\nseconda riga"));

    const Esecuzione traccia = esegui("stampa %v11/completo.xml --traccia");
    QCOMPARE(traccia.uscita, 0);
    for (int pagina = 1; pagina <= 4; ++pagina)
        QVERIFY(traccia.uscitaStandard.contains(
            QStringLiteral("\"testo\": \"Pagina %1 di 4 pagine\"").arg(pagina)));
}

QTEST_GUILESS_MAIN(TestRigaComando)
#include "tst_rigacomando.moc"
