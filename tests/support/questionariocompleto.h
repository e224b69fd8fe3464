#pragma once

class Questionario;

// Fills everything the check before generation tests with valid values, as the reader would (no rules run):
// the check then passes with no message.
void compilaCompleto(Questionario& q);

// Member row `riga` with every data column filled.
void compilaMembroCompleto(Questionario& q, int riga);
