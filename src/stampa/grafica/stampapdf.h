#pragma once

#include <QString>
#include <functional>

class SuperficieStampa;

// What a print run draws: the whole report on the surface it is given; false when the printer failed.
using Disegno = std::function<bool(SuperficieStampa&)>;

// Draws a report into a PDF file (A4) titled `titolo`. The file is replaced only by a complete document: on
// failure, or when the path is there and is not an ordinary file, an existing file stays as it was, and
// `errore` (when given) says why.
bool stampaSuPdf(const Disegno& disegno, const QString& titolo, const QString& percorso,
                 QString* errore = nullptr);
