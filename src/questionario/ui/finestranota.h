#pragma once

#include "questionario/limitenota.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class Questionario;

// The modal note window of a model (Nota_Trad, Nota_Dual, Nota_Mon): edits the note of a question group, or
// a member's requirements text. Created once, then only hidden and shown again.
class FinestraNota : public QDialog
{
    Q_OBJECT

public:
    FinestraNota(Questionario& questionario, QWidget* parent = nullptr);

    // Shows the window modally for the note of group `indice`; returns when it has been closed with "Fine".
    void apriGruppo(int indice);
    // Shows it for the requirements text of member row `riga`.
    void apriMembro(int riga);
    // The activation without the modal loop: caption, text and focus (apriGruppo and apriMembro run it
    // first).
    void preparaGruppo(int indice);
    void preparaMembro(int riga);

    QPlainTextEdit* casellaTesto() const { return m_testo; }
    // "N / 65000" beside the help label: the characters as the limit counts them.
    QLabel* contatore() const { return m_contatore; }
    // The text as it will be stored: line breaks as CR LF.
    QString testo() const;
    // Its length as stored, each line break counting two characters.
    int lunghezza() const;

    void cancella();
    void fine();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void reject() override;

private:
    void prepara(const QString& titolo, const QString& testo);
    void testoCambiato();
    void contenutoCambiato(int posizione, int tolti, int aggiunti);
    void impostaTesto(const QString& testo);
    void aggiornaContatore();

    Questionario& m_questionario;
    LimiteNota m_limite;
    QPlainTextEdit* m_testo = nullptr;
    QLabel* m_contatore = nullptr;
    int m_indice = 0;            // the group in group mode
    int m_riga = -1;             // the member row in member mode, -1 in group mode
    bool m_aCapoOvunque = false; // a change brought a run too long to wrap at words
};
