#pragma once

#include "questionario/limitenota.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;

// What every note window shares (the model windows' and the version 1.1 viewer's): the layout, the length
// limit with its counter, the key rules, "Cancella", "Fine", and the close box and Escape working as "Fine".
// Where the text comes from and goes to is the subclass's. Created once, then only hidden and shown again.
class FinestraNotaBase : public QDialog
{
    Q_OBJECT

public:
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
    FinestraNotaBase(Interazione& interazione, const QString& nome, QWidget* parent);

    // The activation without the modal loop: caption, text and focus.
    void prepara(const QString& titolo, const QString& testo);
    // "Cancella" empties the stored note; "Fine" hands the final text over (blank when only blanks).
    virtual void testoCancellato() = 0;
    virtual void testoFinale(const QString& testo) = 0;

    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void reject() override;

private:
    void testoCambiato();
    void contenutoCambiato(int posizione, int tolti, int aggiunti);
    void impostaTesto(const QString& testo);
    void aggiornaContatore();

    LimiteNota m_limite;
    QPlainTextEdit* m_testo = nullptr;
    QLabel* m_contatore = nullptr;
    bool m_aCapoOvunque = false; // a change brought a run too long to wrap at words
};
