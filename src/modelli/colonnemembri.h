#pragma once

#include "modelli/modello.h"

#include <QList>
#include <QString>

// One column of the members table: its width, its alignment and the heading label placed above it.
struct ColonnaMembri
{
    int larghezza = 0;     // twips; 0 keeps the column hidden
    bool centrata = false; // centred and top-aligned; the others stay left-aligned
    QString intestazione;  // caption of the heading label; empty when the column has no label
    // The label's tooltip, the full wording; equal to the caption where that is not shortened.
    QString suggerimento;

    // The heading's full wording, as a screen reader says it.
    const QString& intestazioneIntera() const { return suggerimento.isEmpty() ? intestazione : suggerimento; }
};

// The members table of one model: its columns in grid order and the columns the program refers to by name.
// Column 0 is the row label ("Pres.", "2", "3", ...).
struct LayoutMembri
{
    QList<ColonnaMembri> colonne;

    int colonnaNome = 1;
    int colonnaCodiceFiscale = 2;
    int colonnaElettoMinoranze = 3;
    // Offices held in group, listed and other companies: three consecutive columns.
    int primaColonnaIncarichi = 4;
    // The count columns, whose editor accepts only up to three digits.
    int primaColonnaConteggio = 4;
    int ultimaColonnaConteggio = 10;
    // The attendance counts, first of them (meetings of the control body itself).
    int primaColonnaPresenze = 7;
    // Attendance at the executive committee's meetings; -1 where the model has none.
    int colonnaPresenzeComitatoEsecutivo = 10;
    // The hidden column holding the member's professional-requirements text.
    int colonnaNascosta = 11;
    // The requisiti column: shows "SI" when the hidden text is not empty; opens the member's note.
    int colonnaRequisiti = 12;
    // Columns 1 to this one are the member's data: a row is empty or complete over them.
    int ultimaColonnaDati = 11;

    int numeroColonne() const { return static_cast<int>(colonne.size()); }
    bool colonnaConteggio(int colonna) const
    {
        return colonna >= primaColonnaConteggio && colonna <= ultimaColonnaConteggio;
    }
    // Caption of the heading over the names, e.g. "Membri effettivi del collegio sindacale".
    const QString& intestazioneMembri() const { return colonne.at(colonnaNome).intestazione; }
};

const LayoutMembri& layoutMembri(Modello modello);
