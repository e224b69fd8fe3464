#pragma once

#include "legacy/letturav11.h"

#include <QObject>
#include <QString>

class Questionario;

// Where "Leggi" of the traditional window sends a file of the older version 1.1: the read-only viewer, which
// keeps its content from one read to the next.
class DestinazioneV11
{
public:
    virtual ~DestinazioneV11() = default;
    // The content the next read starts from.
    virtual ContenutoV11 contenutoV11() const = 0;
    // What the read stored (also when it failed part way), shown when the file was read to its end.
    virtual void riceviV11(const RisultatoV11& risultato, const QString& percorso) = 0;
};

// What one run of a model window remembers besides its questionnaire: whether there are unsaved edits (and so
// whether the "Leggi" button is available), an exit in progress, the file last chosen and the caption as the
// window was loaded.
class StatoFinestra : public QObject
{
    Q_OBJECT

public:
    bool flagSalvato() const { return m_flagSalvato; }
    bool leggiDisponibile() const { return m_leggiDisponibile; }
    // An edit: unsaved, and "Leggi" unavailable until the next save or read.
    void segnaModificato();
    // Written or read: saved, and "Leggi" available again.
    void segnaSalvato();
    // The program ends at the user's wish: after the exit prompt, or with nothing left unsaved.
    void segnaUscitaRegolare() { Q_EMIT uscitaRegolare(); }
    // Without touching "Leggi": a click on a note label or on the requisiti column clears the flag, a
    // cancelled open dialog sets it.
    void setFlagSalvato(bool salvato) { m_flagSalvato = salvato; }

    bool flagUscita() const { return m_flagUscita; }
    void setFlagUscita(bool uscita) { m_flagUscita = uscita; }
    const QString& percorsoFile() const { return m_percorsoFile; }
    void setPercorsoFile(const QString& percorso) { m_percorsoFile = percorso; }
    const QString& titoloBase() const { return m_titoloBase; }
    void setTitoloBase(const QString& titolo) { m_titoloBase = titolo; }

Q_SIGNALS:
    void leggiDisponibileCambiato(bool disponibile);
    // The questionnaire counts as saved: it has been written to a file or read from one.
    void salvato();
    void uscitaRegolare();

private:
    bool m_flagSalvato = true;
    bool m_leggiDisponibile = true;
    bool m_flagUscita = false;
    QString m_percorsoFile;
    QString m_titoloBase;
};

// The file commands of a model window over its questionnaire, with the window's state they share. Every edit
// of the questionnaire marks the state unsaved. Each command traps its own errors and reports them through
// the questionnaire's Interazione.
class ComandiFile
{
public:
    explicit ComandiFile(Questionario& questionario);

    StatoFinestra& stato() { return m_stato; }
    const StatoFinestra& stato() const { return m_stato; }
    // The traditional window's viewer of version 1.1 files; without one, such a file is unreadable.
    void impostaDestinazioneV11(DestinazioneV11* destinazione) { m_destinazioneV11 = destinazione; }

    // "Genera" (generazione true: the check before generation runs first, unless an exit is saving) and
    // "Salva temp." (false): asks for a file, writes the questionnaire into it, shows its name in the caption
    // and marks the questionnaire saved. While an exit is in progress it ends the program once the file is
    // written. A failed write leaves the questionnaire unsaved and the caption as it was.
    void salva(bool generazione);

    // "Leggi": offers to save unsaved changes, asks for a file and reads it; the questionnaire then counts as
    // saved, whatever the reader made of the file.
    void apriFile();

    // "Esci": offers to save unsaved changes, then ends the program; returns only when the user stays.
    void esci();

    // The user closes the window: offers to save unsaved changes. True when the program has been ended and
    // the window may close, false when the user chose to stay.
    bool chiusuraFinestra();

private:
    enum class EsitoSalva
    {
        Fermato,
        Salvato,
        ProgrammaTerminato // nothing may run after this
    };
    EsitoSalva salvaConEsito(bool generazione);
    bool offriSalvataggio();
    void terminaProgramma();

    Questionario& m_q;
    StatoFinestra m_stato;
    DestinazioneV11* m_destinazioneV11 = nullptr;
};
