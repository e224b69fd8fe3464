#pragma once

#include "modelli/profilomodello.h"
#include "questionario/tabellamembri.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <array>

class Interazione;

enum class Casella
{
    SI,
    NO,
    NA
};
enum class Risposta
{
    Nessuna,
    SI,
    NO,
    NA
};

// The whole content of one model's questionnaire while it is edited (answers, notes, general data, members),
// with the rules that keep its answers consistent. Every change is announced by a signal so that the window
// can mirror it. What belongs to one run of a window (the saved flag, the file, the caption) is kept apart,
// by the window's file commands.
class Questionario : public QObject
{
    Q_OBJECT

public:
    static constexpr int lunghezzaMassimaNota = 65000;

    Questionario(Modello modello, Interazione& interazione, QObject* parent = nullptr);

    // While one lives, the questionnaire is being filled from outside (a file, a JSON): the editing rules
    // stay silent and no box opens the note editor. The flags come down however the filling ends.
    class Caricamento
    {
    public:
        explicit Caricamento(Questionario& q)
            : m_q(q), m_caricamento(q.m_flagCaricamento), m_blocco(q.m_bloccoClick)
        {
            m_q.m_flagCaricamento = true;
            m_q.m_bloccoClick = true;
        }
        ~Caricamento()
        {
            m_q.m_flagCaricamento = m_caricamento;
            m_q.m_bloccoClick = m_blocco;
        }
        Caricamento(const Caricamento&) = delete;
        Caricamento& operator=(const Caricamento&) = delete;

    private:
        Questionario& m_q;
        bool m_caricamento;
        bool m_blocco;
    };

    Modello modello() const { return m_profilo.modello; }
    const ProfiloModello& profilo() const { return m_profilo; }

    // Answer boxes.
    bool casella(int indice, Casella casella) const;
    Risposta risposta(int indice) const;
    // The user clicked a box: it toggles, then its rule runs.
    void tickSI(int indice);
    void tickNO(int indice);
    void tickNA(int indice);
    // Sets a box; a box that changes state runs its rule exactly as a click does.
    void setBox(int indice, Casella casella, bool stato);
    // Whether the SI tick, and the NO tick, of a question belong to the sets that open the note editor.
    struct TriggerNota
    {
        bool suSI = false;
        bool suNO = false;
    };
    TriggerNota noteTrigger(int indice) const;

    // Notes. Setters refuse an index outside 0..81 and return false; they store the text as given (a file may
    // hold a longer note than the editor lets anyone type: the editor cuts it, with its message, when
    // opened).
    QString notaSI(int indice) const;
    QString notaAltre(int indice) const;
    bool segnoNota(int indice) const;
    bool setNotaSI(int indice, const QString& testo);
    bool setNotaAltre(int indice, const QString& testo);
    bool setSegnoNota(int indice, bool segno);

    // Whether a click on the note label of question `indice` opens its note: the label is shown and the note
    // has text, or the answer that calls for it is ticked.
    bool notaApribileDaEtichetta(int indice) const;

    // The note editor in group mode, for the group `indice`: the text it shows (the SI slot while SI is
    // ticked, else the other slot, line breaks as CR LF), "Cancella", and "Fine", which stores the text or,
    // when it is blank, withdraws the answer that called for it.
    QString testoNota(int indice) const;
    void cancellaNota(int indice);
    void fineNota(int indice, const QString& testo);

    // General data, by general field index. Writing while a file is being read triggers no rule.
    QString campoGenerale(int indice) const;
    void setCampoGenerale(int indice, const QString& testo);
    bool riunioniNA() const { return m_riunioniNA; }
    // The "N/A" box beside field 65: empties and locks the field.
    void setRiunioniNA(bool stato);
    bool campo65Abilitato() const { return !m_riunioniNA; }

    // The members of the control body: the one store of their texts, shown by the members grid.
    TabellaMembri& membri() { return m_membri; }
    const TabellaMembri& membri() const { return m_membri; }

    // The three numbers of meetings of Riquadro II (traditional model), typed instead of answers 34, 38, 40.
    QString conteggioRiquadroII(int numero) const;
    void setConteggioRiquadroII(int numero, const QString& testo);

    // An edit: announced to whoever keeps the saved flag. Every rule and every edit of the editing windows
    // calls it.
    void segnaModificato();

    Interazione& interazione() { return m_interazione; }

Q_SIGNALS:
    void modificato();
    void casellaCambiata(int indice, Casella casella, bool stato);
    void segnoNotaCambiato(int indice, bool segno);
    void campoGeneraleCambiato(int indice, const QString& testo);
    void riunioniNACambiato(bool stato);
    void conteggioRiquadroIICambiato(int numero, const QString& testo);
    // The SI rule discarded a note: the note editor's text box is emptied too.
    void testoNotaSvuotato();

private:
    struct Caselle
    {
        bool si = false;
        bool no = false;
        bool na = false;
    };

    bool& stato(int indice, Casella casella);
    bool stato(int indice, Casella casella) const;
    void regolaSI(int indice);
    void regolaNO(int indice);
    void regolaNA(int indice);
    void eseguiRegola(int indice, Casella casella);

    const ProfiloModello& m_profilo;
    Interazione& m_interazione;

    std::array<Caselle, numeroIndici> m_caselle{};
    std::array<QString, numeroIndici> m_noteSI;
    std::array<QString, numeroIndici> m_noteAltre;
    std::array<bool, numeroIndici> m_segniNota{};
    QMap<int, QString> m_campiGenerali;
    bool m_riunioniNA = false;
    std::array<QString, 3> m_conteggiRiquadroII;
    TabellaMembri m_membri;

    bool m_flagCaricamento = false;
    // Re-entrancy guards: set while the note editor unticks a box itself, and while the rules of an SI, NO or
    // NA box run (one box's rules must not re-run the rules of the box that triggered them).
    bool m_bloccoClick = false;
    bool m_inClickSI = false;
    bool m_inClickNO = false;
    bool m_inClickNA = false;
};
