#pragma once

#include "questionario/ui/finestranotabase.h"

struct ContenutoV11;

// The note window of the version 1.1 viewer (Nota): the note of one question group of the viewer's own
// content, with the buttons and the length limit of the model note windows. What it changes stays in that
// content: nothing is ever written to a file.
class FinestraNotaV11 : public FinestraNotaBase
{
    Q_OBJECT

public:
    FinestraNotaV11(ContenutoV11& contenuto, Interazione& interazione, QWidget* parent = nullptr);

    // Shows the window modally for the note of `gruppo`; returns when it has been closed with "Fine".
    void apri(int gruppo);
    // The activation without the modal loop: caption, text and focus.
    void prepara(int gruppo);

protected:
    void testoCancellato() override;
    void testoFinale(const QString& testo) override;

private:
    ContenutoV11& m_contenuto;
    int m_gruppo = 0;
};
