#pragma once

#include "questionario/ui/finestranotabase.h"

class Questionario;

// The modal note window of a model (Nota_Trad, Nota_Dual, Nota_Mon): edits the note of a question group, or
// a member's requirements text.
class FinestraNota : public FinestraNotaBase
{
    Q_OBJECT

public:
    FinestraNota(Questionario& questionario, QWidget* parent = nullptr);

    // Shows the window modally for the note of group `indice`; returns when it has been closed with "Fine".
    void apriGruppo(int indice);
    // Shows it for the requirements text of member row `riga`.
    void apriMembro(int riga);
    // The activation without the modal loop (apriGruppo and apriMembro run it first).
    void preparaGruppo(int indice);
    void preparaMembro(int riga);

protected:
    void testoCancellato() override;
    void testoFinale(const QString& testo) override;

private:
    Questionario& m_questionario;
    int m_indice = 0; // the group in group mode
    int m_riga = -1;  // the member row in member mode, -1 in group mode
};
