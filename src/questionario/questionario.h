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

// The whole content of one model's questionnaire while it is edited, with the rules that keep its answers
// consistent. Every change is announced by a signal so that the window can mirror it.
class Questionario : public QObject
{
    Q_OBJECT

public:
    static constexpr int lunghezzaMassimaNota = 65000;

    Questionario(Modello modello, Interazione& interazione, QObject* parent = nullptr);

    // While one lives, the questionnaire is being filled from outside (a file, a JSON): the editing rules stay
    // silent and no box opens the note editor. The flags come down however the filling ends.
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

    // A click on the note label of question `indice`: clears the saved flag and selects the group; true when
    // the note may be opened (it has text, or the answer that calls for it is ticked).
    bool clicEtichettaNota(int indice);

    // The note editor in group mode, for the group `indiceNota`.
    QString testoNotaDaMostrare() const;
    void cancellaNota();
    // "Fine": stores the text, or withdraws the answer that called for it when the text is blank.
    void fineNota(const QString& testo);

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

    // State flags.
    bool flagSalvato() const { return m_flagSalvato; }
    bool flagCaricamento() const { return m_flagCaricamento; }
    bool bloccoClick() const { return m_bloccoClick; }
    bool leggiDisponibile() const { return m_leggiDisponibile; }
    int indiceNota() const { return m_indiceNota; }
    bool notaMembro() const { return m_notaMembro; }
    void setCaricamento(bool stato) { m_flagCaricamento = stato; }
    void setBloccoClick(bool stato) { m_bloccoClick = stato; }
    void setIndiceNota(int indice);
    void setNotaMembro(bool stato) { m_notaMembro = stato; }
    void segnaModificato();
    void segnaSalvato();
    // Some callers change the saved flag without touching "Leggi": a click on the requisiti column clears it,
    // a cancelled open dialog sets it.
    void setFlagSalvato(bool stato) { m_flagSalvato = stato; }

    // Window state that saving and reading share.
    QString titoloBase() const { return m_titoloBase; }
    void setTitoloBase(const QString& titolo) { m_titoloBase = titolo; }
    QString percorsoFile() const { return m_percorsoFile; }
    void setPercorsoFile(const QString& percorso) { m_percorsoFile = percorso; }
    bool flagUscita() const { return m_flagUscita; }
    void setFlagUscita(bool stato) { m_flagUscita = stato; }

    Interazione& interazione() const { return m_interazione; }

Q_SIGNALS:
    void casellaCambiata(int indice, Casella casella, bool stato);
    void segnoNotaCambiato(int indice, bool segno);
    void leggiDisponibileCambiato(bool disponibile);
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

    bool m_flagSalvato = true;
    bool m_flagCaricamento = false;
    bool m_bloccoClick = false;
    bool m_leggiDisponibile = true;
    int m_indiceNota = 0;
    bool m_notaMembro = false;
    bool m_inClickSI = false;
    bool m_inClickNO = false;
    bool m_inClickNA = false;
    QString m_titoloBase;
    QString m_percorsoFile;
    bool m_flagUscita = false;
};
