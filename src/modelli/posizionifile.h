#pragma once

#include "modelli/catalogo.h"
#include "modelli/modello.h"

#include <QString>
#include <array>
#include <vector>

// Where everything sits in a questionnaire file. Positions are 0-based among element children. The writer
// fills these positions and the reader reads them back: one table, both directions.

// Children of the model element (root/0/0).
inline constexpr int figlioDatiGenerali = 0; // G
inline constexpr int figlioOrgano = 1;       // C: the control body and its members
inline constexpr int figlioRisposte = 2;     // A: the section nodes

// Children of G.
inline constexpr int figlioDenominazione = 0;
inline constexpr int figlioCodiceFiscale = 1;
inline constexpr int figlioDataChiusura = 2;
inline constexpr int figlioReferente = 3;
inline constexpr int figlioRequisiti = 4; // two wrappers, each holding the element of one single-box question
inline constexpr int figlioRiunioni = 5;
inline constexpr int figliDatiGeneraliLetti = 6; // children of G from here on are neither written nor read

// Children of a question element Q, and of its answer container Q/1.
inline constexpr int figlioTesto = 0;
inline constexpr int figlioRisposta = 1;
inline constexpr int figlioNumeroSezione = 2;
inline constexpr int figlioNumeroDomanda = 3;
inline constexpr int figlioValore = 0;
inline constexpr int figlioNota = 1; // the reader takes the last child of Q/1 instead

// Children of C in the template; members added by the writer stand between the first and the second.
inline constexpr int figlioPresidente = 0; // a container whose first child is the president's member element
inline constexpr int figlioDomanda81 = 3;  // before any member is added
// Counted from the end of C: field 33, the start date of the office, question 81.
inline constexpr int dallaFineMassimoIncarichi = 3;
inline constexpr int dallaFineDataInizio = 2;
inline constexpr int dallaFineDomanda81 = 1;

// A date is three general fields joined as typed; the reader cuts it at characters 1-2, 3-4 and 5-8.
inline constexpr std::array<int, 3> lunghezzeData{2, 2, 4};
inline constexpr std::array<int, 3> campiDataChiusura{2, 3, 4};
inline constexpr std::array<int, 3> campiDataInizio{34, 35, 36};
inline constexpr std::array<int, 3> campiReferente{5, 6, 7};
inline constexpr int campoDenominazione = 0;
inline constexpr int campoCodiceFiscale = 1;
inline constexpr int campoMassimoIncarichi = 33;

// The general-data questions and the control body's own.
inline constexpr int domanda79 = 79;
inline constexpr int domanda80 = 80;
inline constexpr int domanda81 = 81;
// Questions 0..78 sit in the section nodes.
inline constexpr int domandeNeiRiquadri = 79;

// A question of the section nodes: child `elemento` of section node `sezione` (a child of A), with the
// section and question numbers written into Q/2 and Q/3.
struct PosizioneDomanda
{
    enum class Uso
    {
        Assente,       // neither written nor read
        Completa,      // written (text, answer, note, numbers) and read back as an answer
        SoloNumeri,    // written with an empty text and its numbers only; still read back as an answer
        SoloScrittura, // written like Completa; its answer slot then carries a count, which is what is read
        SoloLettura    // not written, but its position is read as an answer
    };

    Uso uso = Uso::Assente;
    int sezione = -1;
    int elemento = -1;
    int numeroSezione = 0;
    int numeroDomanda = 0;

    bool scritta() const
    {
        return uso == Uso::Completa || uso == Uso::SoloNumeri || uso == Uso::SoloScrittura;
    }
    bool scriveRisposta() const { return uso == Uso::Completa || uso == Uso::SoloScrittura; }
    bool rispostaLetta() const
    {
        return uso == Uso::Completa || uso == Uso::SoloNumeri || uso == Uso::SoloLettura;
    }
};

// One child of a member element and the members-table column it holds; a container holds its own children.
struct FiglioMembro
{
    QString nome;
    int colonna = -1;       // -1 for a container
    bool maiuscolo = false; // the cell is written upper-cased
    std::vector<FiglioMembro> figli;
};

// A Riquadro II count: the answer value of a question element of A.
struct PosizioneConteggio
{
    int sezione = -1;
    int elemento = -1;
};

// Everything about the file that differs between the models.
struct PosizioniFile
{
    Modello modello = Modello::Tradizionale;
    QString fileModello; // the template, in the program's folder
    QString nomeRadice;
    QString nomeElementoModello;
    // Shown, followed by CR LF and "Operazione annullata.", when a file of another model is opened.
    QString testoModelloErrato;
    // A file whose root has another name goes to the version 1.1 reader; otherwise it is refused.
    bool radiceEstraneaAlLettoreV11 = false;

    // The single-box questions in G/4/0/0 and G/4/1/0.
    std::array<int, 2> domandeRequisiti{domanda79, domanda80};
    // Question 80 also has a NO box, written and read as "NO" without a note.
    bool domanda80ConNO = false;
    // The leaves of G/5, in order.
    std::vector<int> campiRiunioni;
    // The leaf of G/5 whose first attribute carries the "N/A" mark of its field; -1 when there is none.
    int posizioneRiunioniNA = -1;

    QString nomeMembro;
    std::vector<FiglioMembro> figliMembro;
    // Filled by the reader with "SI" when the requirements text is not empty; never written.
    int colonnaSegnoRequisiti = -1;
    int colonnaTestoRequisiti = -1;

    std::array<PosizioneDomanda, domandeNeiRiquadri> domande;
    // The question written with "Adeguata" and "Inadeguata" in place of "SI" and "NO".
    int domandaAdeguata = 7;
    // The reader accepts "Adeguata" and "Inadeguata" for the questions up to this index.
    int ultimaDomandaAdeguata = 22;
    // Written last, over the answer values of these elements; read from there.
    std::vector<PosizioneConteggio> conteggiRiquadroII;
};

const PosizioniFile& posizioniFile(Modello modello);

// The program's own folder: where the templates are and where the file dialogs open. The folder of the
// executable unless a test has set another.
QString cartellaProgramma();
// An empty folder goes back to the executable's.
void impostaCartellaProgramma(const QString& cartella);
