#include "documento/comandifile.h"

#include "documento/controllo.h"
#include "documento/documentoxml.h"
#include "documento/erroreoperazione.h"
#include "documento/lettura.h"
#include "documento/scrittura.h"
#include "modelli/modello.h"
#include "modelli/posizionifile.h"
#include "questionario/interazione.h"
#include "questionario/questionario.h"

#include <algorithm>
#include <exception>
#include <optional>

namespace {

using Esito = Interazione::Esito;

Interazione::FiltroFile dialogoFile(const QString& titolo)
{
    return {titolo, QStringLiteral("Xml File (*.xml)"), cartellaProgramma()};
}

void mostraErrore(Interazione& interazione, const QString& descrizione)
{
    interazione.messaggio(descrizione, titoloApplicazione(), Interazione::Pulsanti::Ok,
                          Interazione::Icona::Nessuna);
}

// Runs a command body; an error it throws is shown with its description and ends the command.
template <typename Corpo> bool eseguiIntercettando(Interazione& interazione, Corpo&& corpo)
{
    try {
        corpo();
        return true;
    } catch (const ErroreXml& errore) {
        mostraErrore(interazione, errore.descrizione());
    } catch (const ErroreOperazione& errore) {
        mostraErrore(interazione, errore.descrizione());
    } catch (const std::exception& errore) {
        mostraErrore(interazione, QString::fromLocal8Bit(errore.what()));
    }
    return false;
}

// The unsaved-changes prompt of "Leggi", "Esci" and the window's close box.
Esito chiediSalvataggio(Interazione& interazione)
{
    return interazione.messaggio(QStringLiteral("Con questa operazione verranno perse tutte le modifiche\r\n"
                                                "effettuate: si desidera salvarle in un file temporaneo?"),
                                 QStringLiteral("Warning"), Interazione::Pulsanti::SiNoAnnulla,
                                 Interazione::Icona::Domanda);
}

// The file's own name: what follows the last separator, either kind.
QString nomeFile(const QString& percorso)
{
    const qsizetype separatore = std::max(percorso.lastIndexOf(u'/'), percorso.lastIndexOf(u'\\'));
    return percorso.mid(separatore + 1);
}

enum class EsitoSalva
{
    Fermato,
    Salvato,
    ProgrammaTerminato // nothing may run after this
};

EsitoSalva salvaConEsito(Questionario& q, bool generazione)
{
    Interazione& interazione = q.interazione();
    EsitoSalva esito = EsitoSalva::Fermato;
    eseguiIntercettando(interazione, [&] {
        // The check has already told the user what is wrong.
        if (generazione && !q.flagUscita() && controlloPrimaDellaGenerazione(q))
            return;
        const std::optional<QString> scelto =
            interazione.chiediFileDaSalvare(dialogoFile(QStringLiteral("Salva file")));
        if (!scelto)
            return;
        q.setPercorsoFile(*scelto);
        if (scelto->isEmpty())
            return;
        // A failed write throws past the caption and the saved flag, so the changes still count as unsaved.
        scriviFile(q, *scelto);
        interazione.impostaTitolo(q.titoloBase() + QStringLiteral(" - ") + nomeFile(*scelto));
        if (q.flagUscita()) {
            esito = EsitoSalva::ProgrammaTerminato;
            interazione.terminaProgramma();
            return;
        }
        q.segnaSalvato();
        esito = EsitoSalva::Salvato;
    });
    return esito;
}

// With unsaved changes, the prompt: "Sì" saves to a temporary file first, whatever that save then does.
// False when the user cancels.
bool offriSalvataggio(Questionario& q)
{
    if (q.flagSalvato())
        return true;
    switch (chiediSalvataggio(q.interazione())) {
    case Esito::Si:
        salvaConEsito(q, false);
        return true;
    case Esito::No:
        return true;
    default:
        return false;
    }
}

} // namespace

void salva(Questionario& q, bool generazione)
{
    salvaConEsito(q, generazione);
}

void apriFile(Questionario& q)
{
    Interazione& interazione = q.interazione();
    eseguiIntercettando(interazione, [&] {
        // Goes on to the open dialog whatever the save did.
        if (!offriSalvataggio(q))
            return;
        const std::optional<QString> scelto =
            interazione.chiediFileDaAprire(dialogoFile(QStringLiteral("Apri file")));
        q.setPercorsoFile(scelto.value_or(QString()));
        // "Leggi" comes back whatever the reader made of the file, and the questionnaire counts as saved even
        // after a failed read; after a cancelled dialog only the saved flag changes.
        if (q.percorsoFile().isEmpty()) {
            q.setFlagSalvato(true);
        } else {
            leggiFile(q, q.percorsoFile());
            q.segnaSalvato();
        }
    });
}

void esci(Questionario& q)
{
    Interazione& interazione = q.interazione();
    const bool finito = eseguiIntercettando(interazione, [&] {
        if (q.flagSalvato()) {
            interazione.terminaProgramma();
            return;
        }
        q.setFlagUscita(true);
        switch (chiediSalvataggio(interazione)) {
        case Esito::Si:
            // A completed save ends the program itself; a cancelled or failed one abandons the exit.
            if (salvaConEsito(q, false) == EsitoSalva::ProgrammaTerminato)
                return;
            break;
        case Esito::No:
            interazione.terminaProgramma();
            return;
        default:
            break;
        }
        q.setFlagUscita(false);
    });
    if (!finito)
        q.setFlagUscita(false);
}

bool chiusuraFinestra(Questionario& q)
{
    Interazione& interazione = q.interazione();
    // The program ends even when the save was cancelled: the changes are lost.
    if (!offriSalvataggio(q))
        return false;
    interazione.terminaProgramma();
    return true;
}
