#pragma once

#include <QStringList>

class SuperficieRegistrazione;

// What a recording surface holds, one line per operation, for comparing with lines worked out by hand:
// "x y size|text" with x and y to two decimals and "g" after the size for bold ("0.00 25.00 10g|Presidente"),
// a run of one repeated "." or "_" written as ".×71"; "nuovaPagina" and "fine" as they are.
QStringList tracciaStampa(const SuperficieRegistrazione& superficie);

// The lines from the first whose text is `testo` on, `quante` of them (fewer at the end); empty when absent.
QStringList tracciaDa(const QStringList& traccia, const QString& testo, int quante);
