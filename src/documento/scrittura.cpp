#include "documento/scrittura.h"

#include "documento/documentoxml.h"
#include "modelli/posizionifile.h"
#include "questionario/questionario.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <vector>

namespace {

QString unisci(const Questionario& q, const std::array<int, 3>& campi)
{
    return q.campoGenerale(campi[0]) + q.campoGenerale(campi[1]) + q.campoGenerale(campi[2]);
}

// Fills a template in the order the file layout prescribes; every missing node throws ErroreXml.
class Scrittore
{
public:
    explicit Scrittore(const Questionario& q) : m_q(q), m_p(posizioniFile(q.modello())), m_membri(q.membri())
    {}

    void scrivi(const QString& percorso)
    {
        const QString fileModello = cartellaProgramma() + u'/' + m_p.fileModello;
        if (!QFileInfo::exists(fileModello))
            throw ErroreXml(
                QStringLiteral("Manca il modello %1: lo si cerca nella cartella del programma, %2.")
                    .arg(m_p.fileModello, QDir::toNativeSeparators(cartellaProgramma())));
        // The result is not looked at: a broken template surfaces at the first access, with the reason of the
        // failed load.
        m_documento.carica(fileModello);
        const NodoXml modello = m_documento.radice().primoFiglio().primoFiglio();
        scriviDatiGenerali(modello.figlio(figlioDatiGenerali));
        scriviOrgano(modello.figlio(figlioOrgano));
        scriviRisposte(modello.figlio(figlioRisposte));
        m_documento.salva(percorso);
    }

private:
    void scriviDatiGenerali(const NodoXml& g)
    {
        // A template with fewer children simply leaves the missing fields out.
        const int figli = std::min(g.numeroFigli(), figliDatiGeneraliLetti);
        for (int i = 0; i < figli; ++i) {
            NodoXml nodo = g.figlio(i);
            switch (i) {
            case figlioDenominazione:
                nodo.setTesto(m_q.campoGenerale(campoDenominazione));
                break;
            case figlioCodiceFiscale:
                nodo.setTesto(m_q.campoGenerale(campoCodiceFiscale));
                break;
            case figlioDataChiusura:
                nodo.setTesto(unisci(m_q, campiDataChiusura));
                break;
            case figlioReferente:
                for (int k = 0; k < int(campiReferente.size()); ++k)
                    nodo.figlio(k).setTesto(m_q.campoGenerale(campiReferente[k]));
                break;
            case figlioRequisiti:
                for (int k = 0; k < int(m_p.domandeRequisiti.size()); ++k)
                    scriviDomandaSingola(nodo.figlio(k).primoFiglio(), m_p.domandeRequisiti[k]);
                break;
            case figlioRiunioni:
                scriviRiunioni(nodo);
                break;
            default:
                break;
            }
        }
    }

    void scriviRiunioni(const NodoXml& riunioni)
    {
        for (int k = 0; k < int(m_p.campiRiunioni.size()); ++k) {
            NodoXml foglia = riunioni.figlio(k);
            if (k != m_p.posizioneRiunioniNA) {
                foglia.setTesto(m_q.campoGenerale(m_p.campiRiunioni[k]));
                continue;
            }
            const bool na = m_q.riunioniNA();
            foglia.setTesto(na ? QStringLiteral("0") : m_q.campoGenerale(m_p.campiRiunioni[k]));
            foglia.setPrimoAttributo(na ? QStringLiteral("true") : QStringLiteral("false"));
        }
    }

    // Questions 79, 80 and 81: only the answer value and the note, and only for a ticked box.
    void scriviDomandaSingola(const NodoXml& domanda, int indice)
    {
        NodoXml risposta = domanda.figlio(figlioRisposta);
        if (m_q.casella(indice, Casella::SI)) {
            risposta.figlio(figlioValore).setTesto(QStringLiteral("SI"));
            risposta.figlio(figlioNota).setTesto(m_q.notaSI(indice));
        } else if (indice == domanda80 && m_p.domanda80ConNO && m_q.casella(indice, Casella::NO)) {
            risposta.figlio(figlioValore).setTesto(QStringLiteral("NO"));
        }
    }

    void scriviOrgano(const NodoXml& organo)
    {
        NodoXml c = organo;
        // Question 81 first, while it is still the template's fourth child.
        scriviDomandaSingola(c.figlio(figlioDomanda81), domanda81);
        scriviMembro(c.figlio(figlioPresidente).primoFiglio(), m_p.figliMembro, 0);

        // The members go between the president's container and the maximum of offices, in table order.
        const NodoXml massimoIncarichi = c.figlio(figlioPresidente + 1);
        for (int riga = 1; riga < m_membri.numeroMembri(); ++riga) {
            if (m_membri.rigaVuota(riga))
                continue;
            NodoXml membro = c.inserisciPrima(m_p.nomeMembro, massimoIncarichi);
            creaFigli(membro, m_p.figliMembro);
            scriviMembro(membro, m_p.figliMembro, riga);
        }

        const int figli = c.numeroFigli();
        c.figlio(figli - dallaFineMassimoIncarichi).setTesto(m_q.campoGenerale(campoMassimoIncarichi));
        c.figlio(figli - dallaFineDataInizio).setTesto(unisci(m_q, campiDataInizio));
    }

    static void creaFigli(NodoXml elemento, const std::vector<FiglioMembro>& figli)
    {
        for (const FiglioMembro& figlio : figli)
            creaFigli(elemento.aggiungi(figlio.nome), figlio.figli);
    }

    void scriviMembro(const NodoXml& elemento, const std::vector<FiglioMembro>& figli, int riga)
    {
        for (int k = 0; k < int(figli.size()); ++k) {
            const FiglioMembro& figlio = figli[k];
            NodoXml nodo = elemento.figlio(k);
            if (figlio.colonna < 0) {
                scriviMembro(nodo, figlio.figli, riga);
                continue;
            }
            const QString testo = m_membri.cella(riga, figlio.colonna);
            nodo.setTesto(figlio.maiuscolo ? testo.toUpper() : testo);
        }
    }

    QString valore(int indice) const
    {
        const bool adeguata = indice == m_p.domandaAdeguata;
        switch (m_q.risposta(indice)) {
        case Risposta::SI:
            return adeguata ? QStringLiteral("Adeguata") : QStringLiteral("SI");
        case Risposta::NO:
            return adeguata ? QStringLiteral("Inadeguata") : QStringLiteral("NO");
        case Risposta::NA:
            return QStringLiteral("NA");
        case Risposta::Nessuna:
            break;
        }
        return {};
    }

    NodoXml sezione(const NodoXml& risposte, int numero)
    {
        if (numero >= int(m_sezioni.size()))
            m_sezioni.resize(numero + 1);
        if (m_sezioni[numero].nullo())
            m_sezioni[numero] = risposte.figlio(numero);
        return m_sezioni[numero];
    }

    void scriviRisposte(const NodoXml& risposte)
    {
        for (int i = 0; i < domandeNeiRiquadri; ++i) {
            const PosizioneDomanda& posizione = m_p.domande[i];
            if (!posizione.scritta())
                continue;
            const Domanda& d = m_q.profilo().domanda(i);
            NodoXml domanda = sezione(risposte, posizione.sezione).figlio(posizione.elemento);
            const bool soloNumeri = posizione.uso == PosizioneDomanda::Uso::SoloNumeri;
            domanda.figlio(figlioTesto).setTesto(soloNumeri ? QString() : d.testo);
            if (posizione.scriveRisposta()) {
                NodoXml risposta = domanda.figlio(figlioRisposta);
                const QString testoValore = valore(i);
                if (!testoValore.isEmpty())
                    risposta.figlio(figlioValore).setTesto(testoValore);
                NodoXml nota = risposta.figlio(figlioNota);
                const QString notaSI = m_q.notaSI(i);
                if (!notaSI.isEmpty()) {
                    nota.setTesto(notaSI);
                } else {
                    const QString notaAltre = m_q.notaAltre(i);
                    if (!notaAltre.isEmpty())
                        nota.setTesto(notaAltre);
                }
                nota.setPrimoAttributo(d.etichettaNota);
            }
            domanda.figlio(figlioNumeroSezione).setTesto(QString::number(posizione.numeroSezione));
            domanda.figlio(figlioNumeroDomanda).setTesto(QString::number(posizione.numeroDomanda));
        }
        // The counts go last, over whatever answer value their elements received.
        for (int k = 0; k < int(m_p.conteggiRiquadroII.size()); ++k) {
            const PosizioneConteggio& c = m_p.conteggiRiquadroII[k];
            sezione(risposte, c.sezione)
                .figlio(c.elemento)
                .figlio(figlioRisposta)
                .figlio(figlioValore)
                .setTesto(m_q.conteggioRiquadroII(k));
        }
    }

    const Questionario& m_q;
    const PosizioniFile& m_p;
    const TabellaMembri& m_membri;
    DocumentoXml m_documento;
    std::vector<NodoXml> m_sezioni;
};

} // namespace

void scriviFile(const Questionario& questionario, const QString& percorso)
{
    Scrittore(questionario).scrivi(percorso);
}
