#pragma once

#include <QString>
#include <functional>
#include <optional>

class SuperficieStampa;

struct Messaggio;

// The one way the core reaches the user. Implemented with real dialogs by the window, and by a scripted
// fake in the tests. Every call is synchronous: a modal step returns when its dialog has closed.
class Interazione
{
public:
    enum class Pulsanti
    {
        Ok,
        SiNo,
        SiNoAnnulla
    };
    enum class Icona
    {
        Nessuna,
        Critica,
        Domanda,
        Esclamazione,
        Informazione
    };
    enum class Esito
    {
        Ok,
        Si,
        No,
        Annulla
    };

    struct FiltroFile
    {
        QString titolo;   // "Salva file", "Apri file"
        QString filtro;   // shown text, e.g. "Xml File (*.xml)"
        QString cartella; // initial folder
    };

    virtual ~Interazione() = default;

    virtual Esito messaggio(const QString& testo, const QString& titolo, Pulsanti pulsanti, Icona icona) = 0;
    Esito mostra(const Messaggio& messaggio);
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<QString> chiediFileDaSalvare(const FiltroFile& dialogo) = 0;
    virtual std::optional<QString> chiediFileDaAprire(const FiltroFile& dialogo) = 0;
    virtual void beep() = 0;
    // The printer dialog; unless it is cancelled, `disegno` draws the report (titled `titolo`) on what the
    // user chose. Cancelling prints nothing and says nothing; a printer error ends the run silently.
    virtual void stampa(const std::function<bool(SuperficieStampa&)>& disegno, const QString& titolo) = 0;

    // The modal note editor, for a question group or for a member's requirements text.
    virtual void apriNotaGruppo(int indice) = 0;
    virtual void apriNotaMembro(int riga) = 0;

    virtual void mostraPagina(int pagina) = 0;
    virtual void ripristinaFinestra() = 0;
    // Moves the keyboard focus to the control with this objectName ("TEXT_GENERALE_33", "Check_SI_7").
    virtual void spostaFocus(const QString& nomeControllo) = 0;
    virtual void impostaTitolo(const QString& titolo) = 0;
    // Removes the tray icon and ends the program; returns only where there is nothing to end (tests).
    virtual void terminaProgramma() = 0;
};

// A message box as a value: what a command, a reader or the check has to tell the user.
struct Messaggio
{
    QString testo;
    QString titolo;
    Interazione::Pulsanti pulsanti = Interazione::Pulsanti::Ok;
    Interazione::Icona icona = Interazione::Icona::Critica;

    friend bool operator==(const Messaggio&, const Messaggio&) = default;
};

inline Interazione::Esito Interazione::mostra(const Messaggio& m)
{
    return messaggio(m.testo, m.titolo, m.pulsanti, m.icona);
}
