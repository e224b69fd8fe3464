#pragma once

#include "modelli/modello.h"

#include <QWidget>
#include <memory>

class FinestraModello;
class QPushButton;

// The start window: the user picks the governance model, which opens that model's window for the rest of
// the run.
class Inizio : public QWidget
{
    Q_OBJECT

public:
    explicit Inizio(QWidget* parent = nullptr);
    ~Inizio() override;

    // The model window, once a model has been chosen.
    FinestraModello* finestraModello() const { return m_finestra.get(); }

    void apriModello(Modello modello);

private:
    QPushButton* pulsante(const char* nome, const QString& testo, int top, Modello modello);

    std::unique_ptr<FinestraModello> m_finestra;
};
