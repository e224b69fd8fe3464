#include "legacy/stampav11.h"

#include "legacy/contenutov11.h"
#include "modelli/colonnemembri.h"
#include "modelli/profilomodello.h"
#include "stampa/impaginazione.h"

#include <iterator>

namespace {

const QString nomeCarattere = QStringLiteral("MS Sans Serif");
constexpr double larghezzaPagina = 197;
constexpr double altezzaPagina = 297;
constexpr int pagineNumerate = 4;
const QString rientro = QStringLiteral("   ");

// The heading of pages 2 to 4 and of the notes page, and of a further page of page 1: at (5, 5), its rule at
// 5.75, the body from 12.
Intestazione intestazioneV11(const QString& testo)
{
    return {testo, 5, 5.75, 12};
}

QString etichettaPagina(int numero)
{
    return QStringLiteral("Pagina %1 di %2 pagine").arg(numero).arg(pagineNumerate);
}

// The question pages, each from its first group to the next page's first group. The groups are split here,
// not at the tabs of the window: groups 32 and 33 print under Riquadro I, 48 and 49 under Riquadro II.
struct PaginaDomandeV11
{
    int primoGruppo;
    const char* intestazione;
};

const PaginaDomandeV11 pagineDomande[] = {
    {0, "Riquadro I - Ombrisa"},
    {34, "Riquadro II - Adesione al codice di autodisciplina"},
    {50, "Riquadro III - Relazione per l'assemblea"},
};
constexpr int numeroPagineDomande = static_cast<int>(std::size(pagineDomande));

// Each page holds its own section and nothing moves from one page to another; only a section that would
// run past the bottom goes on over a further page, which repeats the page's label (none on the notes page)
// and its heading.
class ContinuazioneV11 : public RegolaCambioPagina
{
public:
    QString etichetta;

    void primaDellaRiga(Impaginazione& pagina) override
    {
        if (pagina.rigaOltreIlFondo())
            apri(pagina, pagina.intestazioneCorrente());
    }

    // A new page with the label right-aligned at y = 5, then the heading.
    void apri(Impaginazione& pagina, const Intestazione& intestazione) const
    {
        pagina.nuovaPagina();
        if (!etichetta.isEmpty())
            pagina.testoADestra(5, etichetta, Impaginazione::dimensioneCorpo, 2);
        pagina.intestazione(intestazione);
    }
};

class RapportoV11
{
public:
    RapportoV11(const ContenutoV11& contenuto, SuperficieStampa& superficie)
        : m_c(contenuto), m_catalogo(catalogoV11()), m_tradizionale(profilo(Modello::Tradizionale)),
          m_pagina(superficie, nomeCarattere, larghezzaPagina, altezzaPagina, &m_regola)
    {}

    void stampa()
    {
        primaPagina();
        datiGenerali();
        domande();
        note();
        if (!m_pagina.interrotta())
            m_pagina.superficie().fine();
    }

private:
    void primaPagina()
    {
        const QString datiGenerali = QStringLiteral("DATI GENERALI");
        m_regola.etichetta = etichettaPagina(1);
        m_pagina.testo(5, 1, QStringLiteral("TAMREL - SCHEDA RIEPILOGATIVA DELL'OMBRISA v. 1.1"), 15);
        m_pagina.testo(5, 15, datiGenerali, Impaginazione::dimensioneIntestazione);
        m_pagina.testoADestra(15, m_regola.etichetta, Impaginazione::dimensioneCorpo, 2);
        m_pagina.riga(15.75, Impaginazione::dimensioneCorpo);
        // A further page of the general data has the layout of the pages that follow.
        m_pagina.setIntestazioneCorrente(intestazioneV11(datiGenerali));
        m_pagina.setYCorrente(25);
    }

    void rigaEtichetta(const QString& etichetta, const QString& valore)
    {
        m_pagina.rigaEtichetta({etichetta}, valore, true);
    }

    void campo(int indice)
    {
        rigaEtichetta(m_tradizionale.etichettaCampoGenerale(indice), m_c.campiGenerali[indice]);
    }

    // Day, month and year joined with "/"; a date with nothing in it prints as empty.
    void data(int primoCampo)
    {
        const QStringList parti{m_c.campiGenerali[primoCampo], m_c.campiGenerali[primoCampo + 1],
                                m_c.campiGenerali[primoCampo + 2]};
        rigaEtichetta(m_tradizionale.etichettaCampoGenerale(primoCampo),
                      parti.join(QString()).isEmpty() ? QString() : parti.join(u'/'));
    }

    // Row k: the name in field 8 + 5k, the tax code in 9 + 5k, the three office counts from 10 + 5k.
    void membro(int k)
    {
        const LayoutMembri& colonne = layoutMembri(Modello::Tradizionale);
        const auto didascalia = [&](int colonna) {
            return rientro + colonne.colonne.at(colonna).suggerimento;
        };
        const int primoCampo = 8 + 5 * k;
        rigaEtichetta(k == 0 ? QStringLiteral("Presidente") : QStringLiteral("Membro"),
                      m_c.campiGenerali[primoCampo]);
        rigaEtichetta(didascalia(colonne.colonnaCodiceFiscale), m_c.campiGenerali[primoCampo + 1]);
        rigaEtichetta(didascalia(colonne.colonnaElettoMinoranze),
                      m_c.minoranze[k] ? QStringLiteral("Si") : QStringLiteral("No"));
        for (int n = 0; n < 3; ++n)
            rigaEtichetta(didascalia(colonne.primaColonnaIncarichi + n),
                          m_c.campiGenerali[primoCampo + 2 + n]);
    }

    void datiGenerali()
    {
        for (int indice : {0, 1})
            campo(indice);
        data(2);
        for (int indice : {5, 6, 7})
            campo(indice);
        for (int k = 0; k < numeroMinoranzeV11 && !m_pagina.interrotta(); ++k)
            membro(k);
        campo(33);
        data(34);
    }

    void apriPaginaDomande(int pagina)
    {
        m_regola.etichetta = etichettaPagina(pagina + 2);
        m_regola.apri(m_pagina, intestazioneV11(QString::fromUtf8(pagineDomande[pagina].intestazione)));
    }

    // The caption of the ticked box, or empty; the number typed for the three count rows.
    QString risposta(const Domanda& d) const
    {
        if (!d.haCaselle())
            return m_c.conteggi[d.campoConteggio];
        switch (m_c.risposte[d.indice]) {
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

    void domande()
    {
        // The rows of the window's pages in display order: their groups run from 0 to 71, each page-1
        // heading right before the group it introduces.
        QList<const RigaPagina*> righe;
        for (int p = RiquadroI_1; p < numeroPagine; ++p) {
            for (const RigaPagina& riga : m_catalogo.pagine.at(p).righe)
                righe.append(&riga);
        }
        // A heading goes on the page of the group after it.
        QList<int> gruppi(righe.size(), numeroGruppiV11);
        for (qsizetype i = righe.size() - 1; i >= 0; --i) {
            if (!righe.at(i)->eIntestazione())
                gruppi[i] = righe.at(i)->indice;
            else if (i + 1 < righe.size())
                gruppi[i] = gruppi.at(i + 1);
        }

        int pagina = 0;
        apriPaginaDomande(pagina);
        for (qsizetype i = 0; i < righe.size(); ++i) {
            if (m_pagina.interrotta())
                return;
            while (pagina + 1 < numeroPagineDomande && gruppi.at(i) >= pagineDomande[pagina + 1].primoGruppo)
                apriPaginaDomande(++pagina);
            const RigaPagina& riga = *righe.at(i);
            if (riga.eIntestazione()) {
                if (!riga.intestazione.isEmpty())
                    m_pagina.rigaDomanda(riga.intestazione, std::nullopt);
                continue;
            }
            const Domanda& d = m_catalogo.domande.at(riga.indice);
            if (!d.presente || d.nascosta || d.testo.isEmpty())
                continue;
            const QString prefisso = d.etichettaNotaVisibile
                                         ? QStringLiteral("(") + d.etichettaNota + QStringLiteral(") ")
                                         : QString();
            m_pagina.rigaDomanda(prefisso + d.testo, risposta(d));
        }
        // Every numbered page is printed, even one left without rows.
        while (pagina + 1 < numeroPagineDomande && !m_pagina.interrotta())
            apriPaginaDomande(++pagina);
    }

    void note()
    {
        if (m_pagina.interrotta())
            return;
        m_regola.etichetta.clear();
        m_regola.apri(m_pagina, intestazioneV11(QStringLiteral("Note")));
        for (int g = 0; g < numeroGruppiV11 && !m_pagina.interrotta(); ++g) {
            const Domanda& d = m_catalogo.domande.at(g);
            if (!d.etichettaNotaVisibile || !m_c.segniNota[g])
                continue;
            // The note a group keeps: the other slot when it has text, else the Si slot.
            const QString& testo = m_c.noteAltreV11[g].isEmpty() ? m_c.noteSIV11[g] : m_c.noteAltreV11[g];
            // Lines are filled up to the maximum width, with no earlier threshold.
            m_pagina.bloccoNota(d.etichettaNota, testo, Impaginazione::massimoNota);
        }
    }

    const ContenutoV11& m_c;
    const Catalogo& m_catalogo;
    // The version 1.1 page has the traditional model's captions for its general fields and member columns.
    const ProfiloModello& m_tradizionale;
    ContinuazioneV11 m_regola;
    Impaginazione m_pagina;
};

} // namespace

bool stampaV11(const ContenutoV11& contenuto, SuperficieStampa& superficie)
{
    RapportoV11(contenuto, superficie).stampa();
    return !superficie.inErrore();
}
