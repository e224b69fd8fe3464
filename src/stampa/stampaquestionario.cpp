#include "stampa/stampaquestionario.h"

#include "questionario/questionario.h"
#include "stampa/impaginazione.h"

namespace {

const QString nomeCarattere = QStringLiteral("MS Sans Serif");
constexpr double larghezzaPagina = 197;
constexpr double altezzaPagina = 296;
const QString rientro = QStringLiteral("   ");

// What the report prints differently for each model beyond the catalogue, the general-data labels and the
// members layout: the model line, and the label of group 1.0.b where it is split over two lines.
struct DifferenzeStampa
{
    const char* rigaModello;
    const char* etichetta80Riga1;
    const char* etichetta80Riga2;
};

const DifferenzeStampa differenze[] = {
    {"MODELLO TRADIZIONALE", nullptr, nullptr},
    {"MODELLO DUALISTICO", nullptr, nullptr},
    {"MODELLO MONISTICO",
     "(Nota 1.0.b) Requisiti di indipendenza previsti da codici di comportamento di associazioni di categoria o di "
     "società",
     "di gestione di mercati, se previsti dallo statuto"},
};

const Intestazione datiGenerali{QStringLiteral("DATI GENERALI")};
const Intestazione riquadroI{QStringLiteral("Riquadro I - Ombrisa")};
const Intestazione riquadroII{QStringLiteral("Riquadro II - Adesione al codice di autodisciplina")};
const Intestazione riquadroIII{QStringLiteral("Riquadro III - Relazione per l'assemblea"), 3, 3.75, 11};
const Intestazione note{QStringLiteral("       Note")};

// The printed section of a tab page: both halves of Riquadro I and of Riquadro III print as one section.
const Intestazione* sezioneDellaPagina(int pagina)
{
    switch (pagina) {
    case RiquadroI_1:
    case RiquadroI_2:
        return &riquadroI;
    case RiquadroII:
        return &riquadroII;
    case RiquadroIII_1:
    case RiquadroIII_2:
        return &riquadroIII;
    default:
        return nullptr;
    }
}

class Rapporto
{
public:
    Rapporto(const Questionario& q, SuperficieStampa& superficie)
        : m_q(q), m_profilo(q.profilo()), m_differenze(differenze[static_cast<int>(q.modello())]),
          m_pagina(superficie, nomeCarattere, larghezzaPagina, altezzaPagina, &m_regola)
    {}

    void stampa()
    {
        primaPagina();
        sezioneDatiGenerali();
        domande();
        sezioneNote();
        if (!m_pagina.interrotta())
            m_pagina.superficie().fine();
    }

private:
    void primaPagina()
    {
        m_pagina.testo(5, 1, QStringLiteral("TAMREL - SCHEDA RIEPILOGATIVA DELL'OMBRISA v. 2.0"), 15);
        m_pagina.testoCentrato(10, QString::fromUtf8(m_differenze.rigaModello), 12);
        m_pagina.testo(5, 15, datiGenerali.testo, 12);
        m_pagina.riga(16, Impaginazione::dimensioneCorpo);
        m_pagina.setIntestazioneCorrente(datiGenerali);
        m_pagina.setYCorrente(25);
    }

    void campo(int indice, bool conCambioPagina = false)
    {
        m_pagina.rigaEtichetta({m_profilo.etichettaCampoGenerale(indice)}, m_q.campoGenerale(indice),
                               conCambioPagina);
    }

    // Day, month and year joined with "/"; a date with nothing in it prints as empty.
    void data(int primoCampo, bool conCambioPagina = false)
    {
        const QStringList parti{m_q.campoGenerale(primoCampo), m_q.campoGenerale(primoCampo + 1),
                                m_q.campoGenerale(primoCampo + 2)};
        const QString valore = parti.join(QString()).isEmpty() ? QString() : parti.join(u'/');
        m_pagina.rigaEtichetta({m_profilo.etichettaCampoGenerale(primoCampo)}, valore, conCambioPagina);
    }

    QString prefissoNota(int indice) const
    {
        const Domanda& d = m_profilo.domanda(indice);
        return d.etichettaNotaVisibile ? QStringLiteral("(") + d.etichettaNota + QStringLiteral(") ")
                                       : QString();
    }

    // The caption of the ticked box, or empty.
    QString didascaliaRisposta(int indice) const
    {
        const Domanda& d = m_profilo.domanda(indice);
        switch (m_q.risposta(indice)) {
        case Risposta::SI:
            return d.didascaliaSI;
        case Risposta::NO:
            return d.didascaliaNO;
        case Risposta::NA:
            return QStringLiteral("N/A");
        case Risposta::Nessuna:
            break;
        }
        return {};
    }

    QString siNo(int indice) const
    {
        return m_q.casella(indice, Casella::SI) ? QStringLiteral("Si") : QStringLiteral("No");
    }

    QStringList etichetta80() const
    {
        if (m_differenze.etichetta80Riga1)
            return {QString::fromUtf8(m_differenze.etichetta80Riga1),
                    QString::fromUtf8(m_differenze.etichetta80Riga2)};
        return {prefissoNota(80) + m_profilo.etichettaCasella80};
    }

    void sezioneDatiGenerali()
    {
        campo(0);
        campo(1);
        data(2);
        campo(5);
        campo(6);
        campo(7);
        m_pagina.rigaEtichetta({prefissoNota(79) + m_profilo.etichettaCasella79}, siNo(79), false);
        m_pagina.rigaEtichetta(etichetta80(), didascaliaRisposta(80), false);
        for (int indice : m_profilo.campiGenerali()) {
            if (indice >= 62)
                campo(indice);
        }
        membri();
        // These two follow the members block, which may end at the foot of a page: they break like it.
        campo(33, true);
        data(34, true);
        m_pagina.rigaEtichetta({prefissoNota(81)}, siNo(81), true);
    }

    QString etichettaMembro(int riga, int colonna) const
    {
        const LayoutMembri& layout = m_q.membri().layout();
        if (colonna == layout.colonnaNome)
            return riga == 0 ? QStringLiteral("Presidente") : QStringLiteral("Membro");
        if (colonna == layout.colonnaNascosta) {
            const QString nota = riga == 0 ? QStringLiteral("(Nota Pres.) ")
                                           : QStringLiteral("(Nota Membro ") +
                                                 m_q.membri().etichettaRiga(riga) + QStringLiteral(") ");
            return rientro + nota + QStringLiteral("Requisiti di professionalità");
        }
        const ColonnaMembri& c = layout.colonne.at(colonna);
        const bool presenze =
            colonna >= layout.primaColonnaPresenze && colonna <= layout.ultimaColonnaConteggio;
        return rientro + (presenze ? c.suggerimento : c.intestazione);
    }

    QString valoreMembro(int riga, int colonna) const
    {
        if (colonna == m_q.membri().layout().colonnaNascosta)
            return m_q.membri().requisiti(riga).isEmpty() ? QStringLiteral("No") : QStringLiteral("Si");
        return m_q.membri().cella(riga, colonna);
    }

    void membri()
    {
        const TabellaMembri& tabella = m_q.membri();
        bool stampati = false;
        for (int r = 0; r < tabella.numeroRighe() && !m_pagina.interrotta(); ++r) {
            if (tabella.rigaVuota(r))
                continue;
            m_pagina.riga(m_pagina.yCorrente() - 5, Impaginazione::dimensioneCorpo);
            stampati = true;
            for (int c = 1; c <= tabella.layout().ultimaColonnaDati; ++c)
                m_pagina.rigaEtichetta({etichettaMembro(r, c)}, valoreMembro(r, c), true);
        }
        if (stampati)
            m_pagina.riga(m_pagina.yCorrente() - 5, Impaginazione::dimensioneCorpo);
    }

    void apriSezione(const Intestazione& intestazione)
    {
        CambioPaginaNumerata::paginaSeguente(m_pagina);
        m_pagina.intestazione(intestazione);
    }

    void domande()
    {
        const Intestazione* sezione = nullptr;
        for (int p = RiquadroI_1; p < numeroPagine; ++p) {
            const PaginaCatalogo& pagina = m_profilo.catalogo.pagine.at(p);
            if (!pagina.applicabile)
                continue;
            for (const RigaPagina& riga : pagina.righe) {
                if (m_pagina.interrotta())
                    return;
                if (riga.eIntestazione()) {
                    if (riga.intestazione.isEmpty())
                        continue;
                    entraInSezione(sezione, p);
                    m_pagina.rigaDomanda(riga.intestazione, std::nullopt);
                    continue;
                }
                const Domanda& d = m_profilo.domanda(riga.indice);
                if (!d.presente || d.nascosta || d.testo.isEmpty())
                    continue;
                entraInSezione(sezione, p);
                const QString risposta =
                    d.haCaselle() ? didascaliaRisposta(d.indice) : m_q.conteggioRiquadroII(d.campoConteggio);
                m_pagina.rigaDomanda(prefissoNota(d.indice) + d.testo, risposta);
            }
        }
    }

    void entraInSezione(const Intestazione*& sezione, int pagina)
    {
        const Intestazione* questa = sezioneDellaPagina(pagina);
        if (questa == sezione)
            return;
        sezione = questa;
        apriSezione(*questa);
    }

    // The note a group keeps: the other slot when it has text, else the Si slot.
    QString testoNota(int indice) const
    {
        const QString altre = m_q.notaAltre(indice);
        return altre.isEmpty() ? m_q.notaSI(indice) : altre;
    }

    void notaGruppo(int indice)
    {
        const Domanda& d = m_profilo.domanda(indice);
        if (d.etichettaNotaVisibile && m_q.segnoNota(indice))
            m_pagina.bloccoNota(d.etichettaNota, testoNota(indice));
    }

    void sezioneNote()
    {
        if (m_pagina.interrotta())
            return;
        apriSezione(note);
        const TabellaMembri& tabella = m_q.membri();
        for (int r = 0; r < tabella.numeroRighe() && !m_pagina.interrotta(); ++r) {
            const QString requisiti = tabella.requisiti(r);
            if (requisiti.isEmpty())
                continue;
            m_pagina.bloccoNota(r == 0 ? QStringLiteral("Nota Pres.")
                                       : QStringLiteral("Nota Membro ") + tabella.etichettaRiga(r),
                                requisiti);
        }
        for (int indice : {79, 80, 81})
            notaGruppo(indice);
        for (int p = RiquadroI_1; p < numeroPagine; ++p) {
            for (const RigaPagina& riga : m_profilo.catalogo.pagine.at(p).righe) {
                if (m_pagina.interrotta())
                    return;
                if (!riga.eIntestazione())
                    notaGruppo(riga.indice);
            }
        }
    }

    const Questionario& m_q;
    const ProfiloModello& m_profilo;
    const DifferenzeStampa& m_differenze;
    CambioPaginaNumerata m_regola;
    Impaginazione m_pagina;
};

} // namespace

bool stampaQuestionario(const Questionario& q, SuperficieStampa& superficie)
{
    Rapporto(q, superficie).stampa();
    return !superficie.inErrore();
}
