#pragma once

#include <QString>

class Questionario;

// Prints the questionnaire's report to a PDF file (A4). The file is replaced only by a complete document: on
// failure an existing file stays as it was, and `errore` (when given) says why.
bool stampaSuPdf(const Questionario& q, const QString& percorso, QString* errore = nullptr);
