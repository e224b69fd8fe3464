#include "documento/lettura.h"

#include "documento/documentoxml.h"
#include "documento/erroreoperazione.h"
#include "modelli/posizionifile.h"
#include "questionario/questionario.h"
#include "questionario/testo.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

namespace {

const QString aCapo = QStringLiteral("\r\n");

class Lettore
{
public:
    explicit Lettore(Questionario& q) : m_q(q), m_p(posizioniFile(q.modello())) {}

    void leggi(const NodoXml& modello)
    {
        leggiDatiGenerali(modello.figlio(figlioDatiGenerali));
        leggiOrgano(modello.figlio(figlioOrgano));
        leggiRisposte(modello.figlio(figlioRisposte));
    }

private:
    // Characters 1-2, 3-4 and 5-8; a short text gives shorter or empty parts.
    void dividiData(const QString& data, const std::array<int, 3>& campi)
    {
        int inizio = 0;
        for (int k = 0; k < int(campi.size()); ++k) {
            m_q.setCampoGenerale(campi[k], data.mid(inizio, lunghezzeData[k]));
            inizio += lunghezzeData[k];
        }
    }

    void leggiDatiGenerali(const NodoXml& g)
    {
        const int figli = std::min(g.numeroFigli(), figliDatiGeneraliLetti);
        for (int i = 0; i < figli; ++i) {
            const NodoXml nodo = g.figlio(i);
            switch (i) {
            case figlioDenominazione:
                m_q.setCampoGenerale(campoDenominazione, nodo.testo());
                break;
            case figlioCodiceFiscale:
                m_q.setCampoGenerale(campoCodiceFiscale, nodo.testo());
                break;
            case figlioDataChiusura:
                dividiData(nodo.testo(), campiDataChiusura);
                break;
            case figlioReferente:
                for (int k = 0; k < int(campiReferente.size()); ++k)
                    m_q.setCampoGenerale(campiReferente[k], nodo.figlio(k).testo());
                break;
            case figlioRequisiti:
                leggiDomandaSingola(nodo.primoFiglio().primoFiglio(), m_p.domandeRequisiti[0]);
                leggiDomandaSingola(nodo.ultimoFiglio().primoFiglio(), m_p.domandeRequisiti[1]);
                break;
            case figlioRiunioni:
                leggiRiunioni(nodo);
                break;
            default:
                break;
            }
        }
    }

    void leggiRiunioni(const NodoXml& riunioni)
    {
        for (int k = 0; k < int(m_p.campiRiunioni.size()); ++k) {
            const NodoXml foglia = riunioni.figlio(k);
            const int campo = m_p.campiRiunioni[k];
            if (k != m_p.posizioneRiunioniNA) {
                m_q.setCampoGenerale(campo, foglia.testo());
            } else if (foglia.primoAttributo() == u"true") {
                m_q.setRiunioniNA(true);
            } else {
                m_q.setRiunioniNA(false);
                m_q.setCampoGenerale(campo, foglia.testo());
            }
        }
    }

    // Questions 79 and 80: any "SI" turns the note mark on, even with an empty note.
    void leggiDomandaSingola(const NodoXml& domanda, int indice)
    {
        const NodoXml risposta = domanda.figlio(figlioRisposta);
        const QString valore = risposta.primoFiglio().testo();
        if (valore == u"SI") {
            m_q.setBox(indice, Casella::SI, true);
            m_q.setSegnoNota(indice, true);
            m_q.setNotaSI(indice, aCapoDaFile(risposta.ultimoFiglio().prendiTesto()));
        } else if (valore == u"NO" && indice == domanda80 && m_p.domanda80ConNO) {
            m_q.setBox(indice, Casella::NO, true);
        }
    }

    // Question 81: the mark only with a note.
    void leggiDomanda81(const NodoXml& domanda)
    {
        const NodoXml risposta = domanda.figlio(figlioRisposta);
        if (risposta.primoFiglio().testo() != u"SI")
            return;
        m_q.setBox(domanda81, Casella::SI, true);
        conservaNota(domanda81, Casella::SI, risposta);
    }

    void conservaNota(int indice, Casella casella, const NodoXml& risposta)
    {
        const QString nota = aCapoDaFile(risposta.ultimoFiglio().prendiTesto());
        if (nota.isEmpty())
            return;
        m_q.setSegnoNota(indice, true);
        if (casella == Casella::SI)
            m_q.setNotaSI(indice, nota);
        else
            m_q.setNotaAltre(indice, nota);
    }

    // n children: the president's container first, the last three from the end, members in between.
    void leggiOrgano(const NodoXml& organo)
    {
        const int figli = organo.numeroFigli();
        NodoXml nodo = organo.primoFiglio();
        leggiMembro(nodo.primoFiglio(), 0);
        for (int j = 1; j < figli; ++j) {
            nodo = nodo.prossimoFratello();
            switch (figli - j) {
            case dallaFineMassimoIncarichi:
                m_q.setCampoGenerale(campoMassimoIncarichi, nodo.testo());
                break;
            case dallaFineDataInizio: {
                const QString data = nodo.testo();
                if (!data.isEmpty())
                    dividiData(data, campiDataInizio);
                break;
            }
            case dallaFineDomanda81:
                leggiDomanda81(nodo);
                break;
            default:
                leggiMembro(nodo, j);
                break;
            }
        }
    }

    // A row beyond the table grows it exactly as "Aggiungi Membro" does.
    void leggiMembro(const NodoXml& membro, int riga)
    {
        TabellaMembri& tabella = m_q.membri();
        if (riga >= tabella.numeroMembri() && !tabella.aggiungiMembro())
            throw ErroreOperazione(QStringLiteral("Il file contiene troppi membri"));
        leggiFigliMembro(membro, m_p.figliMembro, riga);
        const bool requisiti = !tabella.cella(riga, m_p.colonnaTestoRequisiti).isEmpty();
        tabella.setCella(riga, m_p.colonnaSegnoRequisiti, requisiti ? QStringLiteral("SI") : QString());
    }

    void leggiFigliMembro(const NodoXml& elemento, const std::vector<FiglioMembro>& figli, int riga)
    {
        for (int k = 0; k < int(figli.size()); ++k) {
            const FiglioMembro& figlio = figli[k];
            const NodoXml nodo = elemento.figlio(k);
            if (figlio.colonna < 0)
                leggiFigliMembro(nodo, figlio.figli, riga);
            else if (figlio.colonna == m_p.colonnaTestoRequisiti)
                m_q.membri().setCella(riga, figlio.colonna, aCapoDaFile(NodoXml(nodo).prendiTesto()));
            else
                m_q.membri().setCella(riga, figlio.colonna, nodo.testo());
        }
    }

    NodoXml sezione(const NodoXml& risposte, int numero)
    {
        if (numero >= int(m_sezioni.size()))
            m_sezioni.resize(numero + 1);
        if (m_sezioni[numero].nullo())
            m_sezioni[numero] = risposte.figlio(numero);
        return m_sezioni[numero];
    }

    // Exact, case-sensitive values; "NA" reads no note, and an empty note leaves the mark off.
    void leggiDomanda(const NodoXml& domanda, int indice)
    {
        const NodoXml risposta = domanda.figlio(figlioRisposta);
        const QString valore = risposta.primoFiglio().testo();
        const bool adeguata = indice <= m_p.ultimaDomandaAdeguata;
        if (valore == u"SI" || (adeguata && valore == u"Adeguata")) {
            m_q.setBox(indice, Casella::SI, true);
            conservaNota(indice, Casella::SI, risposta);
        } else if (valore == u"NO" || (adeguata && valore == u"Inadeguata")) {
            m_q.setBox(indice, Casella::NO, true);
            conservaNota(indice, Casella::NO, risposta);
        } else if (valore == u"NA") {
            m_q.setBox(indice, Casella::NA, true);
        }
    }

    void leggiRisposte(const NodoXml& risposte)
    {
        for (int i = 0; i < domandeNeiRiquadri; ++i) {
            const PosizioneDomanda& posizione = m_p.domande[i];
            if (posizione.rispostaLetta())
                leggiDomanda(sezione(risposte, posizione.sezione).figlio(posizione.elemento), i);
        }
        for (int k = 0; k < int(m_p.conteggiRiquadroII.size()); ++k) {
            const PosizioneConteggio& c = m_p.conteggiRiquadroII[k];
            const NodoXml risposta = sezione(risposte, c.sezione).figlio(c.elemento).figlio(figlioRisposta);
            m_q.setConteggioRiquadroII(k, risposta.primoFiglio().testo());
        }
    }

    Questionario& m_q;
    const PosizioniFile& m_p;
    std::vector<NodoXml> m_sezioni;
};

} // namespace

Messaggio messaggioImpossibileAprire()
{
    return {QStringLiteral("ATTENZIONE: impossibile aprire il file.") + aCapo +
                QStringLiteral("Verificare che il nome del file sia corretto e che abbia ") +
                QStringLiteral("un'estensione XML") + aCapo + QStringLiteral("Operazione annullata!!!"),
            QStringLiteral("Errore"), Interazione::Pulsanti::Ok, Interazione::Icona::Critica};
}

EsitoLettura leggiFile(Questionario& q, const QString& percorso, const LettoreV11& lettoreV11)
{
    // The whole file is parsed before anything is looked at; a failed load throws at the first access.
    DocumentoXml documento;
    documento.carica(percorso);
    return leggiDocumento(q, documento, percorso, lettoreV11);
}

EsitoLettura leggiDocumento(Questionario& q, const DocumentoXml& documento, const QString& percorso,
                            const LettoreV11& lettoreV11)
{
    const PosizioniFile& p = posizioniFile(q.modello());
    try {
        const NodoXml radice = documento.radice();
        if (radice.nome() != p.nomeRadice) {
            const QString motivo =
                QStringLiteral("l'elemento radice <%1> non è quello di un questionario").arg(radice.nome());
            if (!p.radiceEstraneaAlLettoreV11 || !lettoreV11)
                return {false, messaggioImpossibileAprire(), motivo, std::nullopt};
            RisultatoV11 v11 = lettoreV11(percorso);
            pulisciModulo(q);
            EsitoLettura esito{false, std::nullopt, QString(), std::nullopt};
            if (v11.esito == RisultatoV11::Esito::FileMancante) {
                esito.errore = messaggioFileMancanteV11();
            } else if (!v11.letto()) {
                esito.errore = messaggioImpossibileAprire();
                esito.motivo =
                    QStringLiteral("file della versione 1.1 non leggibile alla riga %1").arg(v11.rigaErrore);
            }
            esito.versione11 = std::move(v11);
            return esito;
        }
        const NodoXml modello = radice.primoFiglio().primoFiglio();
        if (modello.nome() != p.nomeElementoModello) {
            return {false,
                    Messaggio{p.testoModelloErrato + aCapo + QStringLiteral("Operazione annullata."),
                              QStringLiteral("Errore"), Interazione::Pulsanti::Ok,
                              Interazione::Icona::Critica},
                    QString(), std::nullopt};
        }

        pulisciModulo(q);
        const Questionario::Caricamento caricamento(q);
        Lettore(q).leggi(modello);
        return {true, std::nullopt, QString(), std::nullopt};
    } catch (const ErroreXml& e) {
        return {false, messaggioImpossibileAprire(), e.descrizione(), std::nullopt};
    } catch (const ErroreOperazione& e) {
        return {false, messaggioImpossibileAprire(), e.descrizione(), std::nullopt};
    } catch (const std::exception&) {
        return {false, messaggioImpossibileAprire(), QString(), std::nullopt};
    }
}

void pulisciModulo(Questionario& q)
{
    const PosizioniFile& p = posizioniFile(q.modello());
    const QList<int> campi = q.profilo().campiGenerali();
    for (int i = 0; i < numeroIndici; ++i) {
        if (campi.contains(i))
            q.setCampoGenerale(i, QString());
        q.setBox(i, Casella::SI, false);
        q.setSegnoNota(i, false);
        if (i < domandeNeiRiquadri || (i == domanda80 && p.domanda80ConNO)) {
            q.setBox(i, Casella::NO, false);
            q.setBox(i, Casella::NA, false);
        }
        q.setNotaSI(i, QString());
        q.setNotaAltre(i, QString());
    }
    q.membri().svuotaTutto();
    q.membri().setGriglia();
}
