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

#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <exception>
#include <optional>

namespace {

using Esito = Interazione::Esito;

// The dialogs start in the program's folder, or in the user's documents when the program is installed where
// the user cannot write (the home folder when there is no documents folder: a folder that does not exist
// would end up as a file name in the dialog).
Interazione::FiltroFile dialogoFile(const QString& titolo)
{
    QString cartella = cartellaProgramma();
    if (!QFileInfo(cartella).isWritable()) {
        cartella = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(cartella).isDir())
            cartella = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    }
    return {titolo, QStringLiteral("Xml File (*.xml)"), cartella};
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

} // namespace

void StatoFinestra::segnaModificato()
{
    m_flagSalvato = false;
    if (m_leggiDisponibile) {
        m_leggiDisponibile = false;
        Q_EMIT leggiDisponibileCambiato(false);
    }
}

void StatoFinestra::segnaSalvato()
{
    m_flagSalvato = true;
    if (!m_leggiDisponibile) {
        m_leggiDisponibile = true;
        Q_EMIT leggiDisponibileCambiato(true);
    }
    Q_EMIT salvato();
}

ComandiFile::ComandiFile(Questionario& questionario) : m_q(questionario)
{
    QObject::connect(&m_q, &Questionario::modificato, &m_stato, &StatoFinestra::segnaModificato);
}

ComandiFile::EsitoSalva ComandiFile::salvaConEsito(bool generazione)
{
    Interazione& interazione = m_q.interazione();
    EsitoSalva esito = EsitoSalva::Fermato;
    eseguiIntercettando(interazione, [&] {
        // The check has already told the user what is wrong.
        if (generazione && !m_stato.flagUscita() && eseguiControllo(m_q))
            return;
        const std::optional<QString> scelto =
            interazione.chiediFileDaSalvare(dialogoFile(QStringLiteral("Salva file")));
        if (!scelto)
            return;
        m_stato.setPercorsoFile(*scelto);
        if (scelto->isEmpty())
            return;
        // A failed write throws past the caption and the saved flag, so the changes still count as unsaved.
        scriviFile(m_q, *scelto);
        interazione.impostaTitolo(m_stato.titoloBase() + QStringLiteral(" - ") + nomeFile(*scelto));
        if (m_stato.flagUscita()) {
            esito = EsitoSalva::ProgrammaTerminato;
            terminaProgramma();
            return;
        }
        m_stato.segnaSalvato();
        esito = EsitoSalva::Salvato;
    });
    return esito;
}

// With unsaved changes, the prompt: "Sì" saves to a temporary file first, whatever that save then does.
// False when the user cancels.
bool ComandiFile::offriSalvataggio()
{
    if (m_stato.flagSalvato())
        return true;
    switch (chiediSalvataggio(m_q.interazione())) {
    case Esito::Si:
        salvaConEsito(false);
        return true;
    case Esito::No:
        return true;
    default:
        return false;
    }
}

void ComandiFile::terminaProgramma()
{
    m_stato.segnaUscitaRegolare();
    m_q.interazione().terminaProgramma();
}

void ComandiFile::salva(bool generazione)
{
    salvaConEsito(generazione);
}

void ComandiFile::apriFile()
{
    Interazione& interazione = m_q.interazione();
    eseguiIntercettando(interazione, [&] {
        // Goes on to the open dialog whatever the save did.
        if (!offriSalvataggio())
            return;
        const std::optional<QString> scelto =
            interazione.chiediFileDaAprire(dialogoFile(QStringLiteral("Apri file")));
        m_stato.setPercorsoFile(scelto.value_or(QString()));
        const QString& percorso = m_stato.percorsoFile();
        // After a cancelled dialog only the saved flag changes.
        if (percorso.isEmpty()) {
            m_stato.setFlagSalvato(true);
            return;
        }
        LettoreV11 lettoreV11;
        if (m_destinazioneV11) {
            lettoreV11 = [this](const QString& file) {
                return leggiFileV11(file, m_destinazioneV11->contenutoV11());
            };
        }
        const EsitoLettura esito = leggiFile(m_q, percorso, lettoreV11);
        if (esito.versione11)
            m_destinazioneV11->riceviV11(*esito.versione11, percorso);
        if (esito.letto)
            interazione.impostaTitolo(m_stato.titoloBase() + QStringLiteral(" - ") + percorso);
        if (esito.errore)
            interazione.mostra(*esito.errore);
        // "Leggi" comes back whatever the reader made of the file, and the questionnaire counts as saved
        // even after a failed read.
        m_stato.segnaSalvato();
    });
}

void ComandiFile::esci()
{
    Interazione& interazione = m_q.interazione();
    const bool finito = eseguiIntercettando(interazione, [&] {
        if (m_stato.flagSalvato()) {
            terminaProgramma();
            return;
        }
        m_stato.setFlagUscita(true);
        switch (chiediSalvataggio(interazione)) {
        case Esito::Si:
            // A completed save ends the program itself; a cancelled or failed one abandons the exit.
            if (salvaConEsito(false) == EsitoSalva::ProgrammaTerminato)
                return;
            break;
        case Esito::No:
            terminaProgramma();
            return;
        default:
            break;
        }
        m_stato.setFlagUscita(false);
    });
    if (!finito)
        m_stato.setFlagUscita(false);
}

bool ComandiFile::chiusuraFinestra()
{
    // The program ends even when the save was cancelled: the changes are lost.
    if (!offriSalvataggio())
        return false;
    terminaProgramma();
    return true;
}
