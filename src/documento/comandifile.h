#pragma once

class Questionario;

// The file commands of a model window. Each one traps its own errors and reports them through the
// questionnaire's Interazione.

// "Genera" (generazione true: the check before generation runs first, unless an exit is saving) and
// "Salva temp." (false): asks for a file, writes the questionnaire into it, shows its name in the caption
// and marks the questionnaire saved. While an exit is in progress it ends the program once the file is
// written. A failed write leaves the questionnaire unsaved and the caption as it was.
void salva(Questionario& questionario, bool generazione);

// "Leggi": offers to save unsaved changes, asks for a file and reads it; the questionnaire then counts as
// saved, whatever the reader made of the file.
void apriFile(Questionario& questionario);

// "Esci": offers to save unsaved changes, then ends the program; returns only when the user stays.
void esci(Questionario& questionario);

// The user closes the window: offers to save unsaved changes. True when the program has been ended and
// the window may close, false when the user chose to stay.
bool chiusuraFinestra(Questionario& questionario);
