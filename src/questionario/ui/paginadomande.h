#pragma once

#include <QWidget>

class EtichettaNota;
class QLabel;
class QLineEdit;
class Questionario;

// One question page of the model window, built from the catalogue: each row's text (LABEL_RIQUADRO), its
// answer boxes or number field (TEXT) and its note label (Label_NOTA). The whole page scrolls when it does
// not fit.
class PaginaDomande : public QWidget
{
    Q_OBJECT

public:
    PaginaDomande(Questionario& questionario, int pagina, QWidget* parent = nullptr);

    // The text labels of the page by LABEL_RIQUADRO number, and the texts the catalogue gives them.
    QMap<int, QLabel*> etichetteTesto() const { return m_etichette; }
    // Controls of the page in keyboard order: boxes and number fields, row by row.
    QList<QWidget*> ordineTastiera() const { return m_ordine; }

Q_SIGNALS:
    void notaCliccata(int indice);

private:
    QLineEdit* campoConteggio(int numero);
    void costruisciNonApplicabile();

    Questionario& m_questionario;
    QMap<int, QLabel*> m_etichette;
    QList<QWidget*> m_ordine;
};

// Names a scrolling page for a screen reader.
void descriviPagina(QWidget* pagina, const QString& didascalia);

// Assigns every question text and page-1 heading of the model to its label, in ascending label number.
void impostaTestiDomande(const Questionario& questionario, const QMap<int, QLabel*>& etichette);
