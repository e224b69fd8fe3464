#pragma once

#include "questionario/limitenota.h"

#include <QDialog>

class QPlainTextEdit;
struct ContenutoV11;

// The note window of the version 1.1 viewer (Nota): reads and edits the note of one question group of the
// viewer's own content, with the buttons and the length limit of the model note windows. What it changes
// stays in that content: nothing is ever written to a file. Created once, then only hidden and shown again.
class FinestraNotaV11 : public QDialog
{
    Q_OBJECT

public:
    FinestraNotaV11(ContenutoV11& contenuto, Interazione& interazione, QWidget* parent = nullptr);

    // Shows the window modally for the note of `gruppo`; returns when it has been closed with "Fine".
    void apri(int gruppo);
    // The activation without the modal loop: caption, text and focus.
    void prepara(int gruppo);

    QPlainTextEdit* casellaTesto() const { return m_testo; }
    // The text as it will be stored: line breaks as CR LF.
    QString testo() const;

    void cancella();
    void fine();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void reject() override;

private:
    int lunghezza() const;
    void testoCambiato();

    ContenutoV11& m_contenuto;
    LimiteNota m_limite;
    QPlainTextEdit* m_testo = nullptr;
    int m_gruppo = 0;
};
