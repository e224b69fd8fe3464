#pragma once

#include "modelli/colonnemembri.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

// The members of the control body, one row per member, the president in row 0. This is their only store:
// the grid shows it, the editor, the note window, the writer, the check, the reader and the printout read and
// write its cells by row and column. Every cell is text; nothing is converted to numbers here.
class TabellaMembri : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int righeIniziali = 3;
    // The member count is a signed 16-bit number: the table never grows past it.
    static constexpr int massimoMembri = 32767;

    explicit TabellaMembri(Modello modello, QObject* parent = nullptr);

    const LayoutMembri& layout() const { return m_layout; }

    // Always the number of rows: the count and the rows grow together.
    int numeroMembri() const { return numeroRighe(); }
    int numeroRighe() const { return static_cast<int>(m_righe.size()); }
    int numeroColonne() const { return m_layout.numeroColonne(); }

    // Back to three rows labelled "Pres.", "2", "3"; rows beyond the third are dropped, the texts of the
    // first three are kept (the reader empties every cell first).
    void setGriglia();
    // "Aggiungi Membro": one row at the end labelled with the new count. False, and nothing changes, when the
    // table already holds `massimoMembri` rows.
    [[nodiscard]] bool aggiungiMembro();

    // Out-of-range cells read as empty; writes to them are refused.
    QString cella(int riga, int colonna) const;
    bool setCella(int riga, int colonna, const QString& testo);
    [[nodiscard]] bool aggiungiRiga(const QString& testoPrimaColonna);
    // Empties every cell, the row labels included; the rows stay.
    void svuotaTutto();

    // Over the member's data, columns 1 to the last data column. A cell of spaces counts as filled.
    bool rigaVuota(int riga) const;
    int celleNonVuote(int riga) const;
    // The member's number in messages, captions and the printout: "Pres.", "2", ...
    QString etichettaRiga(int riga) const;
    // The member's professional-requirements text (the hidden column).
    QString requisiti(int riga) const;
    // The member as a screen reader says it: "Presidente", "Membro 2".
    QString nomeMembro(int riga) const;

    // The note window in member mode, for the member of row `riga`.
    QString titoloNotaMembro(int riga) const;
    QString testoNotaMembro(int riga) const;
    // "Fine": stores the text in the hidden column and marks the requisiti column; blank text counts as none.
    void fineNotaMembro(int riga, const QString& testo);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // For a screen reader, a cell reads as its column's heading and its text, then the member and what Enter
    // does there (Qt::AccessibleTextRole, Qt::AccessibleDescriptionRole); the row label as the member.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool cellaValida(int riga, int colonna) const;
    bool indiceValido(const QModelIndex& indice) const;
    bool modificabile(int colonna) const;
    QStringList rigaVuotaNuova(const QString& testoPrimaColonna) const;

    const LayoutMembri& m_layout;
    QList<QStringList> m_righe;
};
