#include "cli/argomenti.h"

#include <QCommandLineParser>

namespace {

const QString aiutoGenerale = QStringLiteral(R"(Usage: scheda-ombrisa-cli COMMAND [options] FILE

Reads, writes, checks and prints questionnaire files without a window, with the
same reader, writer, check and report as the program's windows.

Commands:
  leggi FILE            print the questionnaire read from FILE as JSON
  scrivi JSON -o FILE   write the questionnaire described by JSON to FILE
  verifica FILE         run the check before generation on FILE
  stampa FILE -o PDF    print the questionnaire's report to a PDF file

Options:
  -h, --help            show this help; COMMAND --help shows the command's own
  --version             show the version

Exit status: 0 done (verifica: the check passed), 1 the check found a problem,
2 a file or the JSON could not be read or written, 64 wrong usage.
)");

const QString aiutoLeggi = QStringLiteral(R"(Usage: scheda-ombrisa-cli leggi [--modello MODEL] FILE

Reads FILE with the program's reader and prints the questionnaire as JSON on
standard output. The model is the one FILE names; with --modello the file is
read as that model's window reads it, so a file of another model is refused
with the window's message. A file of the older version 1.1 is read as the
traditional window reads it, and printed as
  {"versione": "1.1", "datiGenerali": {"0": ..., "36": ...},
   "minoranze": [5 booleans], "conteggi": [3 texts],
   "risposte": [72 answers], "noteSI": [72 texts], "noteAltre": [72 texts],
   "segniNota": [72 booleans]}

Options:
  --modello MODEL   Tradizionale, Dualistico or Monistico
  -h, --help        show this help

The JSON has these keys, always in this order:
  modello             "Tradizionale", "Dualistico" or "Monistico"
  datiGenerali        every general field of the model, by index: {"0": "...", ...}
  riunioniNA          the not-applicable mark of field 65 (false in Dualistico)
  conteggiRiquadroII  the three Riquadro II meeting counts (empty outside
                      Tradizionale)
  risposte            82 answers by question index: "SI", "NO", "NA" or ""
  noteSI, noteAltre   82 note texts each
  segniNota           82 note marks, true or false
  membri              every row of the members table, every column as text,
                      column 0 (the row label) first
Texts are given as held; line breaks in them are "\r\n".
)");

const QString aiutoScrivi = QStringLiteral(R"(Usage: scheda-ombrisa-cli scrivi JSON -o FILE

Builds the questionnaire described by JSON (a file, or - for standard input;
the keys are those that "leggi --help" lists) and writes it to FILE with the
program's writer, without the check before generation, as the temporary save
does. FILE is replaced atomically: when the write fails it stays as it was.

A missing key counts as empty. Column 0 and the requirements marker column of
membri are ignored and recomputed (row labels "Pres.", "2", ...; the marker
"SI" when the hidden requirements text is not empty); fewer than three rows are
padded to three. Refused, with exit status 2 and the key at fault named:
malformed JSON; an unknown key; a wrong type; an array of the wrong length; a
general field the model does not have; an answer whose box the question does
not have ("NA" where there is no N/A box, "NO" on a single box, any answer
where the model has no boxes or a meeting count stands in their place); a note
longer than 65000 characters; riunioniNA true together with a value in field
65, or in Dualistico; a Riquadro II count outside Tradizionale.

Options:
  -o, --uscita FILE   the file to write (required)
  -h, --help          show this help
)");

const QString aiutoVerifica =
    QStringLiteral(R"(Usage: scheda-ombrisa-cli verifica [--modello MODEL] [--json] [--tutti] FILE

Runs the check before generation on the questionnaire in FILE: an XML file, or
a JSON file as "scrivi" takes it when the name ends in .json. Every message the
window would show is printed on standard output, in order: its title, then its
text. The question whether to fill in note 1.0.c now is answered No.

Options:
  --modello MODEL   read an XML file as that model's window reads it
  --json            print instead
                      {"esito": "ok" | "errore",
                       "messaggi": [{"titolo": ..., "testo": ...,
                                     "pagina": ..., "focus": ...}, ...]}
                    where testo keeps the message's line breaks (\r\n, \r),
                    pagina is the page the window brings to the front for the
                    message and focus the objectName of the control that gets
                    the focus ("TEXT_GENERALE_33", "MSHFlexGrid1", "Check_SI_7",
                    "TEXT_0"); either may be null
  --tutti           go on past each problem and report every problem once,
                    without asking any question
  -h, --help        show this help

Exit status: 0 the check passed, 1 it found a problem, 2 FILE could not be read,
64 wrong usage.
)");

const QString aiutoStampa =
    QStringLiteral(R"(Usage: scheda-ombrisa-cli stampa [--modello MODEL] FILE (-o PDF | --traccia)

Prints the report of the questionnaire in FILE, as the window's "Stampa" does:
FILE is an XML file (read as "leggi" reads it, version 1.1 files included) or a
JSON as "scrivi" takes it, told apart by their content.

Options:
  -o, --uscita PDF  write the report to this PDF file (A4); it is replaced only
                    by a complete document
  --traccia         print instead, as JSON on standard output, every drawing
                    operation measured with a fixed metric (a character is
                    0.18 x size units wide, a line 0.42 x size units high):
                      [{"op": "testo", "x": X, "y": Y, "testo": T,
                        "dimensione": S, "grassetto": B},
                       {"op": "nuovaPagina"}, ..., {"op": "fine"}]
                    X and Y in page units, rounded to 3 decimals
  --modello MODEL   read an XML file as that model's window reads it
  -h, --help        show this help
)");

RichiestaRigaComando stampa(const QString& testo)
{
    return {std::nullopt, testo, UscitaFatto};
}

RichiestaRigaComando usoErrato(const QString& motivo)
{
    return {std::nullopt,
            QStringLiteral("%1: %2.\nPer l'uso: %1 --help\n").arg(nomeProgrammaRigaComando(), motivo),
            UscitaUsoErrato};
}

} // namespace

QString nomeProgrammaRigaComando()
{
    return QStringLiteral("scheda-ombrisa-cli");
}

QString versioneRigaComando()
{
    return QStringLiteral(VERSIONE_PROGRAMMA);
}

RichiestaRigaComando analizzaArgomenti(const QStringList& argomenti)
{
    const QStringList resto = argomenti.mid(1);
    if (resto.isEmpty())
        return usoErrato(QStringLiteral("manca il comando (leggi, scrivi, verifica o stampa)"));
    const QString& primo = resto.first();
    if (primo == QStringLiteral("-h") || primo == QStringLiteral("--help"))
        return stampa(aiutoGenerale);
    if (primo == QStringLiteral("--version"))
        return stampa(QStringLiteral("%1 %2\n").arg(nomeProgrammaRigaComando(), versioneRigaComando()));

    Argomenti a;
    const QString* aiuto = nullptr;
    if (primo == QStringLiteral("leggi")) {
        a.comando = Comando::Leggi;
        aiuto = &aiutoLeggi;
    } else if (primo == QStringLiteral("scrivi")) {
        a.comando = Comando::Scrivi;
        aiuto = &aiutoScrivi;
    } else if (primo == QStringLiteral("verifica")) {
        a.comando = Comando::Verifica;
        aiuto = &aiutoVerifica;
    } else if (primo == QStringLiteral("stampa")) {
        a.comando = Comando::Stampa;
        aiuto = &aiutoStampa;
    } else if (primo.startsWith(u'-')) {
        return usoErrato(QStringLiteral("opzione sconosciuta %1 prima del comando").arg(primo));
    } else {
        return usoErrato(
            QStringLiteral("comando sconosciuto \"%1\" (leggi, scrivi, verifica o stampa)").arg(primo));
    }

    QCommandLineParser parser;
    const QCommandLineOption opzioneAiuto({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption opzioneModello(QStringLiteral("modello"), QString(), QStringLiteral("MODEL"));
    const QCommandLineOption opzioneUscita({QStringLiteral("o"), QStringLiteral("uscita")}, QString(),
                                           QStringLiteral("FILE"));
    const QCommandLineOption opzioneJson(QStringLiteral("json"), QString());
    const QCommandLineOption opzioneTutti(QStringLiteral("tutti"), QString());
    const QCommandLineOption opzioneTraccia(QStringLiteral("traccia"), QString());
    parser.addOption(opzioneAiuto);
    if (a.comando != Comando::Scrivi)
        parser.addOption(opzioneModello);
    if (a.comando == Comando::Scrivi || a.comando == Comando::Stampa)
        parser.addOption(opzioneUscita);
    if (a.comando == Comando::Stampa)
        parser.addOption(opzioneTraccia);
    if (a.comando == Comando::Verifica) {
        parser.addOption(opzioneJson);
        parser.addOption(opzioneTutti);
    }
    if (!parser.parse(QStringList{argomenti.first()} + resto.mid(1))) {
        const QStringList sconosciute = parser.unknownOptionNames();
        if (!sconosciute.isEmpty())
            return usoErrato(QStringLiteral("opzione sconosciuta per %1: %2")
                                 .arg(primo, sconosciute.first().size() == 1
                                                 ? u'-' + sconosciute.first()
                                                 : QStringLiteral("--") + sconosciute.first()));
        // The only other failure is an option that takes a value given as the last argument.
        return usoErrato(QStringLiteral("l'opzione %1 richiede un valore").arg(resto.last()));
    }
    if (parser.isSet(opzioneAiuto))
        return stampa(*aiuto);

    const QStringList posizionali = parser.positionalArguments();
    const QString cosa = a.comando == Comando::Scrivi ? QStringLiteral("JSON") : QStringLiteral("FILE");
    if (posizionali.isEmpty())
        return usoErrato(QStringLiteral("%1: manca %2").arg(primo, cosa));
    if (posizionali.size() > 1)
        return usoErrato(QStringLiteral("%1: un solo %2, non %3").arg(primo, cosa).arg(posizionali.size()));
    a.file = posizionali.first();

    if (a.comando != Comando::Scrivi && parser.isSet(opzioneModello)) {
        const QString nome = parser.value(opzioneModello);
        for (Modello m : tuttiIModelli) {
            if (nomeModello(m) == nome)
                a.modello = m;
        }
        if (!a.modello)
            return usoErrato(
                QStringLiteral("--modello \"%1\" sconosciuto (Tradizionale, Dualistico o Monistico)")
                    .arg(nome));
    }
    if (a.comando == Comando::Scrivi) {
        a.uscita = parser.value(opzioneUscita);
        if (a.uscita.isEmpty())
            return usoErrato(QStringLiteral("scrivi: manca -o FILE, il file da scrivere"));
    }
    if (a.comando == Comando::Stampa) {
        a.uscita = parser.value(opzioneUscita);
        a.traccia = parser.isSet(opzioneTraccia);
        if (a.uscita.isEmpty() == !a.traccia)
            return usoErrato(QStringLiteral("stampa: serve -o PDF oppure --traccia, uno dei due"));
    }
    if (a.comando == Comando::Verifica) {
        a.json = parser.isSet(opzioneJson);
        a.tutti = parser.isSet(opzioneTutti);
        if (a.modello && a.file.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive))
            return usoErrato(QStringLiteral("verifica: --modello vale solo per i file XML; un JSON nomina il "
                                            "proprio modello"));
    }
    return {a, QString(), UscitaFatto};
}
