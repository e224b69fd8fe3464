// The printed report of the largest questionnaire: its layout with the recording surface, and the whole
// report written to a PDF file. Prints "impaginazione <ms> <CPU ms> <pages>" and
// "pdf <pages per second> <pages> <s> <CPU s>" for the table of make bench.
#include "comune.h"
#include "questionario/interazionemuta.h"
#include "questionario/questionario.h"
#include "stampa/grafica/stampapdf.h"
#include "stampa/stampaquestionario.h"
#include "stampa/superficieregistrazione.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// 65000 characters: words and CR LF paragraphs as a real note has, or one paragraph without any space.
QString notaPiena(bool senzaSpazi)
{
    const int lunghezza = Questionario::lunghezzaMassimaNota;
    if (senzaSpazi)
        return QString(lunghezza, u'x');
    QString t;
    t.reserve(lunghezza);
    while (t.size() < lunghezza) {
        t += QStringLiteral("Il collegio ha vigilato sull'osservanza della legge e dello statuto. ");
        if (t.size() % 700 < 70)
            t += QStringLiteral("\r\n");
    }
    return t.left(lunghezza);
}

// 500 members with every column and requisiti text filled, every note at 65000 characters, one note in
// four a single paragraph without spaces.
void compilaMassimo(Questionario& q)
{
    const Questionario::Caricamento caricamento(q);
    for (int campo : q.profilo().campiGenerali())
        q.setCampoGenerale(campo, QStringLiteral("12"));
    TabellaMembri& membri = q.membri();
    while (membri.numeroRighe() < 500) {
        if (!membri.aggiungiMembro())
            break;
    }
    const QString note[2] = {notaPiena(false), notaPiena(true)};
    for (int r = 0; r < membri.numeroRighe(); ++r) {
        for (int c = 1; c <= membri.layout().ultimaColonnaDati; ++c)
            membri.setCella(r, c, QStringLiteral("123"));
        membri.setCella(r, membri.layout().colonnaNome, QStringLiteral("Anna Maria Neri Bianchi"));
        membri.setCella(r, membri.layout().colonnaNascosta, note[r % 4 == 0]);
        membri.setCella(r, membri.layout().colonnaRequisiti, QStringLiteral("SI"));
    }
    for (int i = 0; i < numeroIndici; ++i) {
        const Domanda& d = q.profilo().domanda(i);
        if (!d.presente)
            continue;
        if (d.haCaselle())
            q.setBox(i, Casella::NO, true);
        q.setNotaAltre(i, note[i % 4 == 0]);
        q.setSegnoNota(i, true);
    }
    for (int k = 0; k < 3; ++k)
        q.setConteggioRiquadroII(k, QStringLiteral("12"));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    InterazioneMuta muta;
    Questionario q(Modello::Tradizionale, muta);
    compilaMassimo(q);

    // On a shared machine the processor time says more than the wall clock.
    std::vector<double> impaginazione, impaginazioneCpu;
    qsizetype pagine = 0;
    for (int i = 0; i < 5; ++i) {
        SuperficieRegistrazione registrazione;
        QElapsedTimer t;
        t.start();
        const std::clock_t cpu = std::clock();
        stampaQuestionario(q, registrazione);
        impaginazione.push_back(t.nsecsElapsed() / 1e6);
        impaginazioneCpu.push_back(1e3 * double(std::clock() - cpu) / CLOCKS_PER_SEC);
        const auto& op = registrazione.operazioni();
        pagine = 1 + std::count_if(op.begin(), op.end(), [](const OperazioneStampa& o) {
                     return o.tipo == OperazioneStampa::Tipo::NuovaPagina;
                 });
    }
    std::printf("impaginazione %.1f %.1f %lld\n", banco::mediana(impaginazione),
                banco::mediana(impaginazioneCpu), static_cast<long long>(pagine));

    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("massimo.pdf"));
    QElapsedTimer t;
    t.start();
    const std::clock_t cpu = std::clock();
    QString errore;
    if (!stampaSuPdf([&](SuperficieStampa& s) { return stampaQuestionario(q, s); },
                     q.profilo().titoloFinestra, percorso, &errore)) {
        std::fprintf(stderr, "PDF non scritto: %s\n", qPrintable(errore));
        return 1;
    }
    const double secondi = t.nsecsElapsed() / 1e9;
    const double secondiCpu = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    // The real font paginates differently: the file's page tree says how many pages it has.
    QFile pdf(percorso);
    if (!pdf.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray contenuto = pdf.readAll();
    const QRegularExpressionMatch conteggio =
        QRegularExpression(QStringLiteral("/Count (\\d+)")).match(QString::fromLatin1(contenuto));
    const long long pagineReali = conteggio.captured(1).toLongLong();
    std::printf("pdf %.1f %lld %.2f %.2f\n", pagineReali / secondi, pagineReali, secondi, secondiCpu);
    return 0;
}
