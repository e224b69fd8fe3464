#pragma once

#include <QFrame>
#include <QLabel>

class QCheckBox;
class Questionario;

// The answer boxes of one question (Check_SI, Check_NO, Check_NA with the question's index), bound to the
// questionnaire: a click runs the answer rule, and every change the rules make shows at once. A screen reader
// reads each box as its caption and its question, then whether the question's note is there.
class CaselleRisposta : public QFrame
{
    Q_OBJECT

public:
    // Which boxes exist and their captions come from the catalogue.
    CaselleRisposta(Questionario& questionario, int indice, QWidget* parent = nullptr);

    QCheckBox* casellaSI() const { return m_si; }
    QCheckBox* casellaNO() const { return m_no; }
    QCheckBox* casellaNA() const { return m_na; }
    // The boxes in keyboard order.
    QList<QWidget*> caselle() const;

Q_SIGNALS:
    // F2 on one of the boxes: the keyboard's way to the question's note label.
    void tastoNota();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QCheckBox* crea(const QString& nome, const QString& testo);
    void descriviNota(bool segno);

    Questionario& m_questionario;
    int m_indice;
    QCheckBox* m_si = nullptr;
    QCheckBox* m_no = nullptr;
    QCheckBox* m_na = nullptr;
};

// The note label of a question (Label_NOTA with its index): red while the question has a note; a click on it
// asks to open the note.
class EtichettaNota : public QLabel
{
    Q_OBJECT

public:
    EtichettaNota(Questionario& questionario, int indice, QWidget* parent = nullptr);

    // A click from the keyboard: as a click on the label, where the label is shown.
    void attiva();

Q_SIGNALS:
    void cliccata(int indice);

protected:
    void mouseReleaseEvent(QMouseEvent* evento) override;

private:
    void mostraSegno(bool segno);

    int m_indice;
};
