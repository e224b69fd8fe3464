#include "cli/jsonquestionario.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"
#include "support/questionariocasuale.h"
#include "support/questionariocompleto.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Modello)

namespace {

struct Esecuzione
{
    int uscita = -1;
    QString uscitaStandard, errori;
};

// "@name" is a file of the test's folder, "%name" one of the test data.
QString conPercorsi(QString testo)
{
    static QTemporaryDir cartella;
    return testo.replace(u'@', cartella.path() + u'/').replace(u'%', QStringLiteral(DATI_TEST "/"));
}

QStringList argomenti(const QString& riga)
{
    QStringList parole;
    for (const QString& parola : riga.split(u' ', Qt::SkipEmptyParts))
        parole << conPercorsi(parola);
    return parole;
}

// The program run on a command line, within half a minute: a read that waits on a pipe never ends.
Esecuzione esegui(const QString& riga, const QByteArray& ingresso = {})
{
    QProcess p;
    p.start(QStringLiteral(PROGRAMMA_CLI), argomenti(riga));
    p.write(ingresso);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return {-1, QString(), QStringLiteral("bloccato, o finito male")}; // the destructor kills it
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

void scriviFileTesto(const QString& percorso, const QByteArray& contenuto)
{
    QFile f(conPercorsi(percorso));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(contenuto), contenuto.size());
}

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
    void andataERitorno_data();
    void andataERitorno();
    void formatoJson();
    void comandi_data();
    void comandi();
    void stampa();
};

void TestRigaComando::andataERitorno_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<quint32>("seme");
    for (Modello m : tuttiIModelli)
        for (quint32 seme = 1; seme <= 12; ++seme)
            QTest::addRow("%s %u", qPrintable(nomeModello(m)), seme) << m << seme;
}

// JSON to file to JSON keeps the questionnaire; the program's own output goes round unchanged.
void TestRigaComando::andataERitorno()
{
    QFETCH(Modello, modello);
    QFETCH(quint32, seme);
    InterazioneFinta finta;
    Questionario originale(modello, finta);
    Generatore(seme * 3 + quint32(modello)).riempi(originale, false);

    const Esecuzione scritto = esegui("scrivi - -o @andata.xml", questionarioInJson(originale));
    QCOMPARE(std::pair(scritto.uscita, scritto.errori), std::pair(0, QString()));
    const Esecuzione letto = esegui("leggi @andata.xml");
    QCOMPARE(std::pair(letto.uscita, letto.errori), std::pair(0, QString()));
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
    const QByteArray entrata = R"({"membri": [
        ["x", "Anna", "", "", "", "", "", "", "", "", "", "Revisore.", "NO"],
        ["Pres.", "Bruno", "", "", "", "", "", "", "", "", "", "", "SI"]],
        "datiGenerali": {"62": "9", "4": "\u00e8\\\"\r\n\t\u0001"}, "modello": "Monistico"})";
    const QString json = QString::fromUtf8(questionarioInJson(*questionarioDaJson(entrata, finta)));
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
    QVERIFY(json.startsWith("{\n") && json.endsWith("\n}\n"));
}

void TestRigaComando::comandi_data()
{
    QTest::addColumn<QString>("riga");
    QTest::addColumn<QByteArray>("ingresso"); // on standard input, and in the file @ingresso.json
    QTest::addColumn<int>("uscita");
    QTest::addColumn<QString>("errori"); // after the program's name; "@name" is a path, as in `riga`
    QTest::addColumn<QString>("uscitaStandard");

    // Files: a good two-tier file, then hostile ones and paths that are not ordinary files, or too big.
    QCOMPARE(esegui("scrivi - -o @dual.xml", R"({"modello": "Dualistico"})").uscita, 0);
    scriviFileTesto("@vuoto.xml", QByteArray());
    scriviFileTesto("@entita.xml",
                    "<?xml version=\"1.0\"?>\n<!DOCTYPE S [<!ENTITY e \"eeeeeeeeee\"><!ENTITY f "
                    "\"&e;&e;&e;&e;\">]>\n<SchedaOrganoControllo><S><ModelloTradizionale>&f;"
                    "</ModelloTradizionale></S></SchedaOrganoControllo>");
    scriviFileTesto("@troppo.json", R"({"modello": "Tradizionale"})");
    const auto c = [](const char* nome) { return QFile::encodeName(conPercorsi(nome)); };
    QVERIFY(mkfifo(c("@tubo"), 0600) == 0 && mkdir(c("@cartella"), 0700) == 0 &&
            mkdir(c("@chiusa"), 0500) == 0);
    // A copy of /dev/null, which only root can make: the device a save as root must never replace.
    const bool nodo = mknod(c("@nodo"), S_IFCHR | 0600, makedev(1, 3)) == 0;
    QFile enorme(conPercorsi("@enorme.xml"));
    QVERIFY(enorme.open(QIODevice::WriteOnly) && enorme.resize(qint64(300) << 20)); // sparse: no disk used
    // To check: complete; a bad start date, offices over the maximum, note 2.a missing; the same with it.
    InterazioneFinta finta;
    Questionario q(Modello::Tradizionale, finta);
    compilaCompleto(q);
    const QByteArray completo = questionarioInJson(q);
    const auto modifica = [&](bool nota7) {
        const Questionario::Caricamento caricamento(q);
        q.setCampoGenerale(35, "13");
        q.setCampoGenerale(33, "2");
        q.membri().setCella(1, 5, "3");
        q.setBox(7, Casella::SI, false);
        q.setBox(7, Casella::NO, true);
        q.setNotaAltre(7, nota7 ? "Nota." : "");
        q.setSegnoNota(7, nota7);
        return questionarioInJson(q);
    };
    const QByteArray senzaNota = modifica(false), date = modifica(true);

    const auto riga = [&](const QString& nome, const QString& r, const QByteArray& ingresso, int uscita,
                          const QString& errore, const QString& uscitaStandard = {}) {
        QTest::newRow(qPrintable(nome)) << r << ingresso << uscita << errore << uscitaStandard;
    };
    // A JSON refused: its model, then the keys that follow it (or, with no model, the whole text).
    const auto json = [&](const char* modello, const QByteArray& testo, const QString& errore) {
        riga(errore, "scrivi - -o @mai.xml",
             modello ? "{\"modello\": \"" + QByteArray(modello) + "\", " + testo + '}' : testo, 2,
             errore + u'\n');
    };
    const auto elenco = [](const char* chiave, int indice, const QString& valore) {
        QStringList voci(82, "\"\"");
        voci[indice] = valore;
        return QStringLiteral("\"%1\": [%2]").arg(chiave, voci.join(u',')).toUtf8();
    };
    const char *T = "Tradizionale", *D = "Dualistico", *M = "Monistico";
    json({}, R"({"modello": "Tradizionale",)",
         "JSON non valido al byte 27: manca il nome di una chiave, o l'oggetto non è chiuso.");
    json(T, R"("datiGenerali": {"0": "a", "0": "b"})", "datiGenerali: chiave \"0\" ripetuta.");
    json(T, "\"datiGenerali\": {\"0\": \"\xC3\x28\"}", "JSON non valido al byte 51: testo UTF-8 non valido.");
    json({}, "{\"modello\": \"\xF2", "JSON non valido al byte 13: testo UTF-8 non valido."); // cut at the end
    json({}, "  \n", "Il JSON è vuoto.");
    json({}, "[1]", "Il JSON deve essere un oggetto con le chiavi del questionario.");
    json({}, "{}", "Manca la chiave modello (Tradizionale, Dualistico o Monistico).");
    json({}, R"({"modello": "tradizionale"})",
         "modello: \"tradizionale\" non è un modello: deve essere Tradizionale, Dualistico o Monistico.");
    json(M, R"("note": [])", "Chiave \"note\" sconosciuta.");
    json(M, R"("riunioniNA": "no")", "riunioniNA deve essere true o false.");
    json(M, R"("datiGenerali": {"1": 123})", "datiGenerali[\"1\"] deve essere un testo.");
    json(M, R"("risposte": "SI")", "risposte deve essere un elenco.");
    json(T, R"("risposte": ["SI"])", "risposte deve avere 82 elementi, non 1.");
    json(D, R"("membri": [["Pres.", "Anna"]])",
         "membri[0] deve avere 12 colonne nel modello Dualistico, non 2.");
    json(D, R"("datiGenerali": {"65": "3"})",
         "datiGenerali[\"65\"]: il modello Dualistico non ha il campo generale 65.");
    json(M, R"("datiGenerali": {"07": "x"})",
         "datiGenerali[\"07\"]: la chiave deve essere il numero di un campo generale.");
    json(T, R"("datiGenerali": {"65": "3"}, "riunioniNA": true)",
         "riunioniNA: con il campo 65 segnato come non applicabile, datiGenerali[\"65\"] deve essere vuoto.");
    json(M, R"("conteggiRiquadroII": ["", "2", ""])",
         "conteggiRiquadroII[1]: il modello Monistico non ha i "
         "numeri di riunioni del Riquadro II; deve essere vuoto.");
    json(T, elenco("risposte", 0, "\"Si\""),
         "risposte[0]: \"Si\" non è una risposta: deve essere \"SI\", \"NO\", \"NA\" o \"\".");
    json(T, elenco("risposte", 7, "\"NA\""),
         "risposte[7]: nel modello Tradizionale la domanda 7 non ha la casella NA.");
    json(T, elenco("risposte", 34, "\"SI\""),
         "risposte[34]: nel modello Tradizionale la domanda 34 non "
         "ha caselle di risposta; deve essere \"\".");
    json(T, elenco("noteAltre", 5, u'"' + QString(65001, u'x') + u'"'),
         "noteAltre[5]: la nota ha 65001 caratteri, al massimo 65000.");

    // Files refused: none waited on, read whole or replaced.
    const auto file = [&](const char* r, const QString& errore) { riga(r, r, {}, 2, errore + u'\n'); };
    const QString attenzione = "Errore: ATTENZIONE: impossibile aprire il file.\nVerificare che il nome "
                               "del file sia corretto e che abbia un'estensione XML\nOperazione annullata!!!";
    const QString leggere = "Impossibile leggere il file ", scrivere = "Impossibile scrivere il file ";
    file("verifica @non-c-e.json", "Impossibile leggere il JSON @non-c-e.json: il file non esiste.");
    file("leggi @non-c-e.xml", leggere + "@non-c-e.xml: il file non esiste.");
    file("leggi --modello Dualistico @non-c-e.xml", attenzione);
    file("verifica @vuoto.xml", leggere + "@vuoto.xml: il contenuto è vuoto.");
    file("leggi --modello Monistico @dual.xml",
         "Errore: Quello che si sta cercando di aprire non è un MODELLO MONISTICO.\nOperazione annullata.");
    file("leggi @entita.xml", leggere + "@entita.xml: il documento dichiara delle entità (DOCTYPE con "
                                        "<!ENTITY>), che non sono ammesse.");
    // Only the traditional window hands a file of version 1.1 over to its reader.
    file("leggi --modello Dualistico %v11/completo.xml", attenzione);
    file("stampa %v11/nota-non-chiusa.xml --traccia", attenzione);
    file("leggi @tubo", leggere + "@tubo: non è un file ordinario.");
    file("scrivi @tubo -o @mai.xml", "Impossibile leggere il JSON @tubo: non è un file ordinario.");
    file("scrivi @troppo.json -o @tubo", scrivere + "@tubo: non è un file ordinario");
    if (nodo)
        file("scrivi @troppo.json -o @nodo", scrivere + "@nodo: non è un file ordinario");
    file("scrivi @troppo.json -o @cartella", scrivere + "@cartella: il percorso indica una cartella");
    file("leggi @cartella", leggere + "@cartella: il percorso indica una cartella.");
    file("leggi @enorme.xml", leggere + "@enorme.xml: è più grande di 256 MB, il massimo che si legge.");
    if (geteuid() != 0) // as root, folder permissions do not stop a write
        file("scrivi @troppo.json -o @chiusa/nuovo.xml",
             QStringLiteral("%1@chiusa/nuovo.xml: impossibile creare il file nella cartella (%2)")
                 .arg(scrivere, qt_error_string(EACCES)));

    const auto uso = [&](const char* r, const QString& motivo) {
        riga("uso: " + QString(r), r, {}, 64, motivo + ".\nPer l'uso: scheda-ombrisa-cli --help\n");
    };
    uso("", "manca il comando (leggi, scrivi, verifica o stampa)");
    uso("stampe @dual.xml", "comando sconosciuto \"stampe\" (leggi, scrivi, verifica o stampa)");
    uso("stampa @dual.xml", "stampa: serve -o PDF oppure --traccia, uno dei due");
    uso("stampa @dual.xml -o @r.pdf --traccia", "stampa: serve -o PDF oppure --traccia, uno dei due");
    uso("leggi", "leggi: manca FILE");
    uso("verifica @dual.xml @vuoto.xml", "verifica: un solo FILE, non 2");
    uso("leggi --tutti @dual.xml", "opzione sconosciuta per leggi: --tutti");
    uso("leggi --modello Misto @dual.xml",
        "--modello \"Misto\" sconosciuto (Tradizionale, Dualistico o Monistico)");
    uso("scrivi -", "scrivi: manca -o FILE, il file da scrivere");
    uso("scrivi - -o", "l'opzione -o richiede un valore");
    uso("verifica --modello Monistico @troppo.json",
        "verifica: --modello vale solo per i file XML; un JSON nomina il proprio modello");

    // "verifica": messages as the window shows them; --tutti takes the question on note 1.0.c as a problem.
    riga("verifica, passed", "verifica --json @ingresso.json", completo, 0, {},
         "{\n  \"esito\": \"ok\",\n  \"messaggi\": []\n}\n");
    riga(
        "verifica, as text", "verifica @ingresso.json", senzaNota, 1, {},
        "Errore\nVerificare la <Nota 2.a> nel Riquadro I [1/2]\nprima di passare alla generazione del file.\n");
    riga("verifica, the question as text", "verifica @ingresso.json", date, 1, {},
         "Attenzione\nSi è inserita una data non corretta!\n\nAttenzione\nIl numero massimo di incarichi "
         "previsti dallo statuto\nè inferiore agli incarichi ricoperti.\nE' necessario compilare la nota "
         "1.0.c.\nSi desidera compilare tale nota adesso?\n");
    riga("verifica --tutti, a date goes on", "verifica --tutti --json @ingresso.json", date, 1, {},
         "{\n  \"esito\": \"errore\",\n  \"messaggi\": [\n    {\"titolo\": \"Attenzione\", \"testo\": \"Si è "
         "inserita una data non corretta!\", \"pagina\": null, \"focus\": \"TEXT_GENERALE_34\"},\n    "
         "{\"titolo\": \"Errore\", \"testo\": \"Verificare la <Nota 1.0.c> nel Dati Generali\\r\\nprima di "
         "passare alla generazione del file.\", \"pagina\": 0, \"focus\": null}\n  ]\n}\n");
    riga("--version", "--version", {}, 0, {}, "scheda-ombrisa-cli 2.0.0\n");
}

// Every command line ends in its exit status and its messages to the letter; no file it names is replaced.
void TestRigaComando::comandi()
{
    QFETCH(QString, riga);
    QFETCH(QByteArray, ingresso);
    QFETCH(int, uscita);
    QFETCH(QString, errori);
    QFETCH(QString, uscitaStandard);
    scriviFileTesto("@ingresso.json", ingresso);
    const auto nominati = [&riga] {
        QStringList stati;
        for (const QString& parola : argomenti(riga)) {
            struct stat s;
            if (stat(QFile::encodeName(parola).constData(), &s) == 0)
                stati << QStringLiteral("%1 %2 %3").arg(parola).arg(s.st_mode).arg(s.st_ino);
        }
        return stati;
    };
    const QStringList prima = nominati();
    const Esecuzione e = esegui(riga, ingresso);
    QCOMPARE(e.errori, conPercorsi(errori.isEmpty() ? errori : "scheda-ombrisa-cli: " + errori));
    QCOMPARE(e.uscita, uscita);
    QCOMPARE(e.uscitaStandard, uscitaStandard);
    QVERIFY(!QFile::exists(conPercorsi("@mai.xml")));
    QCOMPARE(nominati(), prima);
}

// "stampa": the drawing operations, from a JSON or an XML file alike; the PDF; a version 1.1 file as well.
void TestRigaComando::stampa()
{
    scriviFileTesto("@s.json", R"(  {"modello": "Dualistico", "datiGenerali": {"0": "Alfa \"S.p.A.\""}})");
    const Esecuzione traccia = esegui("stampa @s.json --traccia");
    QCOMPARE(std::pair(traccia.uscita, traccia.errori), std::pair(0, QString()));
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

    QCOMPARE(esegui("scrivi @s.json -o @stampa.xml").uscita, 0);
    QCOMPARE(esegui("stampa @stampa.xml --traccia").uscitaStandard, traccia.uscitaStandard);
    const Esecuzione stampato = esegui("stampa @stampa.xml -o @stampa.pdf");
    QCOMPARE(std::pair(stampato.uscita, stampato.errori), std::pair(0, QString()));
    QFile pdf(conPercorsi("@stampa.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");

    const QString letto = esegui("leggi %v11/completo.xml").uscitaStandard;
    QCOMPARE(chiavi(letto, "  "), (QStringList{"versione", "datiGenerali", "minoranze", "conteggi",
                                               "risposte", "noteSI", "noteAltre", "segniNota"}));
    QVERIFY(letto.contains("  \"minoranze\": [true, false, false, false, true],\n"));
    QVERIFY(esegui("stampa %v11/completo.xml --traccia").uscitaStandard.contains("Pagina 4 di 4 pagine\""));
}

QTEST_GUILESS_MAIN(TestRigaComando)
#include "tst_rigacomando.moc"
