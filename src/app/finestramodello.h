#pragma once

#include "app/interazioneqt.h"
#include "modelli/modello.h"
#include "questionario/questionario.h"

#include <QWidget>

// The window of one model: owns that model's questionnaire for the rest of the run.
class FinestraModello : public QWidget
{
    Q_OBJECT

public:
    explicit FinestraModello(Modello modello, QWidget* parent = nullptr);

    Questionario& questionario() { return m_questionario; }

private:
    InterazioneQt m_interazione;
    Questionario m_questionario;
};
