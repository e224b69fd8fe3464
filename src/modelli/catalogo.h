#pragma once

#include "modelli/modello.h"

#include <QList>
#include <QString>
#include <array>
#include <bitset>
#include <initializer_list>

// Question indexes: 0..81 key every question, its boxes, its two note slots and its file element.
inline constexpr int numeroIndici = 82;
inline bool indiceValido(int indice)
{
    return indice >= 0 && indice < numeroIndici;
}

// A set of question indexes, as the per-model tables hold them.
using InsiemeIndici = std::bitset<numeroIndici>;
// The given indexes, plus the range da..a when one is given.
InsiemeIndici insiemeIndici(std::initializer_list<int> singoli, int da = 0, int a = -1);

// The six tab pages of a model window.
enum Pagina
{
    DatiGeneraliPagina = 0,
    RiquadroI_1 = 1,
    RiquadroI_2 = 2,
    RiquadroII = 3,
    RiquadroIII_1 = 4,
    RiquadroIII_2 = 5
};
inline constexpr int numeroPagine = 6;

// One question of a model's catalogue.
struct Domanda
{
    int indice = -1;
    bool presente = false; // the model has this question at all
    bool nascosta = false; // exists (boxes, note slots) but is never shown
    int pagina = DatiGeneraliPagina;
    QString testo;        // exactly as shown, the 48 leading spaces of sub-questions included
    QString didascaliaSI; // "Si", "Adeguata", or empty for a single box without caption
    QString didascaliaNO; // "No", "Inadeguata"; empty when the question has the SI box only
    bool offreNA = false;
    int campoConteggio = -1; // 0..2: a number field TEXT n stands in place of the boxes
    QString etichettaNota;   // caption of the note label; "NO" (or empty) when the label is hidden
    bool etichettaNotaVisibile = false;

    bool haCaselle() const { return campoConteggio < 0; }
    bool casellaSingola() const { return didascaliaNO.isEmpty(); }
};

// One row of a page in display order: a question, or a heading that introduces the indented rows below it.
struct RigaPagina
{
    int indice = -1;          // question index, -1 for a heading
    int numeroEtichetta = -1; // LABEL_RIQUADRO number holding the text
    QString intestazione;     // text of a heading row

    bool eIntestazione() const { return indice < 0; }
};

struct PaginaCatalogo
{
    QString didascalia;      // tab caption
    QString intestazione;    // heading above the rows; empty on page 0 and on a page that does not apply
    QString testoIniziale;   // line above the first question ("La relazione contiene:")
    bool applicabile = true; // false: the page holds only the "NON APPLICABILE" picture and is switched off
    QList<RigaPagina> righe;
};

struct Catalogo
{
    std::array<Domanda, numeroIndici> domande;
    std::array<PaginaCatalogo, numeroPagine> pagine;
};

// LABEL_RIQUADRO number of the label holding the text of question `indice` (0..78).
int numeroEtichettaDomanda(int indice);

// Page of a question index, the same in every model (79, 80, 81 are on the general-data page).
int paginaDiIndice(int indice);
