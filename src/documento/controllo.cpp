#include "documento/controllo.h"

#include "documento/erroreoperazione.h"
#include "modelli/regolecontrollo.h"
#include "questionario/interazione.h"
#include "questionario/questionario.h"

#include <QDate>
#include <limits>

namespace {

using Pulsanti = Interazione::Pulsanti;
using Icona = Interazione::Icona;

constexpr int massimo16Bit = std::numeric_limits<qint16>::max();

const QString titoloErrore = QStringLiteral("Errore");
const QString titoloAttenzione = QStringLiteral("Attenzione");
const QString crlf = QStringLiteral("\r\n");
const QString primaDellaGenerazione = QStringLiteral("prima di passare alla generazione del file.");
const QString tabellaMembri = QStringLiteral("MSHFlexGrid1");

QString nomeCampoGenerale(int campo)
{
    return QStringLiteral("TEXT_GENERALE_%1").arg(campo);
}

bool soloCifre(const QString& testo, qsizetype minimo, qsizetype massimo)
{
    if (testo.size() < minimo || testo.size() > massimo)
        return false;
    for (QChar c : testo) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

QString senzaSpaziIniziali(const QString& testo)
{
    qsizetype n = 0;
    while (n < testo.size() && testo.at(n) == u' ')
        ++n;
    return testo.mid(n);
}

class Controllo
{
public:
    Controllo(Questionario& q, ModoControllo modo)
        : m_q(q), m_profilo(q.profilo()), m_regole(regoleControllo(q.modello())), m_ui(q.interazione()),
          m_tutti(modo == ModoControllo::TuttiIProblemi)
    {}

    bool esegui()
    {
        if (campiGenerali() || numeroMembri() || righeMembri() || domande())
            return true;
        date();
        if (campo33Numerico() || incarichi())
            return true;
        return m_problema;
    }

private:
    // Every step reports a problem, then asks this whether to stop there.
    bool fermaQui()
    {
        m_problema = true;
        return !m_tutti;
    }

    Interazione::Esito messaggio(const QString& testo, const QString& titolo,
                                 Pulsanti pulsanti = Pulsanti::Ok, Icona icona = Icona::Critica)
    {
        return m_ui.messaggio(testo, titolo, pulsanti, icona);
    }

    const QString& didascalia(int pagina) const { return m_profilo.catalogo.pagine.at(pagina).didascalia; }

    // The window is brought forward before the focus moves, so a check started from the tray shows it.
    void portaAllaTabella()
    {
        m_ui.ripristinaFinestra();
        m_ui.spostaFocus(tabellaMembri);
        m_ui.mostraPagina(DatiGeneraliPagina);
    }

    bool campiGenerali()
    {
        for (const CampoRichiesto& c : m_regole.campiRichiesti) {
            const QString testo = m_q.campoGenerale(c.campo);
            QString frase;
            if (testo.isEmpty()) {
                if (!(c.esenteConNA && m_q.riunioniNA()))
                    frase = c.fraseVuoto;
            } else if (c.lunghezzaEsatta >= 0 && testo.size() != c.lunghezzaEsatta) {
                frase = c.fraseLunghezza;
            }
            if (frase.isEmpty())
                continue;
            messaggio(QStringLiteral("Verificare nel riquadro ") + didascalia(DatiGeneraliPagina) + frase +
                          primaDellaGenerazione,
                      titoloErrore);
            m_ui.ripristinaFinestra();
            m_ui.spostaFocus(nomeCampoGenerale(c.campo));
            m_ui.mostraPagina(DatiGeneraliPagina);
            if (fermaQui())
                return true;
        }
        return false;
    }

    bool numeroMembri()
    {
        const TabellaMembri& membri = m_q.membri();
        int compilate = 0;
        for (int r = 0; r < membri.numeroMembri(); ++r) {
            if (membri.celleNonVuote(r) > 0)
                ++compilate;
        }
        if (compilate >= regole::membriMinimi)
            return false;
        portaAllaTabella();
        messaggio(QStringLiteral("I ") + membri.layout().intestazioneMembri().toLower() +
                      QStringLiteral(" devono essere almeno tre."),
                  titoloErrore);
        return fermaQui();
    }

    bool righeMembri()
    {
        const TabellaMembri& membri = m_q.membri();
        const LayoutMembri& layout = membri.layout();
        const int completa = layout.ultimaColonnaDati; // data columns are 1 to ultimaColonnaDati
        for (int r = 0; r < membri.numeroMembri(); ++r) {
            const int piene = membri.celleNonVuote(r);
            const QString codice = membri.cella(r, layout.colonnaCodiceFiscale);
            const bool codiceValido =
                codice.isEmpty() || codice.size() == regole::lunghezzaCodiceFiscaleMembro;
            // The first rows must be complete; the others complete or entirely empty.
            const bool righeCompilate = piene == completa || (r >= regole::membriMinimi && piene == 0);
            if (codiceValido && righeCompilate)
                continue;
            const QString etichetta = membri.etichettaRiga(r);
            portaAllaTabella();
            messaggio(codiceValido ? QStringLiteral("All'elemento [") + etichetta +
                                         QStringLiteral("] mancano uno o più campi!")
                                   : QStringLiteral("Il codice fiscale dell'elemento [") + etichetta +
                                         QStringLiteral("] deve essere di 16 caratteri"),
                      titoloErrore);
            if (fermaQui())
                return true;
        }
        return false;
    }

    bool rispostaData(int i) const
    {
        const bool si = m_q.casella(i, Casella::SI);
        const bool no = m_q.casella(i, Casella::NO);
        // The boxes of the general-data page: SI, and NO where the box has one.
        if (i >= 79)
            return si || (no && !m_profilo.domanda(i).casellaSingola());
        if (si || no || m_q.casella(i, Casella::NA))
            return true;
        // A Riquadro II count typed in place of the answer.
        const int conteggio = m_profilo.domanda(i).campoConteggio;
        return conteggio >= 0 && !m_q.conteggioRiquadroII(conteggio).isEmpty();
    }

    QString intestazioneSopra(int i) const
    {
        QString intestazione;
        for (const RigaPagina& riga : m_profilo.catalogo.pagine.at(m_profilo.domanda(i).pagina).righe) {
            if (riga.eIntestazione())
                intestazione = riga.intestazione;
            else if (riga.indice == i)
                break;
        }
        return intestazione;
    }

    // How the unanswered message names question i.
    QString testoDomanda(int i) const
    {
        if (i == 79)
            return senzaSpaziIniziali(m_profilo.etichettaCasella79);
        if (i == 80)
            return senzaSpaziIniziali(m_profilo.etichettaCasella80);
        const QString testo = senzaSpaziIniziali(m_profilo.domanda(i).testo);
        if (m_regole.domandeSottoIntestazione.test(i))
            return intestazioneSopra(i) + u' ' + testo;
        return testo;
    }

    bool notaRichiesta(int i) const
    {
        if (m_regole.notaSempre.test(i))
            return true;
        if (m_profilo.domanda(i).etichettaNota == QStringLiteral("NO"))
            return false;
        return (m_q.casella(i, Casella::SI) && m_regole.notaSuSI.test(i)) ||
               (m_q.casella(i, Casella::NO) && m_regole.notaSuNO.test(i));
    }

    void notaMancante(int i, int pagina)
    {
        messaggio(QStringLiteral("Verificare la <") + m_profilo.domanda(i).etichettaNota +
                      QStringLiteral("> nel ") + didascalia(pagina) + crlf + primaDellaGenerazione,
                  titoloErrore);
        m_ui.mostraPagina(pagina);
    }

    bool domande()
    {
        for (int i = 0; i <= 80; ++i) {
            if (m_regole.domandeNonControllate.test(i))
                continue;
            const int pagina = m_profilo.paginaPerMessaggi(i);
            if (!m_regole.rispostaNonControllata.test(i) && !rispostaData(i)) {
                const int conteggio = m_profilo.domanda(i).campoConteggio;
                if (conteggio >= 0)
                    m_ui.spostaFocus(QStringLiteral("TEXT_%1").arg(conteggio));
                messaggio(QStringLiteral("Verificare la domanda nel ") + didascalia(pagina) + crlf + u'<' +
                              testoDomanda(i) + u'>' + crlf + primaDellaGenerazione,
                          titoloErrore);
                m_ui.mostraPagina(pagina);
                if (conteggio < 0) {
                    m_ui.ripristinaFinestra();
                    m_ui.spostaFocus(QStringLiteral("Check_SI_%1").arg(i));
                }
                if (fermaQui())
                    return true;
                continue; // an unanswered question needs no note
            }
            if (!notaRichiesta(i) || m_q.segnoNota(i))
                continue;
            notaMancante(i, pagina);
            if (fermaQui())
                return true;
        }
        return false;
    }

    // A bad date is reported and remembered, but never stops the check.
    void date()
    {
        // The start date of the office first, then the closing date of the accounts; each field 'giorno' is
        // followed by its month and year.
        for (int giorno : {34, 2}) {
            if (dataValida(m_q.campoGenerale(giorno), m_q.campoGenerale(giorno + 1),
                           m_q.campoGenerale(giorno + 2)))
                continue;
            messaggio(QStringLiteral("Si è inserita una data non corretta!"), titoloAttenzione);
            m_ui.spostaFocus(nomeCampoGenerale(giorno));
            m_problema = true;
        }
    }

    bool campo33Numerico()
    {
        const QString testo = m_q.campoGenerale(33);
        // Empty was reported by the general-field step (only the all-problems run gets here with it).
        if (testo.isEmpty() || testoNumerico(testo))
            return false;
        messaggio(QStringLiteral("Si è inserito un valore non numerico!"), titoloAttenzione);
        m_ui.spostaFocus(nomeCampoGenerale(33));
        return fermaQui();
    }

    bool nota81Presente() const { return m_q.segnoNota(81) && m_q.casella(81, Casella::SI); }

    bool incarichi()
    {
        const QString testo33 = m_q.campoGenerale(33);
        // Without a number the maximum is unknown; only the all-problems run gets here then.
        const bool massimoNoto = testoNumerico(testo33);
        const int massimo = massimoNoto ? numeroA16Bit(testo33) : 0;
        const TabellaMembri& membri = m_q.membri();
        // The offices columns are, in order: group, listed and other companies.
        const int colonnaQuotate = membri.layout().primaColonnaIncarichi + 1;
        for (int r = 0; r < membri.numeroMembri(); ++r) {
            const QString valore = membri.cella(r, colonnaQuotate);
            // Asked again for every row: a Yes on an earlier row may have written the note.
            if (valore.isEmpty() || nota81Presente())
                continue;
            if (!testoNumerico(valore)) {
                messaggio(
                    QStringLiteral("Si è inserito un valore non numerico nel campo incarichi ricoperti!"),
                    titoloAttenzione);
                m_ui.spostaFocus(tabellaMembri);
                if (fermaQui())
                    return true;
                continue;
            }
            const int incarichi = numeroA16Bit(valore);
            if (!massimoNoto || massimo >= incarichi)
                continue;
            if (m_tutti) {
                notaMancante(81, DatiGeneraliPagina);
                fermaQui();
                continue;
            }
            const auto esito = messaggio(
                QStringLiteral(
                    "Il numero massimo di incarichi previsti dallo statuto\rè inferiore agli incarichi "
                    "ricoperti.\rE' necessario compilare la nota 1.0.c.\rSi desidera compilare tale "
                    "nota adesso?"),
                titoloAttenzione, Pulsanti::SiNo, Icona::Esclamazione);
            if (esito != Interazione::Esito::Si) {
                m_ui.spostaFocus(nomeCampoGenerale(33));
                return fermaQui();
            }
            // Ticking box 81 afresh opens its note editor through the SI rule.
            m_q.setBox(81, Casella::SI, false);
            m_q.setBox(81, Casella::SI, true);
            if (m_q.segnoNota(81))
                continue;
            notaMancante(81, DatiGeneraliPagina);
            return fermaQui();
        }
        return false;
    }

    Questionario& m_q;
    const ProfiloModello& m_profilo;
    const RegoleControllo& m_regole;
    Interazione& m_ui;
    const bool m_tutti;
    bool m_problema = false;
};

} // namespace

bool controlloPrimaDellaGenerazione(Questionario& q)
{
    return controlloPrimaDellaGenerazione(q, ModoControllo::PrimoProblema);
}

bool controlloPrimaDellaGenerazione(Questionario& q, ModoControllo modo)
{
    return Controllo(q, modo).esegui();
}

bool testoNumerico(const QString& testo)
{
    return soloCifre(testo, 1, std::numeric_limits<qsizetype>::max());
}

bool dataValida(const QString& giorno, const QString& mese, const QString& anno)
{
    if (!soloCifre(giorno, 2, 2) || !soloCifre(mese, 2, 2) || !soloCifre(anno, 4, 4))
        return false;
    return QDate::isValid(anno.toInt(), mese.toInt(), giorno.toInt());
}

int numeroA16Bit(const QString& testo)
{
    if (!testoNumerico(testo))
        throw ErroreOperazione(QStringLiteral("Il valore \"%1\" non è un numero.").arg(testo));
    int valore = 0;
    for (QChar c : testo) {
        valore = valore * 10 + (c.unicode() - u'0');
        if (valore > massimo16Bit)
            throw ErroreOperazione(QStringLiteral("Il valore \"%1\" supera il massimo consentito (%2).")
                                       .arg(testo)
                                       .arg(massimo16Bit));
    }
    return valore;
}
