#pragma once

#include "questionario/interazione.h"

#include <QList>
#include <QString>
#include <optional>

class Questionario;
struct ProfiloModello;

// One step of taking the user to a problem: the message itself, or a move of the window around it.
struct Mossa
{
    enum class Tipo
    {
        Messaggio,
        Ripristino, // the window restored and shown, in case it was minimised or hidden to the tray
        Pagina,
        Focus
    };
    Tipo tipo = Tipo::Messaggio;
    int pagina = -1;   // Pagina: the page brought to the front
    QString controllo; // Focus: objectName of the control that gets the focus

    friend bool operator==(const Mossa&, const Mossa&) = default;
};

// A problem found by the check before generation: its message and where the window takes the user, in the
// order the window does it.
struct Problema
{
    Messaggio messaggio;
    QList<Mossa> mosse; // the message is one of them
    // The window's check stops at this problem; only a bad date lets it go on.
    bool ferma = true;
    // The maximum of offices is below a member's: `messaggio` asks whether to write note 1.0.c now, and
    // `mosse` are those of the answer No.
    bool domandaNota81 = false;

    std::optional<int> pagina() const;    // the page brought to the front, if any
    std::optional<QString> focus() const; // the control that ends up with the focus, if any

    friend bool operator==(const Problema&, const Problema&) = default;
};

// The check before generation: general fields, members, answers and required notes, dates, maximum number of
// offices, in this order. Every problem of every step, each once, as the window would report it; a number
// beyond 32767 in field 33 or in a member's offices in listed companies is one more problem (shown with the
// program's title, as an error of the command). Reads the questionnaire only.
QList<Problema> controlloPrimaDellaGenerazione(const Questionario& q);

// The window's check: shows the problems through the questionnaire's Interazione up to the first one that
// stops it. The question about note 1.0.c is asked there: No stops the check at field 33; Yes ticks box 81
// afresh, which opens its note editor, and a note written there settles every remaining problem of the
// offices. True when a problem was shown: the file must not be generated.
bool eseguiControllo(Questionario& q);

// The problems a check that stops at the first shows when every question is answered No.
QList<Problema> finoAlPrimoProblema(const QList<Problema>& problemi);
// Every problem of a check that asks nothing: the question about note 1.0.c becomes the missing note.
QList<Problema> senzaDomande(const QList<Problema>& problemi, const ProfiloModello& profilo);

// Numbers and dates as the check reads them. The rules are strict:
// - a number is one or more ASCII digits "0" to "9" and nothing else: no sign, no spaces, no separators
//   ("007" is 7);
// - a date is a day and a month of exactly two digits and a year of exactly four digits, plain ASCII digits
//   only, that together form a real calendar date of the years 0001 to 9999 ("31/02/2024", "29/02/2023" and
//   "1/02/2024" fail, "29/02/2024" passes). The file keeps a date as its eight digits run together, so a
//   one-digit day or month would be read back split in the wrong places.
bool testoNumerico(const QString& testo);
bool dataValida(const QString& giorno, const QString& mese, const QString& anno);
