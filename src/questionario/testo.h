#pragma once

#include <QString>

// Any mix of CR, LF and CR LF becomes CR LF: every CR is removed, then every LF becomes CR LF.
QString normalizzaACapo(const QString& testo);

// A text made only of characters up to code 32 (spaces, tabs, line breaks) counts as empty.
bool soloSpazi(const QString& testo);
