#pragma once

#include "questionario/interazione.h"

#include <QList>
#include <QString>
#include <optional>

// One call of the port that matters to the user of the command-line tool, in the order it came.
struct EventoInterazione
{
    enum class Tipo
    {
        Messaggio,
        Pagina,
        Focus,
        Ripristino // the window restored and shown
    };
    Tipo tipo = Tipo::Messaggio;
    QString titolo;    // Messaggio
    QString testo;     // Messaggio: the text as the message box gets it, CR LF and CR kept
    int pagina = -1;   // Pagina
    QString controllo; // Focus: the control's objectName
};

// A message with the place where the window takes the user for it.
struct MessaggioConPosto
{
    QString titolo;
    QString testo;
    std::optional<int> pagina;    // the page brought to the front
    std::optional<QString> focus; // objectName of the control that gets the focus

    friend bool operator==(const MessaggioConPosto&, const MessaggioConPosto&) = default;
};

// Gives each message the page and focus moves of its own problem. The check makes these moves right after
// a message for most problems, but right before it for some (the members table, a meeting count left
// empty), so a move between two messages belongs to the earlier one unless it cannot: a message takes at
// most one page and one focus, and a focus that directly follows its page (the window not restored in
// between) already leads to the next problem. Moves that cannot belong to the earlier message wait for the
// next one; the last move of a kind wins.
QList<MessaggioConPosto> messaggiConPosto(const QList<EventoInterazione>& eventi);

// The port with no window: records messages and moves, opens no dialog. A message box is closed with OK,
// a Yes/No question is answered No, Yes/No/Cancel is cancelled; file dialogs are cancelled; the note
// editor is not shown, so nothing is written into a note.
class InterazioneSenzaFinestra : public Interazione
{
public:
    const QList<EventoInterazione>& eventi() const { return m_eventi; }
    QList<MessaggioConPosto> messaggi() const { return messaggiConPosto(m_eventi); }
    void azzera() { m_eventi.clear(); }

    Esito messaggio(const QString& testo, const QString& titolo, Pulsanti pulsanti, Icona icona) override;
    std::optional<QString> chiediFileDaSalvare(const FiltroFile&) override { return std::nullopt; }
    std::optional<QString> chiediFileDaAprire(const FiltroFile&) override { return std::nullopt; }
    void beep() override {}
    void apriNotaGruppo(int) override {}
    void apriNotaMembro(int) override {}
    void mostraPagina(int pagina) override;
    void ripristinaFinestra() override;
    void spostaFocus(const QString& nomeControllo) override;
    void impostaTitolo(const QString&) override {}
    void terminaProgramma() override {}

private:
    QList<EventoInterazione> m_eventi;
};
