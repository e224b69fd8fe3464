// The model window's file commands on the largest questionnaire, in the real window.
//
// bench_finestra prepara FOLDER writes the largest questionnaire of each model there, massimo_<model>.xml.
// bench_finestra tempi FOLDER    "Salva temp." and "Leggi" through the window's commands, each beside its
//                                floor measured in the same round: pugixml parsing and saving the same file,
//                                and pugixml parsing it plus filling the window with the same content from
//                                memory. FOLDER holds massimo_<model>.xml; the models take turns. Prints
//                                "salva ms floor" and "leggi ms floor" (medians).
// bench_finestra memoria FILE N  the window of model N reads FILE through "Leggi"; prints its resident memory
//                                once read (bytes). The parent takes the peak from the process's usage.
#include "app/finestramodello.h"
#include "comune.h"
#include "documento/lettura.h"
#include "documento/scrittura.h"
#include "modelli/posizionifile.h"
#include "questionario/interazionemuta.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <pugixml.hpp>

namespace {

constexpr int ripetizioni = 5;

// Answers the file dialogs with a fixed path.
class PortaBanco : public InterazioneMuta
{
public:
    QString percorso;
    std::optional<QString> chiediFileDaSalvare(const FiltroFile&) override { return percorso; }
    std::optional<QString> chiediFileDaAprire(const FiltroFile&) override { return percorso; }
};

constexpr unsigned int opzioniPugi =
    pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_declaration;

// What the reader has to do at least once the file is parsed: put the same content into the window.
void riempiDa(const Questionario& da, Questionario& a)
{
    pulisciModulo(a);
    const Questionario::Caricamento caricamento(a);
    for (int campo : a.profilo().campiGenerali())
        a.setCampoGenerale(campo, da.campoGenerale(campo));
    a.setRiunioniNA(da.riunioniNA());
    for (int i = 0; i < numeroIndici; ++i) {
        for (Casella c : {Casella::SI, Casella::NO, Casella::NA})
            if (da.casella(i, c))
                a.setBox(i, c, true);
        a.setNotaSI(i, da.notaSI(i));
        a.setNotaAltre(i, da.notaAltre(i));
        a.setSegnoNota(i, da.segnoNota(i));
    }
    TabellaMembri& membri = a.membri();
    while (membri.numeroMembri() < da.membri().numeroMembri())
        if (!membri.aggiungiMembro())
            break;
    for (int r = 0; r < membri.numeroMembri(); ++r)
        for (int c = 0; c < membri.numeroColonne(); ++c)
            membri.setCella(r, c, da.membri().cella(r, c));
    for (int k = 0; k < 3; ++k)
        a.setConteggioRiquadroII(k, da.conteggioRiquadroII(k));
}

struct Finestra
{
    PortaBanco porta;
    FinestraModello finestra;
    explicit Finestra(Modello modello) : finestra(modello, nullptr, &porta)
    {
        finestra.show();
        if (!QTest::qWaitForWindowExposed(&finestra))
            std::fprintf(stderr, "window not exposed\n");
    }
};

int tempi(const QString& cartella)
{
    QTemporaryDir uscite;
    std::vector<double> salva, pavimentoSalva, leggi, pavimentoLeggi;
    std::vector<std::unique_ptr<Finestra>> finestre;
    std::vector<std::unique_ptr<Questionario>> riferimenti;
    InterazioneMuta muta;
    for (Modello m : tuttiIModelli) {
        finestre.push_back(std::make_unique<Finestra>(m));
        riferimenti.push_back(std::make_unique<Questionario>(m, muta));
        leggiFile(*riferimenti.back(),
                  QDir(cartella).filePath(QStringLiteral("massimo_%1.xml").arg(banco::sigla(m))));
    }
    // The first round warms up and is not counted.
    for (int giro = 0; giro <= ripetizioni; ++giro) {
        for (size_t k = 0; k < tuttiIModelli.size(); ++k) {
            const Modello m = tuttiIModelli[k];
            const QString file =
                QDir(cartella).filePath(QStringLiteral("massimo_%1.xml").arg(banco::sigla(m)));
            const QByteArray fileLocale = QFile::encodeName(file);
            const QString scritto = uscite.filePath(QStringLiteral("salvato_%1.xml").arg(banco::sigla(m)));
            const QByteArray copiaPugi = QFile::encodeName(uscite.filePath(QStringLiteral("pugixml.xml")));
            Finestra& f = *finestre[k];

            f.porta.percorso = file;
            const double l = banco::millisecondi([&] {
                f.finestra.apriFile();
                QCoreApplication::processEvents();
            });
            const double pl = banco::millisecondi([&] {
                                  pugi::xml_document documento;
                                  documento.load_file(fileLocale.constData(), opzioniPugi);
                              }) +
                              banco::millisecondi([&] {
                                  riempiDa(*riferimenti[k], f.finestra.questionario());
                                  QCoreApplication::processEvents();
                              });
            f.porta.percorso = scritto;
            const double s = banco::millisecondi([&] {
                f.finestra.salva(false);
                QCoreApplication::processEvents();
            });
            const double ps = banco::millisecondi([&] {
                pugi::xml_document documento;
                documento.load_file(fileLocale.constData(), opzioniPugi);
                documento.save_file(copiaPugi.constData(), "", pugi::format_raw);
            });
            // Each command must have done its work: the file read, the file written.
            if (f.finestra.questionario().membri().numeroMembri() != banco::membriMassimi ||
                QFileInfo(scritto).size() < QFileInfo(file).size() / 2 || !QFile::remove(scritto)) {
                std::fprintf(stderr, "bench_finestra: \"Leggi\" or \"Salva temp.\" did not work\n");
                return 1;
            }
            if (giro == 0)
                continue;
            leggi.push_back(l);
            pavimentoLeggi.push_back(pl);
            salva.push_back(s);
            pavimentoSalva.push_back(ps);
        }
    }
    std::printf("salva %.2f %.2f\n", banco::mediana(salva), banco::mediana(pavimentoSalva));
    std::printf("leggi %.2f %.2f\n", banco::mediana(leggi), banco::mediana(pavimentoLeggi));
    return 0;
}

QString fileMassimo(const QString& cartella, Modello m)
{
    return QDir(cartella).filePath(QStringLiteral("massimo_%1.xml").arg(banco::sigla(m)));
}

int prepara(const QString& cartella)
{
    for (Modello m : tuttiIModelli) {
        InterazioneMuta muta;
        Questionario q(m, muta);
        banco::riempiMassimo(q);
        scriviFile(q, fileMassimo(cartella, m));
    }
    return 0;
}

int memoria(const QString& file, int numero)
{
    if (numero < 0 || numero >= int(tuttiIModelli.size()))
        return 2;
    Finestra f(tuttiIModelli[numero]);
    f.porta.percorso = file;
    f.finestra.apriFile();
    QCoreApplication::processEvents();
    if (f.finestra.questionario().membri().numeroMembri() != banco::membriMassimi)
        return 1;
    std::printf("%lld\n", static_cast<long long>(banco::residenteOra()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The templates lie beside the program, in the build's src folder.
    impostaCartellaProgramma(
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../src")));
    if (argc > 2 && std::strcmp(argv[1], "prepara") == 0)
        return prepara(QString::fromLocal8Bit(argv[2]));
    if (argc > 2 && std::strcmp(argv[1], "tempi") == 0)
        return tempi(QString::fromLocal8Bit(argv[2]));
    if (argc > 3 && std::strcmp(argv[1], "memoria") == 0)
        return memoria(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    return 2;
}
