// Writing and reading back the largest questionnaire: every note pair and every member's requirements text
// at the 65000-character limit, 500 members. Beside it, the time pugixml alone takes to parse and save the
// same bytes. Prints median times over several repetitions.
//
// Usage: bench_file [template folder] (default: the build's src folder, where the templates are copied)
#include "documento/lettura.h"
#include "documento/scrittura.h"
#include "modelli/posizionifile.h"
#include "questionario/interazione.h"
#include "questionario/interazionemuta.h"
#include "questionario/questionario.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <pugixml.hpp>
#include <vector>

namespace {

constexpr int ripetizioni = 7;
constexpr int membri = 500;

QString testoPieno(int seme)
{
    const QString pezzo = QStringLiteral("Requisito %1: esperienza è à ù <&> \"quotata\"\r\n").arg(seme);
    QString testo;
    testo.reserve(Questionario::lunghezzaMassimaNota);
    while (testo.size() + pezzo.size() <= Questionario::lunghezzaMassimaNota)
        testo += pezzo;
    return testo + QString(Questionario::lunghezzaMassimaNota - testo.size(), u'x');
}

void riempi(Questionario& q)
{
    const Questionario::Caricamento caricamento(q);
    for (int campo : q.profilo().campiGenerali())
        q.setCampoGenerale(campo, QStringLiteral("12"));
    for (int i = 0; i < numeroIndici; ++i) {
        q.setBox(i, Casella::SI, true);
        q.setSegnoNota(i, true);
        q.setNotaSI(i, testoPieno(i));
        q.setNotaAltre(i, testoPieno(1000 + i));
    }
    TabellaMembri& t = q.membri();
    while (t.numeroMembri() < membri)
        if (!t.aggiungiMembro())
            break;
    const LayoutMembri& l = t.layout();
    for (int r = 0; r < membri; ++r) {
        for (int c = 1; c <= l.ultimaColonnaDati; ++c)
            t.setCella(r, c, QStringLiteral("%1").arg(r % 1000));
        t.setCella(r, l.colonnaNascosta, testoPieno(r));
        t.setCella(r, l.colonnaRequisiti, QStringLiteral("SI"));
    }
}

double mediana(std::vector<double> valori)
{
    std::sort(valori.begin(), valori.end());
    return valori[valori.size() / 2];
}

double millisecondi(const std::function<void()>& passo)
{
    QElapsedTimer orologio;
    orologio.start();
    passo();
    return double(orologio.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString modelli = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : QDir(QCoreApplication::applicationDirPath()).filePath("../src");
    impostaCartellaProgramma(QDir(modelli).absolutePath());
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("massimo.xml");
    const QString percorsoPugi = cartella.filePath("pugixml.xml");

    std::printf("%d repetitions, median times in ms; %d members, notes and requirements at %d characters\n",
                ripetizioni, membri, Questionario::lunghezzaMassimaNota);
    std::printf("%-13s %10s %10s %12s %12s %10s\n", "model", "write", "read", "pugi parse", "pugi save",
                "file MB");
    for (Modello modello : tuttiIModelli) {
        InterazioneMuta muta;
        Questionario sorgente(modello, muta);
        riempi(sorgente);
        Questionario letto(modello, muta);

        std::vector<double> scrittura, lettura, analisi, salvataggio;
        QByteArray contenuto;
        for (int k = 0; k < ripetizioni; ++k) {
            scrittura.push_back(millisecondi([&] { scriviFile(sorgente, percorso); }));
            lettura.push_back(millisecondi([&] {
                if (!leggiFile(letto, percorso).letto)
                    std::fprintf(stderr, "lettura fallita\n");
            }));
            QFile file(percorso);
            if (!file.open(QIODevice::ReadOnly))
                return 1;
            contenuto = file.readAll();
            pugi::xml_document documento;
            analisi.push_back(millisecondi([&] {
                documento.load_buffer(contenuto.constData(), size_t(contenuto.size()),
                                      pugi::parse_default | pugi::parse_ws_pcdata_single |
                                          pugi::parse_declaration);
            }));
            salvataggio.push_back(millisecondi([&] {
                documento.save_file(QFile::encodeName(percorsoPugi).constData(), "", pugi::format_raw);
            }));
        }
        if (letto.notaSI(0) != sorgente.notaSI(0) || letto.membri().numeroMembri() != membri)
            std::fprintf(stderr, "%s: il file letto non corrisponde\n", qPrintable(nomeModello(modello)));
        std::printf("%-13s %10.1f %10.1f %12.1f %12.1f %10.1f\n", qPrintable(nomeModello(modello)),
                    mediana(scrittura), mediana(lettura), mediana(analisi), mediana(salvataggio),
                    double(contenuto.size()) / 1e6);
    }
    return 0;
}
