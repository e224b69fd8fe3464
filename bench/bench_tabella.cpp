// Runs every benchmark and prints one table: each figure beside its floor measured in the same run, the
// ratio, and the goal. Processes are started fresh where the figure is about a whole run (the command line,
// the start-up, the peak memory); figure and floor take turns, the models rotate, a warm-up round comes
// first and medians are shown.
//
// Usage: bench_tabella [rounds]   (run from the build folder's bench/, beside the other benchmarks; the
//                                  windows need a display: make bench starts Xvfb when there is none)
#include "comune.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct Processo
{
    double ms = 0;       // from just before the start to the end
    double piccoMiB = 0; // peak resident memory
    qint64 avvioNs = 0;  // the moment just before the start
    int stato = -1;      // exit status, -1 when it did not exit normally
    QByteArray uscita;   // what it printed
};

// Starts a program, its standard output into `uscita` (a file of the temporary folder when empty), and
// waits for it.
Processo esegui(const QStringList& argomenti, const QString& cartella, QString uscita = {})
{
    if (uscita.isEmpty())
        uscita = QDir(cartella).filePath(QStringLiteral("uscita.txt"));
    std::vector<QByteArray> locali;
    for (const QString& a : argomenti)
        locali.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& a : locali)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray fileUscita = QFile::encodeName(uscita);

    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addopen(&azioni, 1, fileUscita.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
    Processo p;
    pid_t pid = 0;
    p.avvioNs = banco::adessoNs();
    const int errore = posix_spawn(&pid, argv[0], &azioni, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&azioni);
    if (errore != 0)
        return p;
    int stato = 0;
    rusage uso{};
    wait4(pid, &stato, 0, &uso);
    p.ms = double(banco::adessoNs() - p.avvioNs) / 1e6;
    p.piccoMiB = double(uso.ru_maxrss) / 1024;
    p.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    QFile letto(uscita);
    if (uscita.startsWith(cartella) && letto.open(QIODevice::ReadOnly))
        p.uscita = letto.read(4096);
    return p;
}

[[noreturn]] void fallisci(const QString& cosa)
{
    std::fprintf(stderr, "bench_tabella: %s\n", qPrintable(cosa));
    std::exit(1);
}

Processo eseguiBene(const QStringList& argomenti, const QString& cartella, const QString& uscita = {})
{
    Processo p = esegui(argomenti, cartella, uscita);
    if (p.stato != 0)
        fallisci(QStringLiteral("%1 è uscito con %2").arg(argomenti.join(u' ')).arg(p.stato));
    return p;
}

QString riga(const QString& cosa, const QString& cifra, const QString& pavimento, double rapporto,
             const QString& obiettivo)
{
    return QStringLiteral("| %1 | %2 | %3 | %4 | %5 |")
        .arg(cosa, cifra, pavimento,
             rapporto > 0 ? QStringLiteral("%1x").arg(rapporto, 0, 'f', 2) : QStringLiteral("-"), obiettivo);
}

QString ms(double valore)
{
    return QStringLiteral("%1 ms").arg(valore, 0, 'f', valore < 10 ? 2 : 1);
}

QString mib(double valore)
{
    return QStringLiteral("%1 MiB").arg(valore, 0, 'f', 1);
}

QByteArray primaRiga(const QString& file, const QByteArray& prefisso)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& r : f.readAll().split('\n'))
        if (r.startsWith(prefisso))
            return r.mid(prefisso.size()).trimmed();
    return {};
}

QString macchina(const QByteArray& caricoAllInizio)
{
    const QString cpu = QString::fromUtf8(primaRiga(QStringLiteral("/proc/cpuinfo"), "model name"))
                            .remove(QRegularExpression(QStringLiteral("^:\\s*")));
    const long nuclei = sysconf(_SC_NPROCESSORS_ONLN);
    const qint64 memoria = qint64(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGESIZE) >> 30;
    QFile carico(QStringLiteral("/proc/loadavg"));
    QByteArray caricoAllaFine;
    if (carico.open(QIODevice::ReadOnly))
        caricoAllaFine = carico.readAll().split(' ').mid(0, 3).join(' ');
    return QStringLiteral("%1, %2 cores, %3 GiB; Qt %4, platform %5; load average (1, 5, 15 min) %6 at the "
                          "start, %7 at the end")
        .arg(cpu)
        .arg(nuclei)
        .arg(memoria)
        .arg(QString::fromLatin1(qVersion()),
             qEnvironmentVariableIsSet("DISPLAY")
                 ? QStringLiteral("xcb on %1").arg(qEnvironmentVariable("DISPLAY"))
                 : qEnvironmentVariable("QT_QPA_PLATFORM"),
             QString::fromLatin1(caricoAllInizio), QString::fromLatin1(caricoAllaFine));
}

std::map<QByteArray, QList<double>> valori(const QByteArray& testo)
{
    std::map<QByteArray, QList<double>> risultato;
    for (const QByteArray& r : testo.split('\n')) {
        const QList<QByteArray> campi = r.split(' ');
        if (campi.size() < 2)
            continue;
        QList<double> numeri;
        for (qsizetype k = 1; k < campi.size(); ++k)
            numeri.append(campi[k].toDouble());
        risultato[campi[0]] = numeri;
    }
    return risultato;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int giri = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QByteArray caricoAllInizio;
    {
        QFile carico(QStringLiteral("/proc/loadavg"));
        if (carico.open(QIODevice::ReadOnly))
            caricoAllInizio = carico.readAll().split(' ').mid(0, 3).join(' ');
    }
    const QDir qui(QCoreApplication::applicationDirPath());
    const QString sorgenti = QDir(qui.filePath(QStringLiteral("../src"))).absolutePath();
    const QString rigaComando = QDir(sorgenti).filePath(QStringLiteral("scheda-ombrisa-cli"));
    const QString pugixml = qui.filePath(QStringLiteral("bench_pugixml"));
    const QString avvio = qui.filePath(QStringLiteral("bench_avvio"));
    const QString finestra = qui.filePath(QStringLiteral("bench_finestra"));
    const QString nota = qui.filePath(QStringLiteral("bench_nota"));
    const QString stampa = qui.filePath(QStringLiteral("bench_stampa"));

    QTemporaryDir temporanea;
    const QString cartella = temporanea.path();
    std::fprintf(stderr, "Preparing the largest questionnaire of each model in %s\n", qPrintable(cartella));
    // Written by a child: this process stays small, since a child's peak memory counts its parent's from
    // before the child started its program.
    eseguiBene({finestra, QStringLiteral("prepara"), cartella}, cartella);
    std::map<Modello, QString> xml, json;
    double dimensioneJsonMiB = 0;
    for (Modello m : tuttiIModelli) {
        xml[m] = QDir(cartella).filePath(QStringLiteral("massimo_%1.xml").arg(banco::sigla(m)));
        json[m] = QDir(cartella).filePath(QStringLiteral("massimo_%1.json").arg(banco::sigla(m)));
        // What scrivi gets in a round trip: the JSON that leggi gives for the same file.
        eseguiBene({rigaComando, QStringLiteral("leggi"), xml[m]}, cartella, json[m]);
        dimensioneJsonMiB = std::max(dimensioneJsonMiB, double(QFileInfo(json[m]).size()) / (1 << 20));
    }

    std::fprintf(stderr, "The command line and pugixml, %d rounds of three models\n", giri);
    const QString scritto = QDir(cartella).filePath(QStringLiteral("scritto.xml"));
    const QString copiaPugi = QDir(cartella).filePath(QStringLiteral("pugixml.xml"));
    const QString jsonLetto = QDir(cartella).filePath(QStringLiteral("letto.json"));
    std::vector<double> scrivi, leggi, pavimento, piccoScrivi, piccoLeggi, nudo;
    std::vector<double> dimensioni;
    for (int giro = 0; giro <= giri; ++giro) {
        for (Modello m : tuttiIModelli) {
            const Processo s = eseguiBene(
                {rigaComando, QStringLiteral("scrivi"), json[m], QStringLiteral("-o"), scritto}, cartella);
            const Processo p1 = eseguiBene({pugixml, xml[m], copiaPugi}, cartella);
            const Processo l =
                eseguiBene({rigaComando, QStringLiteral("leggi"), xml[m]}, cartella, jsonLetto);
            const Processo p2 = eseguiBene({pugixml, xml[m], copiaPugi}, cartella);
            const Processo n = eseguiBene({rigaComando, QStringLiteral("--version")}, cartella);
            if (giro == 0)
                continue; // warm-up
            scrivi.push_back(s.ms);
            leggi.push_back(l.ms);
            pavimento.push_back(p1.ms);
            pavimento.push_back(p2.ms);
            piccoScrivi.push_back(s.piccoMiB);
            piccoLeggi.push_back(l.piccoMiB);
            nudo.push_back(n.piccoMiB);
            dimensioni.push_back(double(QFileInfo(xml[m]).size()) / (1 << 20));
        }
    }

    std::fprintf(stderr, "The window's save and read\n");
    const auto finestraTempi =
        valori(eseguiBene({finestra, QStringLiteral("tempi"), cartella}, cartella).uscita);

    std::fprintf(stderr, "The window's memory\n");
    std::vector<double> piccoFinestra, assestata, finestraNuda;
    for (int giro = 0; giro <= giri; ++giro) {
        for (size_t k = 0; k < tuttiIModelli.size(); ++k) {
            const Processo f = eseguiBene(
                {finestra, QStringLiteral("memoria"), xml[tuttiIModelli[k]], QString::number(k)}, cartella);
            const Processo n = eseguiBene({avvio, QStringLiteral("nudo")}, cartella);
            if (giro == 0)
                continue;
            piccoFinestra.push_back(f.piccoMiB);
            assestata.push_back(f.uscita.trimmed().toDouble() / (1 << 20));
            finestraNuda.push_back(n.piccoMiB);
        }
    }

    std::fprintf(stderr, "The note window\n");
    const auto note = valori(eseguiBene({nota}, cartella).uscita);

    std::fprintf(stderr, "The printed report to a PDF file\n");
    const auto report = valori(eseguiBene({stampa}, cartella).uscita);

    std::fprintf(stderr, "Start-up, fresh processes\n");
    std::vector<double> avvioNudo, avvioInizio, avvioModello;
    const auto esposto = [&](const QStringList& argomenti) {
        const Processo p = eseguiBene(argomenti, cartella);
        return double(p.uscita.trimmed().toLongLong() - p.avvioNs) / 1e6;
    };
    for (int giro = 0; giro <= 4 * giri; ++giro) {
        const int k = giro % int(tuttiIModelli.size());
        const double n1 = esposto({avvio, QStringLiteral("nudo")});
        const double i = esposto({avvio, QStringLiteral("inizio")});
        const double n2 = esposto({avvio, QStringLiteral("nudo")});
        const double m = esposto({avvio, QStringLiteral("modello"), QString::number(k)});
        if (giro < 2)
            continue;
        avvioNudo.push_back(n1);
        avvioNudo.push_back(n2);
        avvioInizio.push_back(i);
        avvioModello.push_back(m);
    }

    using banco::mediana;
    const double file = mediana(dimensioni);
    const double pav = mediana(pavimento);
    const double nudoMiB = mediana(nudo);
    const auto cifre = [](const std::map<QByteArray, QList<double>>& m, const char* nome) {
        const auto t = m.find(nome);
        return t == m.end() ? QList<double>{0, 0, 0} : t->second + QList<double>{0, 0, 0};
    };
    const QList<double> sf = cifre(finestraTempi, "salva");
    const QList<double> lf = cifre(finestraTempi, "leggi");
    const QList<double> ts = cifre(note, "tasto_spazi");
    const QList<double> tn = cifre(note, "tasto_senza_spazi");
    const QList<double> an = cifre(note, "apertura_senza_spazi");
    const QList<double> as = cifre(note, "apertura_spazi");
    const QList<double> pdf = cifre(report, "pdf");
    const QList<double> impaginazione = cifre(report, "impaginazione");

    QStringList tabella;
    tabella << QStringLiteral("| what | figure | floor, same run | ratio | goal |")
            << QStringLiteral("|---|---|---|---|---|");
    tabella << riga(QStringLiteral("`scrivi` (JSON to file), wall"), ms(mediana(scrivi)),
                    QStringLiteral("pugixml parse + save of the file, %1").arg(ms(pav)),
                    mediana(scrivi) / pav, QStringLiteral("1.5x"));
    tabella << riga(QStringLiteral("`leggi` (file to JSON), wall"), ms(mediana(leggi)),
                    QStringLiteral("the same, %1").arg(ms(pav)), mediana(leggi) / pav,
                    QStringLiteral("1.5x"));
    tabella << riga(QStringLiteral("window save (\"Salva temp.\")"), ms(sf[0]),
                    QStringLiteral("pugixml parse + save in the process, %1").arg(ms(sf[1])), sf[0] / sf[1],
                    QStringLiteral("1.5x"));
    tabella << riga(QStringLiteral("window read (\"Leggi\")"), ms(lf[0]),
                    QStringLiteral("pugixml parse + filling the window, %1").arg(ms(lf[1])), lf[0] / lf[1],
                    QStringLiteral("1.5x"));
    const auto memoriaRiga = [&](const QString& nome, double picco) {
        return riga(nome, mib(picco),
                    QStringLiteral("file %1 + bare process %2").arg(mib(file), mib(nudoMiB)),
                    (picco - nudoMiB) / file, QStringLiteral("2x the file + bare"));
    };
    tabella << memoriaRiga(QStringLiteral("peak memory, `leggi`"), mediana(piccoLeggi));
    tabella << memoriaRiga(QStringLiteral("peak memory, `scrivi`"), mediana(piccoScrivi));
    tabella << riga(QStringLiteral("peak memory, window with the file loaded"), mib(mediana(piccoFinestra)),
                    QStringLiteral("settled %1 (bare window %2)")
                        .arg(mib(mediana(assestata)), mib(mediana(finestraNuda))),
                    mediana(piccoFinestra) / mediana(assestata), QStringLiteral("1.5x"));
    tabella << riga(QStringLiteral("one key in a 64000-character note, one paragraph with spaces"),
                    QStringLiteral("%1 (largest %2)").arg(ms(ts[0]), ms(ts[1])),
                    QStringLiteral("key in an empty note, %1").arg(ms(ts[2])), ts[0] / ts[2],
                    QStringLiteral("2 ms"));
    tabella << riga(QStringLiteral("one key in a 64000-character note, no spaces or line breaks"),
                    QStringLiteral("%1 (largest %2)").arg(ms(tn[0]), ms(tn[1])),
                    QStringLiteral("key in an empty note, %1").arg(ms(tn[2])), tn[0] / tn[2],
                    QStringLiteral("2 ms (16 ms at the very worst)"));
    tabella << riga(QStringLiteral("open a 65000-character note, with spaces / no spaces"),
                    QStringLiteral("%1 / %2").arg(ms(as[0]), ms(an[0])),
                    QStringLiteral("open an empty note, %1").arg(ms(an[2])), an[0] / an[2],
                    QStringLiteral("-"));
    tabella << riga(
        QStringLiteral("the largest questionnaire printed to a PDF file, one note in four without spaces"),
        QStringLiteral("%1 pages/s (%2 pages in %3 s; %4 per CPU second)")
            .arg(pdf[0], 0, 'f', 0)
            .arg(pdf[1], 0, 'f', 0)
            .arg(pdf[2], 0, 'f', 1)
            .arg(pdf[1] / std::max(pdf[3], 1e-9), 0, 'f', 0),
        QStringLiteral("layout alone on the recording surface, %1").arg(ms(impaginazione[0])), 0,
        QStringLiteral("200 pages/s"));
    tabella << riga(QStringLiteral("exec to the start window shown"), ms(mediana(avvioInizio)),
                    QStringLiteral("bare Qt window shown, %1").arg(ms(mediana(avvioNudo))),
                    mediana(avvioInizio) / mediana(avvioNudo), QStringLiteral("1.1x"));
    tabella << riga(QStringLiteral("exec to a model window shown"), ms(mediana(avvioModello)),
                    QStringLiteral("bare Qt window shown, %1").arg(ms(mediana(avvioNudo))),
                    mediana(avvioModello) / mediana(avvioNudo), QStringLiteral("2x"));

    std::printf("Largest questionnaire: %d members, every note and requirements text at %d characters; XML "
                "file %.1f MiB, its JSON %.1f MiB. Medians of %d rounds over the three models.\n\n",
                banco::membriMassimi, Questionario::lunghezzaMassimaNota, file, dimensioneJsonMiB, giri);
    for (const QString& r : tabella)
        std::printf("%s\n", qPrintable(r));
    std::printf("\nMachine: %s\n", qPrintable(macchina(caricoAllInizio)));
    return 0;
}
