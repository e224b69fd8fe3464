#include "documento/controllo.h"

#include "modelli/regolecontrollo.h"
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
constexpr int campoMassimo = 33;

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

Mossa messaggio()
{
    return {Mossa::Tipo::Messaggio, -1, QString()};
}
Mossa ripristino()
{
    return {Mossa::Tipo::Ripristino, -1, QString()};
}
Mossa pagina(int numero)
{
    return {Mossa::Tipo::Pagina, numero, QString()};
}
Mossa focus(const QString& controllo)
{
    return {Mossa::Tipo::Focus, -1, controllo};
}

Messaggio errore(const QString& testo)
{
    return {testo, titoloErrore, Pulsanti::Ok, Icona::Critica};
}
Messaggio attenzione(const QString& testo)
{
    return {testo, titoloAttenzione, Pulsanti::Ok, Icona::Critica};
}

// A required note that is missing: the message names the note label and the page.
Problema notaMancante(const ProfiloModello& profilo, int i, int numeroPagina)
{
    return {errore(QStringLiteral("Verificare la <") + profilo.domanda(i).etichettaNota +
                   QStringLiteral("> nel ") + profilo.catalogo.pagine.at(numeroPagina).didascalia + crlf +
                   primaDellaGenerazione),
            {messaggio(), pagina(numeroPagina)},
            true,
            false};
}

class Controllo
{
public:
    explicit Controllo(const Questionario& q)
        : m_q(q), m_profilo(q.profilo()), m_regole(regoleControllo(q.modello()))
    {}

    QList<Problema> esegui()
    {
        campiGenerali();
        numeroMembri();
        righeMembri();
        domande();
        date();
        campo33Numerico();
        incarichi();
        return m_problemi;
    }

private:
    void aggiungi(const Messaggio& m, const QList<Mossa>& mosse, bool ferma = true)
    {
        m_problemi.append({m, mosse, ferma, false});
    }

    const QString& didascalia(int numero) const { return m_profilo.catalogo.pagine.at(numero).didascalia; }

    // The window is brought forward before the focus moves, so a check started from the tray shows it.
    QList<Mossa> allaTabellaPrima() const
    {
        return {ripristino(), focus(tabellaMembri), pagina(DatiGeneraliPagina), messaggio()};
    }

    void campiGenerali()
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
            aggiungi(
                errore(QStringLiteral("Verificare nel riquadro ") + didascalia(DatiGeneraliPagina) + frase +
                       primaDellaGenerazione),
                {messaggio(), ripristino(), focus(nomeCampoGenerale(c.campo)), pagina(DatiGeneraliPagina)});
        }
    }

    void numeroMembri()
    {
        const TabellaMembri& membri = m_q.membri();
        int compilate = 0;
        for (int r = 0; r < membri.numeroMembri(); ++r) {
            if (membri.celleNonVuote(r) > 0)
                ++compilate;
        }
        if (compilate >= regole::membriMinimi)
            return;
        aggiungi(errore(QStringLiteral("I ") + membri.layout().intestazioneMembri().toLower() +
                        QStringLiteral(" devono essere almeno tre.")),
                 allaTabellaPrima());
    }

    void righeMembri()
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
            aggiungi(errore(codiceValido ? QStringLiteral("All'elemento [") + etichetta +
                                               QStringLiteral("] mancano uno o più campi!")
                                         : QStringLiteral("Il codice fiscale dell'elemento [") + etichetta +
                                               QStringLiteral("] deve essere di 16 caratteri")),
                     allaTabellaPrima());
        }
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
        return (m_q.casella(i, Casella::SI) && m_profilo.notaSuSI.test(i)) ||
               (m_q.casella(i, Casella::NO) && m_regole.notaSuNO.test(i));
    }

    void domande()
    {
        for (int i = 0; i <= 80; ++i) {
            if (m_regole.domandeNonControllate.test(i))
                continue;
            const int numeroPagina = paginaDiIndice(i);
            if (!m_regole.rispostaNonControllata.test(i) && !rispostaData(i)) {
                const Messaggio m =
                    errore(QStringLiteral("Verificare la domanda nel ") + didascalia(numeroPagina) + crlf +
                           u'<' + testoDomanda(i) + u'>' + crlf + primaDellaGenerazione);
                // A meeting count left empty gets the focus first; an answer box after the window is back.
                const int conteggio = m_profilo.domanda(i).campoConteggio;
                if (conteggio >= 0)
                    aggiungi(m, {focus(QStringLiteral("TEXT_%1").arg(conteggio)), messaggio(),
                                 pagina(numeroPagina)});
                else
                    aggiungi(m, {messaggio(), pagina(numeroPagina), ripristino(),
                                 focus(QStringLiteral("Check_SI_%1").arg(i))});
                continue; // an unanswered question needs no note
            }
            if (notaRichiesta(i) && !m_q.segnoNota(i))
                m_problemi.append(notaMancante(m_profilo, i, numeroPagina));
        }
    }

    // A bad date is reported, but never stops the check.
    void date()
    {
        // The start date of the office first, then the closing date of the accounts; each field 'giorno' is
        // followed by its month and year.
        for (int giorno : {34, 2}) {
            if (!dataValida(m_q.campoGenerale(giorno), m_q.campoGenerale(giorno + 1),
                            m_q.campoGenerale(giorno + 2)))
                aggiungi(attenzione(QStringLiteral("Si è inserita una data non corretta!")),
                         {messaggio(), focus(nomeCampoGenerale(giorno))}, false);
        }
    }

    void campo33Numerico()
    {
        const QString testo = m_q.campoGenerale(campoMassimo);
        // Empty was reported by the general-field step, which stops a check before this one.
        if (testo.isEmpty() || testoNumerico(testo))
            return;
        aggiungi(attenzione(QStringLiteral("Si è inserito un valore non numerico!")),
                 {messaggio(), focus(nomeCampoGenerale(campoMassimo))});
    }

    // A number beyond 16 bits stops the check as an error of the command, with the program's title.
    std::optional<int> numero16Bit(const QString& testo)
    {
        int valore = 0;
        for (QChar c : testo) {
            valore = valore * 10 + (c.unicode() - u'0');
            if (valore > massimo16Bit) {
                aggiungi({QStringLiteral("Il valore \"%1\" supera il massimo consentito (%2).")
                              .arg(testo)
                              .arg(massimo16Bit),
                          titoloApplicazione(), Pulsanti::Ok, Icona::Nessuna},
                         {messaggio()});
                return std::nullopt;
            }
        }
        return valore;
    }

    void incarichi()
    {
        const QString testo33 = m_q.campoGenerale(campoMassimo);
        // Without a number the maximum is unknown: a check that stops at the first problem never gets here.
        const std::optional<int> massimo = testoNumerico(testo33) ? numero16Bit(testo33) : std::nullopt;
        // A note 1.0.c already written settles every member.
        if (m_q.segnoNota(81) && m_q.casella(81, Casella::SI))
            return;
        const TabellaMembri& membri = m_q.membri();
        // The offices columns are, in order: group, listed and other companies.
        const int colonnaQuotate = membri.layout().primaColonnaIncarichi + 1;
        for (int r = 0; r < membri.numeroMembri(); ++r) {
            const QString valore = membri.cella(r, colonnaQuotate);
            if (valore.isEmpty())
                continue;
            if (!testoNumerico(valore)) {
                aggiungi(attenzione(QStringLiteral(
                             "Si è inserito un valore non numerico nel campo incarichi ricoperti!")),
                         {messaggio(), focus(tabellaMembri)});
                continue;
            }
            const std::optional<int> incarichi = numero16Bit(valore);
            if (!massimo || !incarichi || *massimo >= *incarichi)
                continue;
            m_problemi.append(
                {{QStringLiteral("Il numero massimo di incarichi previsti dallo statuto\rè inferiore agli "
                                 "incarichi ricoperti.\rE' necessario compilare la nota 1.0.c.\rSi "
                                 "desidera compilare tale nota adesso?"),
                  titoloAttenzione, Pulsanti::SiNo, Icona::Esclamazione},
                 {messaggio(), focus(nomeCampoGenerale(campoMassimo))},
                 true,
                 true});
        }
    }

    const Questionario& m_q;
    const ProfiloModello& m_profilo;
    const RegoleControllo& m_regole;
    QList<Problema> m_problemi;
};

void ripeti(const Problema& problema, Interazione& ui, bool conMessaggio = true)
{
    for (const Mossa& m : problema.mosse) {
        switch (m.tipo) {
        case Mossa::Tipo::Messaggio:
            if (conMessaggio)
                ui.mostra(problema.messaggio);
            break;
        case Mossa::Tipo::Ripristino:
            ui.ripristinaFinestra();
            break;
        case Mossa::Tipo::Pagina:
            ui.mostraPagina(m.pagina);
            break;
        case Mossa::Tipo::Focus:
            ui.spostaFocus(m.controllo);
            break;
        }
    }
}

} // namespace

std::optional<int> Problema::pagina() const
{
    std::optional<int> numero;
    for (const Mossa& m : mosse)
        if (m.tipo == Mossa::Tipo::Pagina)
            numero = m.pagina;
    return numero;
}

std::optional<QString> Problema::focus() const
{
    std::optional<QString> controllo;
    for (const Mossa& m : mosse)
        if (m.tipo == Mossa::Tipo::Focus)
            controllo = m.controllo;
    return controllo;
}

QList<Problema> controlloPrimaDellaGenerazione(const Questionario& q)
{
    return Controllo(q).esegui();
}

bool eseguiControllo(Questionario& q)
{
    Interazione& ui = q.interazione();
    bool mostrato = false;
    for (const Problema& problema : controlloPrimaDellaGenerazione(q)) {
        if (!problema.domandaNota81) {
            ripeti(problema, ui);
            mostrato = true;
            if (problema.ferma)
                return true;
            continue;
        }
        if (ui.mostra(problema.messaggio) != Interazione::Esito::Si) {
            ripeti(problema, ui, false);
            return true;
        }
        // Ticking box 81 afresh opens its note editor through the SI rule.
        q.setBox(81, Casella::SI, false);
        q.setBox(81, Casella::SI, true);
        if (q.segnoNota(81))
            return mostrato;
        ripeti(notaMancante(q.profilo(), 81, DatiGeneraliPagina), ui);
        return true;
    }
    return mostrato;
}

QList<Problema> finoAlPrimoProblema(const QList<Problema>& problemi)
{
    QList<Problema> primi;
    for (const Problema& problema : problemi) {
        primi.append(problema);
        if (problema.ferma)
            break;
    }
    return primi;
}

QList<Problema> senzaDomande(const QList<Problema>& problemi, const ProfiloModello& profilo)
{
    QList<Problema> risultato;
    for (const Problema& problema : problemi)
        risultato.append(problema.domandaNota81 ? notaMancante(profilo, 81, DatiGeneraliPagina) : problema);
    return risultato;
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
