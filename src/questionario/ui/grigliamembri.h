#pragma once

#include <QFrame>
#include <QList>

class QLabel;
class QLineEdit;
class QKeyEvent;
class QModelIndex;
class QPushButton;
class QTableView;
class Questionario;

// The frame of the members table (Frame8): the column headings above the grid, the grid MSHFlexGrid1 as a
// view over the questionnaire's members, and the "Aggiungi Membro" button below it. Column widths keep the
// proportions of the layout whatever the window's width.
class GrigliaMembri : public QFrame
{
    Q_OBJECT

public:
    explicit GrigliaMembri(Questionario& questionario, QWidget* parent = nullptr);

    QTableView* griglia() const { return m_griglia; }
    QPushButton* pulsanteAggiungi() const { return m_aggiungi; }
    QLineEdit* editor() const { return m_editor; }

    // A click on a cell, or Enter on the grid: the row label does nothing, the requisiti column opens the
    // member's note, any other column opens the editor over the cell.
    void apriCella(const QModelIndex& cella);

Q_SIGNALS:
    // A click on the requisiti column of member row `riga`: its note is to be opened.
    void notaMembroRichiesta(int riga);

protected:
    void resizeEvent(QResizeEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void adattaColonne();
    bool tastoEditor(QKeyEvent* tasto);
    void editorLasciato();
    void nascondiEditor();

    Questionario& m_questionario;
    QTableView* m_griglia = nullptr;
    QWidget* m_intestazioni = nullptr;
    QList<QLabel*> m_etichette; // one per column, null where the column has no heading
    QPushButton* m_aggiungi = nullptr;

    // The cell editor txtEdit and the cell it edits.
    QLineEdit* m_editor = nullptr;
    int m_rigaCorrente = -1;
    int m_colonnaCorrente = -1;
    QString m_valoreOriginale;
    bool m_inModifica = false;
};
