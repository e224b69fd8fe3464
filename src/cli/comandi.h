#pragma once

#include "cli/argomenti.h"

#include <QStringList>

class QIODevice;
class QTextStream;

// The whole command line: parses `argomenti` (the program's own name first), runs the command and returns
// the exit status. `ingresso` is standard input (the JSON of "scrivi -"); results go to `uscita` as UTF-8,
// errors to `errori`.
int eseguiRigaComando(const QStringList& argomenti, QIODevice& ingresso, QIODevice& uscita,
                      QTextStream& errori);

// "leggi": the questionnaire that the reader fills from the file, as JSON.
int comandoLeggi(const Argomenti& a, QIODevice& uscita, QTextStream& errori);
// "scrivi": the questionnaire that a JSON describes, written by the writer with no check.
int comandoScrivi(const Argomenti& a, QIODevice& ingresso, QTextStream& errori);
// "stampa": the questionnaire's report, to a PDF or as the drawing operations with a fixed metric.
int comandoStampa(const Argomenti& a, QIODevice& uscita, QTextStream& errori);
// "verifica": the check before generation, with every message it shows.
int comandoVerifica(const Argomenti& a, QIODevice& uscita, QTextStream& errori);
