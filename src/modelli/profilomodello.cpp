#include "modelli/profilomodello.h"

#include <QStringList>
#include <algorithm>

QString nomeModello(Modello modello)
{
    switch (modello) {
    case Modello::Tradizionale:
        return QStringLiteral("Tradizionale");
    case Modello::Dualistico:
        return QStringLiteral("Dualistico");
    case Modello::Monistico:
        return QStringLiteral("Monistico");
    }
    return {};
}

int numeroEtichettaDomanda(int indice)
{
    return indice <= 3 ? indice + 1 : indice + 2;
}

InsiemeIndici insiemeIndici(std::initializer_list<int> singoli, int da, int a)
{
    InsiemeIndici insieme;
    for (int i : singoli)
        insieme.set(i);
    for (int i = da; i <= a; ++i)
        insieme.set(i);
    return insieme;
}

int paginaDiIndice(int indice)
{
    if ((indice >= 0 && indice <= 14) || indice == 72)
        return RiquadroI_1;
    if ((indice >= 15 && indice <= 31) || indice == 73 || indice == 74)
        return RiquadroI_2;
    if ((indice >= 32 && indice <= 47) || indice == 75 || indice == 76)
        return RiquadroII;
    if ((indice >= 48 && indice <= 61) || indice == 77)
        return RiquadroIII_1;
    if ((indice >= 62 && indice <= 71) || indice == 78)
        return RiquadroIII_2;
    return DatiGeneraliPagina;
}

bool ProfiloModello::passaTestIndiceSI(int indice) const
{
    // In the traditional model box 80 has "Si" and "No" and goes through the set like any question.
    if (modello == Modello::Tradizionale)
        return indice != 79 && indice != 81;
    return indice < 79;
}

QList<int> ProfiloModello::campiGenerali() const
{
    QList<int> campi{0, 1, 2, 3, 4, 5, 6, 7, 33, 34, 35, 36, 62, 63, 64};
    if (haRiunioniComitatoEsecutivo)
        campi.append(65);
    return campi;
}

QString ProfiloModello::testoDomandaPerEsteso(int indice) const
{
    switch (indice) {
    case 79:
        return etichettaCasella79;
    case 80:
        return etichettaCasella80;
    case 81:
        return etichettaCampoGenerale(33);
    default:
        break;
    }
    const Domanda& d = domanda(indice);
    // A sub-question is indented under the line it belongs to: the nearest line above it that is not.
    if (!d.testo.startsWith(u' '))
        return d.testo;
    QString sopra;
    for (const RigaPagina& riga : catalogo.pagine[d.pagina].righe) {
        if (riga.indice == indice)
            break;
        const QString& testo = riga.eIntestazione() ? riga.intestazione : domanda(riga.indice).testo;
        if (!testo.startsWith(u' '))
            sopra = testo.trimmed();
    }
    const QString propria = d.testo.trimmed();
    if (sopra.isEmpty())
        return propria;
    return sopra + (sopra.endsWith(u':') ? QStringLiteral(" ") : QStringLiteral(": ")) + propria;
}

QString ProfiloModello::etichettaCampoGenerale(int campo) const
{
    switch (campo) {
    case 0:
        return QStringLiteral("Denominazione della società");
    case 1:
        return QStringLiteral("Codice Fiscale della società");
    case 2:
        return QStringLiteral("Data di chiusura del bilancio (gg/mm/aaaa)");
    case 5:
        return QStringLiteral("Indirizzo Referente");
    case 6:
        return QStringLiteral("Telefono Referente");
    case 7:
        return QStringLiteral("E-mail Referente");
    case 33:
        return QStringLiteral("Numero massimo di incarichi previsti dallo statuto");
    case 34:
        return QStringLiteral("Data inizio incarico (gg/mm/aaaa)");
    case 62:
        return etichettaRiunioni62;
    case 63:
        return QStringLiteral("Numero di assemblee");
    case 64:
        return etichettaRiunioni64;
    case 65:
        return haRiunioniComitatoEsecutivo ? QStringLiteral("Numero di riunioni del comitato esecutivo")
                                           : QString();
    default:
        return {};
    }
}

namespace {

enum Caselle
{
    SiNo,
    SiNoNA,
    AdeguataInadeguata,
    Conteggio0,
    Conteggio1,
    Conteggio2,
    Nascosta,
    Nessuna
};
constexpr int intestazione = -1;
constexpr bool sottoDomanda = true;

struct Voce
{
    int pagina;
    int indice; // or `intestazione`
    const char* nota;
    Caselle caselle;
    const char* testo;
    bool rientro = false;
};

// The traditional model, every page in display order. The other two models are this table with their
// differences applied (see below).
const Voce
    vociTradizionale[] =
        {
            // Page 1, "Riquadro I [1/2]"
            {1, 72, "Nota 0.a", SiNo, "Sono stati rispettati la legge e l'atto costitutivo?"},
            {1, intestazione, nullptr, Nessuna,
             "La società ha effettuato operazioni atipiche o inusuali con:"},
            {1, 0, "Nota 1.a", SiNo, "società infragruppo", sottoDomanda},
            {1, 1, "Nota 1.b", SiNo, "parti correlate", sottoDomanda},
            {1, 2, "Nota 1.c", SiNo, "terzi", sottoDomanda},
            {1, 3, "Nota 1.d", SiNo,
             "Sono state effettuate altre operazioni rilevanti sotto il profilo economico, finanziario e patrimoniale?"},
            {1, intestazione, nullptr, Nessuna,
             "Sono state effettuate altre operazioni infragruppo e con parti correlate aventi natura ordinaria o ricorrente"},
            {1, 4, nullptr, SiNo, "Sono di natura commerciale?", sottoDomanda},
            {1, 5, nullptr, SiNo, "Sono di natura finanziaria?", sottoDomanda},
            {1, 6, "Nota 1.e", SiNoNA,
             "Il collegio sindacale ha valutato positivamente la rispondenza all'interesse sociale per tutte le operazioni esaminate?"},
            {1, 7, "Nota 2.a", AdeguataInadeguata,
             "L'informativa resa dagli amministratori nella relazione sulla gestione rispetto alle indicazioni fornite dalla Tamrel risulta:"},
            {1, 8, nullptr, SiNoNA,
             "In particolare gli amministratori hanno esplicitato l'interesse della società al compimento delle operazioni?"},
            {1, 9, nullptr, SiNoNA,
             "Sono stati esaminati i rilievi ed i richiami d'informativa contenuti nelle relazioni dei revisori ai bilanci d'esercizio e consolidato?"},
            {1, 10, nullptr, SiNoNA, "E' stata valutata la proposta di distribuzione dei dividendi?"},
            {1, 11, "Nota 3.a", SiNo, "Sono state ricevute denunce ex art. 2408 c.c.?"},
            {1, 12, "Nota 3.b", SiNoNA, "Sono state intraprese iniziative in merito alle denunce ricevute?"},
            {1, 13, "Nota 4.a", SiNo, "Sono stati ricevuti esposti?"},
            {1, 14, "Nota 4.b", SiNoNA, "Sono state intraprese iniziative in merito agli esposti ricevuti?"},
            // Page 2, "Riquadro I [2/2]"
            {2, 15, "Nota 5.a", SiNoNA,
             "Sono stati esaminati gli eventuali ulteriori incarichi conferiti alla società di revisione e/o a soggetti appartenenti alla sua \"rete\" e valutati i relativi costi?"},
            {2, 16, "Nota 6.a", SiNo,
             "Più in generale, a seguito del coinvolgimento del collegio sindacale nella valutazione dell'indipendenza della società di revisione (come previsto dal documento \"Principi di indipendenza del Revisore\" raccomandato dalla Tamrel il 5 ottobre 2005 e, in particolare, dal punto 4.5.2.2 e successive \"circostanze specifiche\") sono emersi aspetti critici in materia d'indipendenza e sono state individuate eventuali iniziative intraprese o da intraprendere al riguardo?"},
            {2, 17, nullptr, SiNo,
             "Si sono tenute periodiche riunioni con i revisori in virtù di quanto previsto dall'art. 150 del TUF?"},
            {2, 18, "Nota 7.a", SiNo,
             "Nel corso delle riunioni di cui al punto precedente sono emersi aspetti rilevanti per i quali si è reso necessario procedere a specifici approfondimenti?"},
            {2, 19, nullptr, SiNo,
             "E' stata ritenuta adeguata la struttura amministrativa  della società ai fini del rispetto dei principi di corretta amministrazione?"},
            {2, 20, "Nota 8.a", SiNoNA,
             "Sono state individuate eventuali azioni correttive intraprese o da intraprendere per migliorare la struttura amministrativa  della società?"},
            {2, 21, nullptr, SiNoNA,
             "Sono state ritenute adeguate le disposizioni impartite dalla società alle società controllate ai sensi dell' art. 114 c. 2 del TUF?"},
            {2, 22, "Nota 8.b", SiNoNA,
             "Sono state individuate eventuali azioni correttive intraprese o da intraprendere per migliorare le disposizioni impartite dalla società alle società controllate?"},
            {2, 73, nullptr, SiNo,
             "Il collegio sindacale ha scambiato informazioni con i corrispondenti organi delle controllate, ai sensi dell'art. 151, comma 2 del TUF?"},
            {2, 23, nullptr, SiNo,
             "E' stata ritenuta adeguata la struttura organizzativa per gli aspetti di competenza del collegio?"},
            {2, 24, "Nota 8.c", SiNoNA,
             "Sono state individuate eventuali azioni correttive intraprese o da intraprendere per migliorare la struttura organizzativa per gli aspetti di competenza del collegio?"},
            {2, 25, nullptr, SiNo,
             "E' stato ritenuto adeguato il sistema di controllo interno, in particolare sull'attività svolta dai preposti al controllo interno?"},
            {2, 26, "Nota 8.d", SiNoNA,
             "Sono state individuate eventuali azioni correttive intraprese o da intraprendere per migliorare il sistema di controllo interno?"},
            {2, 27, nullptr, SiNo,
             "E' stato ritenuto adeguato il sistema amministrativo-contabile e la affidabilità di questo a rappresentare correttamente i fatti di gestione?"},
            {2, 28, "Nota 8.e", SiNoNA,
             "Sono state individuate eventuali azioni correttive intraprese o da intraprendere per migliorare il sistema amministrativo-contabile e la affidabilità di questo a rappresentare correttamente i fatti di gestione?"},
            {2, 29, nullptr, SiNo,
             "Sono state svolte eventuali altre valutazioni, osservazioni e commenti che si ritiene opportuno riferire all'assemblea?"},
            {2, 30, "Nota 8.f", SiNo,
             "Sono stati rilevati omissioni, fatti censurabili o irregolarità  nel corso dell'attività di vigilanza?"},
            {2, 31, nullptr, SiNo,
             "E' stato necessario presentare all'assemblea le proposte così come previsto dall'art. 153, c.2, del D.Lgs. 58/98?"},
            {2, 74, "Nota 8.g", SiNo,
             "Il collegio sindacale si è avvalso dei poteri di convocazione dell'assemblea, del CdA o del Comitato esecutivo?"},
            // Page 3, "Riquadro II"
            {3, 32, nullptr, SiNo,
             "La società ha aderito al Codice di autodisciplina predisposto dal Comitato per la Corporate Governance delle società quotate?"},
            {3, 33, nullptr, SiNo, "E' stato istituito il comitato per il controllo interno?"},
            {3, 34, nullptr, Conteggio0,
             "Quante riunioni sono state svolte dal comitato per il controllo interno nel corso dell'anno?"},
            {3, 35, nullptr, SiNo, "Sono individuati i preposti al controllo interno?"},
            {3, 36, nullptr, SiNoNA,
             "I rapporti tra Comitato e i preposti al controllo interno sono tenuti periodicamente?"},
            {3, 37, nullptr, SiNo, "E' stato istituito il comitato per le proposte di nomina?"},
            {3, 38, nullptr, Conteggio1,
             "Quante riunioni sono state svolte dal comitato nel corso dell'anno?"},
            {3, 39, nullptr, SiNo, "E' stato istituito il comitato per la remunerazione?"},
            {3, 40, nullptr, Conteggio2,
             "Quante riunioni sono state svolte dal comitato nel corso dell'anno?"},
            {3, 41, nullptr, SiNo,
             "Il CdA vigila sul generale andamento della gestione, con particolare attenzione alle situazioni di conflitto di interessi, tenendo in considerazione, in particolare, le informazioni ricevute dal comitato esecutivo, dagli amministratori delegati e dal comitato per il controllo interno, nonché confrontando periodicamente i risultati conseguiti con quelli programmati?"},
            {3, 42, nullptr, SiNo,
             "Il CdA esamina e approva le operazioni aventi un significativo rilievo economico, patrimoniale e finanziario, con particolare riferimento alle operazioni con parti correlate?"},
            {3, 43, "Nota 9.a", SiNo, "Nel CdA sono presenti amministratori indipendenti?"},
            {3, 44, nullptr, SiNoNA,
             "Il collegio ritiene che il numero di amministratori indipendenti sia adeguato rispetto alla composizione del CdA?"},
            {3, 45, nullptr, SiNoNA,
             "Il Comitato esecutivo e/o gli amministratori delegati rendono periodicamente conto al CdA delle attività svolte nell'esercizio delle deleghe?"},
            {3, 46, nullptr, SiNoNA,
             "Gli organi delegati forniscono adeguata informativa sulle operazioni atipiche, inusuali, o con parti correlate, il cui esame o la cui approvazione non siano riservati al CdA?"},
            {3, 47, nullptr, SiNo,
             "Ai sindaci sono state fornite le medesime informazioni rese agli amministratori?"},
            {3, 76, nullptr, Nascosta, nullptr},
            {3, 75, nullptr, Nascosta, nullptr},
            // Page 4, "Riquadro III [1/2]"
            {4, 77, "Nota 10.a.1", SiNo,
             "L'indicazione se siano stati rispettati la legge e l'atto costitutivo"},
            {4, 48, "Nota 10.a.2", SiNo,
             "Le considerazioni sulle operazioni di maggior rilievo economico, finanziario e patrimoniale effettuate dalla società e sulla loro conformità alla legge o all'atto costitutivo e che tali operazioni non siano manifestamente imprudenti o azzardate, in potenziale conflitto di interessi, in contrasto con le delibere assunte dall'assemblea o tali da compromettere l'integrità del patrimonio aziendale?"},
            {4, 49, "Nota 10.b", SiNo,
             "L'indicazione sulla presenza ovvero l'assenza delle operazioni indicate al par. 2 p. 2 della Comunicazione Tamrel n. 1025564 del 6 aprile 2001?"},
            {4, 50, "Nota 10.c", SiNo,
             "Le informazioni richieste al par. 2 p.2.1 della Comunicazione Tamrel n. 1025564 del 6 aprile 2001, per le operazioni di cui al par. 2 p. 2 con parti correlate ovvero significative?"},
            {4, 51, "Nota 10.d", SiNo,
             "Le informazioni richieste al par. 2 p.2.2 della Comunicazione Tamrel n. 1025564 del 6 aprile 2001, per le altre operazioni di cui al par. 2 p. 2?"},
            {4, 52, "Nota 10.e", SiNo,
             "Le informazioni richieste al par. 2 p.2.3 della Comunicazione Tamrel n. 1025564 del 6 aprile 2001, per le operazioni di cui al par. 2 p. 2 aventi natura ordinaria?"},
            {4, 53, "Nota 10.f", SiNo,
             "La valutazione circa l'adeguatezza delle informazioni rese dagli amministratori nella relazione sulla gestione sulle operazioni atipiche e/o inusuali, in conformità alle indicazioni fornite dalla Tamrel?"},
            {4, 54, "Nota 10.g", SiNo,
             "La valutazione circa l'adeguatezza delle informazioni rese dagli amministratori nella relazione sulla gestione sulle operazioni infragruppo e con parti correlate?"},
            {4, 55, "Nota 10.h", SiNo,
             "Le osservazioni e le proposte sui rilievi ed i richiami d'informativa contenuti nelle relazioni della società di revisione ai bilanci d'esercizio e consolidato?"},
            {4, 56, "Nota 10.i", SiNo, "Le osservazioni sulla proposta di distribuzione dei dividendi?"},
            {4, 57, "Nota 10.j", SiNo,
             "Le indicazioni sulla presenza ovvero sull'assenza di denunce ex art. 2408 c.c., sulle eventuali  iniziative intraprese e sui relativi esiti?"},
            {4, 58, "Nota 10.k", SiNo,
             "Le indicazioni sulla presenza ovvero l'assenza di esposti pervenuti, sulle eventuali iniziative intraprese e sui relativi esiti?"},
            {4, 59, "Nota 10.l", SiNo,
             "Le indicazioni sulla presenza ovvero l'assenza di ulteriori incarichi conferiti alla società di revisione e/o a soggetti appartenenti alla sua \"rete\" ed i relativi costi?"},
            {4, 60,
             "Nota 10.m", SiNo, "Le indicazioni sulla presenza ovvero l'assenza di aspetti critici in materia di indipendenza della società di revisione e l'evidenziazione delle eventuali iniziative intraprese o ancora da intraprendere?"},
            {4, 61, "Nota 10.n", SiNo,
             "L'indicazione sull'esistenza di pareri rilasciati ai sensi di legge nel corso dell'esercizio?"},
            // Page 5, "Riquadro III [2/2]"
            {5, 62, "Nota 10.o", SiNo,
             "L'indicazione sulla frequenza e numero delle riunioni del CdA, del Comitato Esecutivo e del Collegio Sindacale?"},
            {5, 63, "Nota 10.p", SiNo,
             "Le osservazioni sul rispetto dei principi di corretta amministrazione e l'evidenziazione delle eventuali azioni correttive intraprese e di quelle ancora da adottare?"},
            {5, 64, "Nota 10.q", SiNo,
             "Le osservazioni sull'adeguatezza della struttura organizzativa per gli aspetti di competenza del collegio e l'evidenziazione delle eventuali azioni correttive intraprese e di quelle ancora da adottare?"},
            {5, 65, "Nota 10.r", SiNo,
             "Le osservazioni sull'adeguatezza del sistema di controllo interno, in particolare sull'attività svolta dai preposti al controllo interno e l'evidenziazione delle eventuali azioni correttive intraprese e di quelle ancora da adottare?"},
            {5, 66, "Nota 10.t", SiNo,
             "Le osservazioni sull'adeguatezza del sistema amministrativo-contabile e sulla affidabilità di questo a rappresentare correttamente i fatti di gestione e l'evidenziazione delle eventuali azioni correttive intraprese e di quelle ancora da adottare?"},
            {5, 67, "Nota 10.u", SiNo,
             "Le osservazioni sull'adeguatezza delle disposizioni impartite dalla società alle società controllate ai sensi dell art. 114 c. 2 del TUF e l'evidenziazione delle eventuali azioni correttive intraprese e di quelle ancora da adottare?"},
            {5, 78, "Nota 10.u.1", SiNo,
             "Eventuali aspetti rilevanti emersi nei contatti con i corrispondenti organi delle controllate"},
            {5, 68, "Nota 10.v", SiNo,
             "Gli eventuali aspetti rilevanti  emersi nel corso delle riunioni tenutesi con i revisori in virtù di quanto previsto dall'art. 150 del TUF?"},
            {5, 69, "Nota 10.w", SiNo,
             "L'indicazione sull'adesione al codice di autodisciplina del Comitato per la Corporate Governance delle società quotate?"},
            {5, 70, "Nota 10.x", SiNo,
             "Le valutazioni conclusive in ordine all'attività di vigilanza nonché sulle eventuali omissioni, fatti censurabili o irregolarità rilevate nel corso della stessa?"},
            {5, 71, nullptr, SiNoNA,
             "L'indicazione di eventuali proposte all'assemblea così come previsto dall'art. 153, c.2, del D.Lgs. 58/98?"},
};

struct TestoDiverso
{
    int indice;
    const char* testo;
};

const TestoDiverso testiDualistico[] = {
    {6,
     "Il consiglio di sorveglianza ha valutato positivamente la rispondenza all'interesse sociale per tutte le operazioni esaminate?"},
    {8,
     "In particolare i consiglieri di gestione hanno esplicitato l'interesse della società al compimento delle operazioni?"},
    {16,
     "Più in generale, a seguito del coinvolgimento del consiglio di sorveglianza nella valutazione dell'indipendenza della società di revisione (come previsto dal documento \"Principi di indipendenza del Revisore\" raccomandato dalla Tamrel il 5 ottobre 2005 e, in particolare, dal punto 4.5.2.2 e successive \"circostanze specifiche\") sono emersi aspetti critici in materia d'indipendenza e sono state individuate eventuali iniziative intraprese o da intraprendere al riguardo?"},
    {19,
     "E' stata ritenuta adeguata la struttura amministrativa della società ai fini del rispetto dei principi di corretta amministrazione?"}, // one space before "della"
    {23,
     "E' stata ritenuta adeguata la struttura organizzativa per gli aspetti di competenza del consiglio di sorveglianza?"},
    {24,
     "Sono state individuate eventuali azioni correttive intraprese o da intraprendere per migliorare la struttura organizzativa per gli aspetti di competenza del consiglio di sorveglianza?"},
    {54,
     "La valutazione circa l'adeguatezza delle informazioni rese dai consiglieri di gestione nella relazione sulla gestione sulle operazioni infragruppo e con parti correlate?"},
    {62,
     "L'indicazione sulla frequenza e numero delle riunioni del Consiglio di Gestione e del Consiglio di Sorveglianza?"},
    {64,
     "Le osservazioni sull'adeguatezza della struttura organizzativa per gli aspetti di competenza del consiglio di sorveglianza e l'evidenziazione delle eventuali azioni correttive intraprese e di quelle ancora da adottare?"},
    {73,
     "Il consiglio di sorveglianza, o un suo componente appositamente delegato, ha scambiato informazioni con i corrispondenti organi delle controllate, ai sensi dell'art. 151-bis, comma 4 del TUF?"},
    {74,
     "Il consiglio di sorveglianza si è avvalso dei poteri di convocazione dell'assemblea o del consiglio di gestione?"},
};

const TestoDiverso testiMonistico[] = {
    {6,
     "Il comitato per il controllo sulla gestione ha valutato positivamente la rispondenza all'interesse sociale per tutte le operazioni esaminate?"},
    {16,
     "Più in generale, a seguito del coinvolgimento del comitato per il controllo sulla gestione nella valutazione dell'indipendenza della società di revisione (come previsto dal documento \"Principi di indipendenza del Revisore\" raccomandato dalla Tamrel il 5 ottobre 2005 e, in particolare, dal punto 4.5.2.2 e successive \"circostanze specifiche\") sono emersi aspetti critici in materia d'indipendenza e sono state individuate eventuali iniziative intraprese o da intraprendere al riguardo?"},
    {23,
     "E' stata ritenuta adeguata la struttura organizzativa per gli aspetti di competenza del comitato per il controllo sulla gestione?"},
    {24,
     "Sono state individuate eventuali azioni correttive intraprese o da intraprendere per migliorare la struttura organizzativa per gli aspetti di competenza del comitato per il controllo sulla gestione?"},
    {31,
     "Al comitato per il controllo sulla gestione sono stati affidati ulteriori compiti, ai sensi dell'art. 2409-octiesdecies, comma 5, lett. c) del codice civile?"},
    {62,
     "L'indicazione sulla frequenza e numero delle riunioni del CdA, del Comitato Esecutivo e del Comitato per il controllo sulla gestione?"},
    {64,
     "Le osservazioni sull'adeguatezza della struttura organizzativa per gli aspetti di competenza del comitato per il controllo sulla gestione e l'evidenziazione delle eventuali azioni correttive intraprese e di quelle ancora da adottare?"},
    {71,
     "I risultati di eventuali ulteriori compiti affidati al comitato per il controllo sulla gestione, ai sensi dell'art. 2409 octiesdecies, comma 5, lett. c) del codice civile"},
    {73,
     "Il comitato per il controllo sulla gestione,o un suo componente appositamente delegato, ha scambiato informazioni con i corrispondenti organi delle controllate, ai sensi dell'art. 151-ter, comma 4 del TUF?"}, // (no space after the comma following "gestione")
    {74,
     "Il comitato per il controllo sulla gestione si è avvalso dei poteri di convocazione del Cda o del Comitato esecutivo?"},
};

Domanda daVoce(const Voce& voce)
{
    Domanda d;
    d.indice = voce.indice;
    d.presente = true;
    d.pagina = voce.pagina;
    d.testo = voce.testo ? QString::fromUtf8(voce.testo) : QString();
    if (voce.rientro)
        d.testo.prepend(QString(48, u' '));
    d.etichettaNota = voce.nota ? QString::fromUtf8(voce.nota) : QStringLiteral("NO");
    d.etichettaNotaVisibile = voce.nota != nullptr;
    switch (voce.caselle) {
    case SiNo:
    case SiNoNA:
        d.didascaliaSI = QStringLiteral("Si");
        d.didascaliaNO = QStringLiteral("No");
        d.offreNA = voce.caselle == SiNoNA;
        break;
    case AdeguataInadeguata:
        d.didascaliaSI = QStringLiteral("Adeguata");
        d.didascaliaNO = QStringLiteral("Inadeguata");
        break;
    case Conteggio0:
    case Conteggio1:
    case Conteggio2:
        d.campoConteggio = voce.caselle - Conteggio0;
        break;
    case Nascosta:
        // The hidden rows 75 and 76 keep their boxes and a hidden note label with an empty caption.
        d.nascosta = true;
        d.didascaliaSI = QStringLiteral("Si");
        d.didascaliaNO = QStringLiteral("No");
        d.etichettaNota.clear();
        break;
    case Nessuna:
        break;
    }
    return d;
}

Domanda casellaDatiGenerali(int indice, const char* nota, bool conNO)
{
    Domanda d;
    d.indice = indice;
    d.presente = true;
    d.pagina = DatiGeneraliPagina;
    d.etichettaNota = QString::fromUtf8(nota);
    d.etichettaNotaVisibile = true;
    if (conNO) {
        d.didascaliaSI = QStringLiteral("Si");
        d.didascaliaNO = QStringLiteral("No");
    }
    return d;
}

Catalogo catalogoTradizionale()
{
    Catalogo c;
    const QString didascalie[numeroPagine] = {
        QStringLiteral("Dati Generali"),      QStringLiteral("Riquadro I [1/2]"),
        QStringLiteral("Riquadro I [2/2]"),   QStringLiteral("Riquadro II"),
        QStringLiteral("Riquadro III [1/2]"), QStringLiteral("Riquadro III [2/2]")};
    const QString intestazioni[numeroPagine] = {
        QString(),
        QStringLiteral("Riquadro I [1/2] - OMBRISA"),
        QStringLiteral("Riquadro I [2/2] - OMBRISA"),
        QStringLiteral("Riquadro II - ADESIONE AL CODICE DI AUTODISCIPLINA"),
        QStringLiteral("Riquadro III [1/2] - RELAZIONE PER L'ASSEMBLEA"),
        QStringLiteral("Riquadro III [2/2] - RELAZIONE PER L'ASSEMBLEA")};
    for (int p = 0; p < numeroPagine; ++p) {
        c.pagine[p].didascalia = didascalie[p];
        c.pagine[p].intestazione = intestazioni[p];
    }
    c.pagine[RiquadroIII_1].testoIniziale = QStringLiteral("La relazione contiene:");

    for (int i = 0; i < numeroIndici; ++i)
        c.domande[i].indice = i;
    int prossimaIntestazione = 0; // the two headings of page 1 are labels 0 and 5
    for (const Voce& voce : vociTradizionale) {
        RigaPagina riga;
        if (voce.indice == intestazione) {
            riga.numeroEtichetta = prossimaIntestazione;
            riga.intestazione = QString::fromUtf8(voce.testo);
            prossimaIntestazione = 5;
        } else {
            c.domande[voce.indice] = daVoce(voce);
            riga.indice = voce.indice;
            riga.numeroEtichetta = numeroEtichettaDomanda(voce.indice);
        }
        c.pagine[voce.pagina].righe.append(riga);
    }
    c.domande[79] = casellaDatiGenerali(79, "Nota 1.0.a", false);
    c.domande[80] = casellaDatiGenerali(80, "Nota 1.0.b", true);
    c.domande[81] = casellaDatiGenerali(81, "Nota 1.0.c", false);
    return c;
}

void applicaTesti(Catalogo& c, const TestoDiverso* begin, const TestoDiverso* end)
{
    for (auto t = begin; t != end; ++t)
        c.domande[t->indice].testo = QString::fromUtf8(t->testo);
}

void togli(Catalogo& c, int indice)
{
    Domanda& d = c.domande[indice];
    auto& righe = c.pagine[d.pagina].righe;
    righe.removeIf([indice](const RigaPagina& r) { return r.indice == indice; });
    d = Domanda{};
    d.indice = indice;
}

void nascondi69(Catalogo& c)
{
    // The hidden question 69 keeps its text and its (hidden) label "Nota 10.w".
    Domanda& d = c.domande[69];
    d.nascosta = true;
    d.etichettaNotaVisibile = false;
}

// Riquadro II does not apply outside the traditional model: the page only says so.
void senzaRiquadroII(Catalogo& c)
{
    for (int i = 32; i <= 47; ++i)
        togli(c, i);
    togli(c, 75);
    togli(c, 76);
    c.pagine[RiquadroII].applicabile = false;
    c.pagine[RiquadroII].intestazione.clear();
    c.pagine[RiquadroII].righe.clear();
}

ProfiloModello tradizionale()
{
    ProfiloModello p;
    p.modello = Modello::Tradizionale;
    p.titoloFinestra =
        QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0 - MODELLO TRADIZIONALE");
    p.catalogo = catalogoTradizionale();
    p.intestazioneRequisiti = QStringLiteral("Requisiti di professionalità dei sindaci");
    p.etichettaCasella79 = QStringLiteral("Materie e settori strettamente attinenti quello dell'impresa");
    p.etichettaCasella80 = QStringLiteral(
        "Eventuali condizioni aggiuntive per la sussistenza dei requisisti di professionalità dei sindaci");
    p.etichettaRiunioni62 = QStringLiteral("Numero di riunioni del collegio sindacale");
    p.etichettaRiunioni64 = QStringLiteral("Numero di riunioni del consiglio d'amministrazione");
    // Box 80 has "Si" and "No" here: its SI goes through the set like any question's.
    p.notaSuSI =
        insiemeIndici({0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 30, 43, 74, 76, 80});
    p.notaSuNO = insiemeIndici({6, 7, 15, 20, 21, 22, 23, 24, 26, 28, 75, 77, 78}, 48, 72);
    return p;
}

ProfiloModello dualistico()
{
    ProfiloModello p;
    p.modello = Modello::Dualistico;
    p.titoloFinestra =
        QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0 - MODELLO DUALISTICO");
    p.catalogo = catalogoTradizionale();
    Catalogo& c = p.catalogo;
    togli(c, 31);
    senzaRiquadroII(c);
    togli(c, 71);
    nascondi69(c);
    c.domande[80] = casellaDatiGenerali(80, "Nota 1.0.b", false);
    applicaTesti(c, std::begin(testiDualistico), std::end(testiDualistico));
    p.intestazioneRequisiti = QStringLiteral("Requisiti di professionalità ed indipendenza");
    p.etichettaCasella79 = QStringLiteral("Requisiti di professionalità dei consiglieri di sorveglianza");
    p.etichettaCasella80 = QStringLiteral(
        "Requisiti di indipendenza, cause di ineleggibilità e decadenze ulteriori rispetto a quelli di legge");
    p.etichettaRiunioni62 = QStringLiteral("Numero di riunioni del consiglio di sorveglianza");
    p.etichettaRiunioni64 = QStringLiteral("Numero di riunioni del consiglio di gestione");
    p.notaSuSI = insiemeIndici({0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 30, 74, 76});
    p.notaSuNO = insiemeIndici({6, 7, 15, 16, 20, 21, 22, 23, 24, 26, 28, 77, 78}, 48, 72);
    p.haRiunioniComitatoEsecutivo = false;
    return p;
}

ProfiloModello monistico()
{
    ProfiloModello p;
    p.modello = Modello::Monistico;
    p.titoloFinestra =
        QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0 - MODELLO MONISTICO");
    p.catalogo = catalogoTradizionale();
    Catalogo& c = p.catalogo;
    senzaRiquadroII(c);
    nascondi69(c);
    applicaTesti(c, std::begin(testiMonistico), std::end(testiMonistico));

    // Question 31 has a note of its own here and closes page 2, after question 74.
    c.domande[31].etichettaNota = QStringLiteral("Nota 8.h");
    c.domande[31].etichettaNotaVisibile = true;
    auto& righe2 = c.pagine[RiquadroI_2].righe;
    const auto riga31 =
        std::find_if(righe2.begin(), righe2.end(), [](const RigaPagina& r) { return r.indice == 31; });
    const RigaPagina spostata = *riga31;
    righe2.erase(riga31);
    righe2.append(spostata);

    c.domande[71].etichettaNota = QStringLiteral("Nota 10.y");
    c.domande[71].etichettaNotaVisibile = true;
    c.domande[71].offreNA = false;
    c.domande[80] = casellaDatiGenerali(80, "Nota 1.0.b", false);

    p.intestazioneRequisiti = QStringLiteral("Requisiti di professionalità ed indipendenza");
    p.etichettaCasella79 = QStringLiteral(
        "Requisiti di professionalità dei membri del comitato per il controllo sulla gestione");
    p.etichettaCasella80 = QStringLiteral(
        "Requisiti di indipendenza previsti da codici di comportamento di associazioni di categoria o di società "
        "di gestione di mercati, se previsti dallo statuto");
    p.etichettaRiunioni62 = QStringLiteral("Numero di riunioni del comitato per il controllo sulla gestione");
    p.etichettaRiunioni64 = QStringLiteral("Numero di riunioni del consiglio d'amministrazione");
    p.notaSuSI =
        insiemeIndici({0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 30, 31, 43, 74, 76});
    p.notaSuNO = insiemeIndici({6, 7, 15, 16, 20, 21, 22, 23, 24, 26, 28, 33, 77, 78}, 48, 73);
    return p;
}

} // namespace

const ProfiloModello& profilo(Modello modello)
{
    static const ProfiloModello profili[] = {tradizionale(), dualistico(), monistico()};
    return profili[static_cast<int>(modello)];
}
