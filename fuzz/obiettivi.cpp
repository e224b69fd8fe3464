#include "obiettivi.h"

#include "cli/jsonquestionario.h"
#include "documento/lettura.h"
#include "documento/scrittura.h"
#include "legacy/letturav11.h"
#include "modelli/posizionifile.h"
#include "questionario/interazionemuta.h"
#include "questionario/questionario.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

// Inputs reach the reader as files, the way the program gets them; kept in memory-backed storage.
QString fileDiLavoro(const char* nome)
{
    const QString cartella = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return QStringLiteral("%1/scheda-ombrisa-fuzz-%2-%3")
        .arg(cartella)
        .arg(QCoreApplication::applicationPid())
        .arg(QString::fromLatin1(nome));
}

bool scrivi(const QString& percorso, const uint8_t* dati, size_t dimensione)
{
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(dati), qint64(dimensione)) == qint64(dimensione);
}

void rompi(const char* perche)
{
    std::fprintf(stderr, "promessa infranta: %s\n", perche);
    std::abort();
}

void leggi(Modello modello, const uint8_t* dati, size_t dimensione)
{
    const QString percorso = fileDiLavoro("lettura.xml");
    if (!scrivi(percorso, dati, dimensione))
        return;
    InterazioneMuta muta;
    Questionario q(modello, muta);
    const LettoreV11 v11 = [](const QString& file) { return leggiFileV11(file, ContenutoV11{}); };
    const EsitoLettura esito = leggiFile(q, percorso, v11);
    // A failed read has its message; a questionnaire read, or a version 1.1 file read, has none.
    const bool riuscita = esito.letto || (esito.versione11 && esito.versione11->letto());
    if (riuscita == esito.errore.has_value())
        rompi("una lettura riuscita non ha messaggi, una fallita ne ha uno");
}

void andataERitorno(const uint8_t* dati, size_t dimensione)
{
    const QString percorso = fileDiLavoro("andata.xml");
    const QString riscritto = fileDiLavoro("ritorno.xml");
    if (!scrivi(percorso, dati, dimensione))
        return;
    InterazioneMuta muta;
    for (Modello modello : tuttiIModelli) {
        Questionario primo(modello, muta);
        if (!leggiFile(primo, percorso).letto)
            continue;
        scriviFile(primo, riscritto);
        Questionario secondo(modello, muta);
        if (!leggiFile(secondo, riscritto).letto)
            rompi("il file scritto non si rilegge");
        // What the format changes on the way is changed in the first one too: a question whose answer it
        // reads but never writes (69 of the two-tier and one-tier models, the hidden 75 and 76 of the
        // traditional one) is left out, and the cells the writer upper-cases (the minorities column) are
        // compared upper-cased.
        const Questionario::Caricamento caricamento(primo);
        for (const FiglioMembro& figlio : posizioniFile(modello).figliMembro) {
            if (!figlio.maiuscolo)
                continue;
            for (int r = 0; r < primo.membri().numeroMembri(); ++r)
                primo.membri().setCella(r, figlio.colonna, primo.membri().cella(r, figlio.colonna).toUpper());
        }
        for (int i = 0; i < domandeNeiRiquadri; ++i) {
            const PosizioneDomanda& posizione = posizioniFile(modello).domande[i];
            if (!posizione.rispostaLetta() || posizione.scriveRisposta())
                continue;
            for (Casella c : {Casella::SI, Casella::NO, Casella::NA})
                primo.setBox(i, c, false);
            primo.setNotaSI(i, QString());
            primo.setNotaAltre(i, QString());
            primo.setSegnoNota(i, false);
        }
        if (questionarioInJson(primo) != questionarioInJson(secondo))
            rompi("il file scritto non restituisce lo stesso questionario");
    }
}

void impostaUnaVolta()
{
    static const bool fatto = [] {
        static int argc = 1;
        static char nome[] = "fuzz";
        static char* argv[] = {nome, nullptr};
        new QCoreApplication(argc, argv);
        impostaCartellaProgramma(QStringLiteral(CARTELLA_MODELLI));
        return true;
    }();
    (void)fatto;
}

} // namespace

void provaBersaglio(Bersaglio bersaglio, const uint8_t* dati, size_t dimensione)
{
    impostaUnaVolta();
    try {
        switch (bersaglio) {
        case Bersaglio::LetturaTradizionale:
            leggi(Modello::Tradizionale, dati, dimensione);
            break;
        case Bersaglio::LetturaDualistico:
            leggi(Modello::Dualistico, dati, dimensione);
            break;
        case Bersaglio::LetturaMonistico:
            leggi(Modello::Monistico, dati, dimensione);
            break;
        case Bersaglio::LetturaV11:
            analizzaV11(QByteArray::fromRawData(reinterpret_cast<const char*>(dati), qsizetype(dimensione)),
                        ContenutoV11{});
            break;
        case Bersaglio::Json: {
            InterazioneMuta muta;
            try {
                questionarioDaJson(
                    QByteArray::fromRawData(reinterpret_cast<const char*>(dati), qsizetype(dimensione)),
                    muta);
            } catch (const ErroreDati&) {
                // Refused with its message: what should happen to a bad JSON.
            }
            break;
        }
        case Bersaglio::AndataERitorno:
            andataERitorno(dati, dimensione);
            break;
        }
    } catch (const std::exception& e) {
        // The program traps these in its commands; one escaping here is still a finding worth a look.
        std::fprintf(stderr, "eccezione: %s\n", e.what());
        std::abort();
    }
}
