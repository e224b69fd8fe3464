#pragma once

#include "legacy/catalogov11.h"
#include "questionario/questionario.h"

#include <QString>
#include <array>

inline constexpr int numeroCampiGeneraliV11 = 37; // TEXT_GENERALE 0..36
inline constexpr int numeroMinoranzeV11 = 5;      // CHECK_MINORANZE 0..4
inline constexpr int numeroConteggiV11 = 3;       // TEXT 0..2, the answers of groups 34, 38 and 40

// What a version 1.1 file holds, as the viewer shows it. The general fields are, by index: 0 company name,
// 1 its tax code, 2 to 4 the closing date (day, month, year), 5 to 7 the referent (address, telephone,
// e-mail), then five member rows of five fields each (row k: 8 + 5k name, 9 + 5k tax code, 10 + 5k to
// 12 + 5k the offices held in group companies, in listed companies and in other companies; row 0 is the
// president), 33 the maximum number of offices and 34 to 36 the start date of the office.
struct ContenutoV11
{
    std::array<QString, numeroCampiGeneraliV11> campiGenerali;
    std::array<bool, numeroMinoranzeV11> minoranze{}; // "Eletto dalle minoranze" of each member row
    std::array<QString, numeroConteggiV11> conteggi;
    std::array<Risposta, numeroGruppiV11> risposte{};
    // The note of a group answered SI, and of a group answered otherwise (the same two slots as the model
    // windows have).
    std::array<QString, numeroGruppiV11> noteSIV11;
    std::array<QString, numeroGruppiV11> noteAltreV11;
    // The group's note label is red: the file had a note for it, whatever the answer.
    std::array<bool, numeroGruppiV11> segniNota{};

    bool operator==(const ContenutoV11&) const = default;
};

// Empties the content before a file is read into it: general fields, minority marks, answers and note
// marks. The three counts and the two note arrays stay as they are.
void pulisciModuloV11(ContenutoV11& contenuto);

// A click on the note label of `gruppo` opens the note window: the label is red, or the answer that the
// group's opening rule names is ticked.
bool notaApribileV11(const ContenutoV11& contenuto, int gruppo);

// The note window over the content, as the model note windows work over a questionnaire: the slot edited is
// the SI slot while the group's answer is SI, the other slot otherwise.
QString testoNotaV11(const ContenutoV11& contenuto, int gruppo); // line breaks as CR LF
void cancellaNotaV11(ContenutoV11& contenuto, int gruppo);
// "Fine": a text of blanks only empties the slot and blackens the label; any other text is stored and turns
// the label red. The answer is never touched: the viewer's answers are read-only.
void fineNotaV11(ContenutoV11& contenuto, int gruppo, const QString& testo);
