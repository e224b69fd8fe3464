#pragma once

#include <QString>

class Questionario;

// The writer: loads the model's template from the program's folder, fills it with the questionnaire and
// writes it to `percorso`, replacing a file that is there. Any failure (template missing or broken, a node
// of the template missing, the file not writable, the disk full) throws ErroreXml with an Italian
// description; the file at `percorso` is then left as it was.
void scriviFile(const Questionario& questionario, const QString& percorso);
