#pragma once

#include "legacy/contenutov11.h"
#include "questionario/interazione.h"

#include <QByteArray>
#include <QString>

// The reader of version 1.1 files. A version 1.1 file is a well-formed XML document that is read as plain
// text lines:
// - lines 1 to 3 are skipped;
// - the header, from line 4 up to the line that is exactly "QUESTIONARIO": general fields ("<n> - <text>"),
//   counts (a line whose first five characters hold "TEXT": "TEXT-<k> <text>") and minority marks ("CHECK":
//   "CHECK-<k><0 or 1>"), each line after the accent normalisation;
// - the questions, up to the end of the file or to the first line holding ">": "<n> - <answer> - <note>",
//   the note running over the following lines until one ends with "#||#".
// Empty lines are ignored in both sections (not inside a note).
//
// Where the format leaves room, this reader:
// - ends a line at CR LF, at a lone LF or at a lone CR;
// - decodes the text with the encoding the XML declaration names: UTF-8 when it names none, ISO-8859-1 and
//   windows-1252 both as windows-1252 (single-byte), others as the platform decodes them; a byte order mark
//   wins over the declaration; an encoding nobody can decode is an error;
// - reads a number as ASCII digits with spaces around them allowed, at most 32767 (16 bits); anything else
//   (sign, other characters, nothing) is not a number;
// - takes a line without a dash, in either section, as broken;
// - takes a minority value other than 0 or 1 as broken;
// - keeps one answer per group: a later line for the same group replaces a recognised answer, a line whose
//   answer is not recognised leaves it;
// - takes the notes of the question section as read, without the accent normalisation.
// Every broken line, an index outside its table, a file that ends before "QUESTIONARIO" or before a note's
// end marker stop the read with an error; what was stored before stays.

// "a'" -> "à", "e'" -> "è", "i'" -> "ì", "o'" -> "ò", "u'" -> "ù", in this order, exact case.
QString normalizzaAccenti(const QString& testo);

struct RisultatoV11
{
    enum class Esito
    {
        Letto,          // read to its end (or to its ">" line)
        FileMancante,   // no file at the path: the caller shows messaggioFileMancanteV11()
        FileIlleggibile // any other failure: the caller shows the traditional reader's failure message
    };

    Esito esito = Esito::Letto;
    // As stored so far: the whole file when read, what came before the error otherwise; the previous
    // content untouched when the file is missing.
    ContenutoV11 contenuto;
    // The line (from 1) where the read stopped on an error; one past the last line when the file ended too
    // early; 0 when the file was read, is missing, or could not be opened or decoded.
    int rigaErrore = 0;

    bool letto() const { return esito == Esito::Letto; }
};

// Reads a version 1.1 file's bytes over `precedente` emptied by pulisciModuloV11: the counts and the note
// arrays that the file does not set stay as they were.
RisultatoV11 analizzaV11(const QByteArray& contenuto, const ContenutoV11& precedente);

// The file at `percorso`: missing, unreadable, or read by analizzaV11.
RisultatoV11 leggiFileV11(const QString& percorso, const ContenutoV11& precedente);

// The message for a path where no file exists.
Messaggio messaggioFileMancanteV11();

// The viewer's caption for the file at `percorso`: "Tamrel - Scheda riepilogativa dell'Ombrisa v. 1.1 - "
// and the path relative to the program folder when the file lies inside it (the bare name for a file right
// in it), the full path otherwise.
QString titoloVisoreV11(const QString& percorso, const QString& cartellaProgramma);
inline const QString titoloBaseV11 = QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 1.1");
