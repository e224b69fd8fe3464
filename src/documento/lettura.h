#pragma once

#include "legacy/letturav11.h"
#include "questionario/interazione.h"

#include <QString>
#include <functional>
#include <optional>

class DocumentoXml;
class Questionario;

// What the reader made of a file. It shows nothing itself: the command that called it tells the user.
struct EsitoLettura
{
    // True only when the whole file was read into the questionnaire.
    bool letto = false;
    // The message for the user when the file was not read: a file of another model, or a file that cannot be
    // read as a questionnaire (broken, hostile, missing nodes).
    std::optional<Messaggio> errore;
    // Why the file could not be read, in detail, for the command line (empty when unknown).
    QString motivo;
    // A file of the older version 1.1, as its reader made it out (read or not); the questionnaire has been
    // emptied.
    std::optional<RisultatoV11> versione11;
};

// The reader of version 1.1 files, for the file at the path; the traditional reader hands it every file whose
// root is not a questionnaire's.
using LettoreV11 = std::function<RisultatoV11(const QString& percorso)>;

// The reader: fills the questionnaire from a file the writer wrote. A file of another model leaves the
// questionnaire as it was; any other failure leaves what was read so far (the questionnaire was emptied
// first). The file is untrusted input: a broken or hostile file ends in its message, never in a crash.
// Without a version 1.1 reader, or in the other models, such a file is refused as unreadable.
EsitoLettura leggiFile(Questionario& questionario, const QString& percorso,
                       const LettoreV11& lettoreV11 = {});
// The same, from the document already loaded from the file at `percorso` (loaded or not: a failed load is
// reported as leggiFile reports it). For a caller that has looked into the document first, so that the file
// is parsed once. The notes and requirements texts are taken out of the document as they are read.
EsitoLettura leggiDocumento(Questionario& questionario, const DocumentoXml& documento,
                            const QString& percorso, const LettoreV11& lettoreV11 = {});

// Empties the questionnaire before a file is read into it: general fields, boxes, note marks, notes and
// members (back to the three initial rows). The Riquadro II counts and the "N/A" mark of field 65 stay.
void pulisciModulo(Questionario& questionario);

// The message of a file that cannot be read as a questionnaire.
Messaggio messaggioImpossibileAprire();
