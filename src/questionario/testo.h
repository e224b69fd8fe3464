#pragma once

#include <QString>

// Any mix of CR, LF and CR LF becomes CR LF: every CR is removed, then every LF becomes CR LF.
QString normalizzaACapo(const QString& testo);

// A note read from a file: every line break held as CR LF, whichever the file had (CR LF, a lone LF or a lone
// CR). A text that already has only CR LF comes back as it is, without a copy.
QString aCapoDaFile(const QString& testo);

// The first `massimo` characters of a text, one fewer when the cut would split a character made of two
// UTF-16 units (half of one cannot be written to a file).
QString troncaSenzaSpezzare(const QString& testo, qsizetype massimo);

// A text made only of characters up to code 32 (spaces, tabs, line breaks) counts as empty.
bool soloSpazi(const QString& testo);
