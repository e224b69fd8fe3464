#pragma once

#include <QMap>
#include <QWidget>

class CaselleRisposta;
class QCheckBox;
class QLabel;
class QLineEdit;
class Questionario;

// Page 0 of the model window, "Dati Generali": the general fields (TEXT_GENERALE with their index), the
// answer boxes 79, 80, 81 with their note labels, the "N/A" box of the executive committee's meetings and, in
// the middle, the members table frame made elsewhere. The fields mirror the questionnaire both ways; their
// typing rules come from the core.
class PaginaDatiGenerali : public QWidget
{
    Q_OBJECT

public:
    // `bloccoMembri` is only placed in the middle block; the page takes it over as a child.
    PaginaDatiGenerali(Questionario& questionario, QWidget* bloccoMembri, QWidget* parent = nullptr);

    // The field of a general index, or null where the model has none (65 in the two-tier model).
    QLineEdit* campo(int indice) const { return m_campi.value(indice); }
    QCheckBox* casellaRiunioniNA() const { return m_riunioniNA; }

    // Keyboard order, in three parts for the window to chain: fields 0..7, box 79, the first box of 80,
    // fields 62..65; [the members table]; fields 33..36; [commands, questions, "Aggiungi Membro"]; then box
    // 81, the "No" box of 80 and the "N/A" box, where they exist.
    QList<QWidget*> ordineTastieraIniziale() const;
    QList<QWidget*> ordineTastieraDopoMembri() const;
    QList<QWidget*> ordineTastieraFinale() const;

Q_SIGNALS:
    // A click on the note label of box 79, 80 or 81.
    void notaCliccata(int indice);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QLineEdit* creaCampo(int indice);
    QLabel* creaEtichetta(int indice);
    void campoLasciato(int indice, const QFocusEvent* evento);
    void mostraRiunioniNA(bool stato);
    void applicaOrdineTastiera();

    Questionario& m_questionario;
    QWidget* m_bloccoMembri;
    QMap<int, QLineEdit*> m_campi;
    QMap<int, CaselleRisposta*> m_caselle; // 79, 80, 81
    QCheckBox* m_riunioniNA = nullptr;
};
