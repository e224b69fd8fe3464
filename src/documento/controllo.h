#pragma once

#include <QString>

class Questionario;

enum class ModoControllo
{
    // The window's check: stops at the first problem (the bad dates excepted) and may settle the maximum
    // number of offices on the spot by asking for note 1.0.c.
    PrimoProblema,
    // For the command-line tool: reports every problem of every step once, with the same messages, pages and
    // focus moves, and never asks a question (a missing note 1.0.c is reported instead).
    TuttiIProblemi
};

// The check before generation: general fields, members, answers and required notes, dates, maximum number of
// offices, in this order. Every problem is reported through the questionnaire's Interazione, which is also
// told where to take the user (window restored, page, focus). True when a problem was found: the file must
// not be generated. Throws ErroreOperazione when field 33 or a member's number of offices in listed
// companies is a number beyond 32767; the check does not catch it.
bool controlloPrimaDellaGenerazione(Questionario& q);
bool controlloPrimaDellaGenerazione(Questionario& q, ModoControllo modo);

// Numbers and dates as the check reads them. The rules are strict:
// - a number is one or more ASCII digits "0" to "9" and nothing else: no sign, no spaces, no separators
//   ("007" is 7);
// - a date is a day and a month of exactly two digits and a year of exactly four digits, plain ASCII digits
//   only, that together form a real calendar date of the years 0001 to 9999 ("31/02/2024", "29/02/2023" and
//   "1/02/2024" fail, "29/02/2024" passes). The file keeps a date as its eight digits run together, so a
//   one-digit day or month would be read back split in the wrong places.
bool testoNumerico(const QString& testo);
bool dataValida(const QString& giorno, const QString& mese, const QString& anno);
// A number that must fit a signed 16-bit integer; throws ErroreOperazione when it is not a number or is
// above 32767.
int numeroA16Bit(const QString& testo);
