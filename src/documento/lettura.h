#pragma once

#include <QString>
#include <functional>

class Questionario;

// The reader: fills the questionnaire from a file the writer wrote. True only when the whole file was read;
// the caption then shows the file's path. Every failure has already been told to the user through the
// questionnaire's Interazione: a file of another model leaves the questionnaire as it was, any other
// failure leaves what was read so far (the questionnaire was emptied first). The file is untrusted input:
// a broken or hostile file ends in a message, never in a crash. The loading flags are never left set.
bool leggiFile(Questionario& questionario, const QString& percorso);

// Empties the questionnaire before a file is read into it: general fields, boxes, note marks, notes and
// members (back to the three initial rows). The Riquadro II counts and the "N/A" mark of field 65 stay.
void pulisciModulo(Questionario& questionario);

// The version 1.1 reader: reads the file at `percorso` into its own viewer and shows it; true when it
// could. The traditional reader hands it every file whose root is not a questionnaire's, then empties the
// questionnaire. The viewer registers it; until one is registered such a file is refused like any
// unreadable file.
using LettoreV11 = std::function<bool(const QString& percorso)>;
void impostaLettoreV11(LettoreV11 lettore);
