#include "modelli/posizionifile.h"

#include "modelli/colonnemembri.h"

#include <QCoreApplication>
#include <initializer_list>

namespace {

using Uso = PosizioneDomanda::Uso;

// Consecutive questions da..a at consecutive elements of one section node, numbered consecutively.
struct Intervallo
{
    int da;
    int a;
    int sezione;
    int primoElemento;
    int numeroSezione;
    int primoNumero;
    Uso uso = Uso::Completa;
};

std::array<PosizioneDomanda, domandeNeiRiquadri> domandeDa(std::initializer_list<Intervallo> intervalli)
{
    std::array<PosizioneDomanda, domandeNeiRiquadri> domande{};
    for (const Intervallo& t : intervalli) {
        for (int i = t.da; i <= t.a; ++i)
            domande[i] = {t.uso, t.sezione, t.primoElemento + i - t.da, t.numeroSezione,
                          t.primoNumero + i - t.da};
    }
    return domande;
}

// Tradizionale: A/0 = section "1", A/1 = section "2", A/2 = section "3".
const std::initializer_list<Intervallo> domandeTradizionale = {
    {72, 72, 0, 0, 1, 1},
    {0, 22, 0, 1, 1, 2},
    {73, 73, 0, 24, 1, 25},
    {23, 31, 0, 25, 1, 26},
    {74, 74, 0, 34, 1, 35},
    {32, 33, 1, 0, 2, 1},
    {34, 34, 1, 2, 2, 3, Uso::SoloScrittura},
    {75, 75, 1, 3, 2, 4, Uso::SoloNumeri},
    {35, 37, 1, 4, 2, 5},
    {38, 38, 1, 7, 2, 8, Uso::SoloScrittura},
    {39, 39, 1, 8, 2, 9},
    {40, 40, 1, 9, 2, 10, Uso::SoloScrittura},
    {41, 42, 1, 10, 2, 11},
    {76, 76, 1, 12, 2, 13, Uso::SoloNumeri},
    {43, 47, 1, 13, 2, 14},
    {77, 77, 2, 0, 3, 1},
    {48, 67, 2, 1, 3, 2},
    {78, 78, 2, 21, 3, 22},
    {68, 71, 2, 22, 3, 23},
};

// Dualistico: A/0 = section "1", A/1 = section "3". Question 70 is numbered "24", not e + 1.
const std::initializer_list<Intervallo> domandeDualistico = {
    {72, 72, 0, 0, 1, 1},   {0, 22, 0, 1, 1, 2},
    {73, 73, 0, 24, 1, 25}, {23, 30, 0, 25, 1, 26},
    {74, 74, 0, 33, 1, 34}, {77, 77, 1, 0, 3, 1},
    {48, 67, 1, 1, 3, 2},   {78, 78, 1, 21, 3, 22},
    {68, 68, 1, 22, 3, 23}, {69, 69, 1, 23, 0, 0, Uso::SoloLettura},
    {70, 70, 1, 24, 3, 24},
};

// Monistico: as Dualistico, with question 31 closing section "1" and question 71 numbered "25".
const std::initializer_list<Intervallo> domandeMonistico = {
    {72, 72, 0, 0, 1, 1},
    {0, 22, 0, 1, 1, 2},
    {73, 73, 0, 24, 1, 25},
    {23, 30, 0, 25, 1, 26},
    {74, 74, 0, 33, 1, 34},
    {31, 31, 0, 34, 1, 35},
    {77, 77, 1, 0, 3, 1},
    {48, 67, 1, 1, 3, 2},
    {78, 78, 1, 21, 3, 22},
    {68, 68, 1, 22, 3, 23},
    {69, 69, 1, 23, 0, 0, Uso::SoloLettura},
    {70, 71, 1, 24, 3, 24},
};

// Children of a member element; the first five are the same in every model, the attendance counts follow.
std::vector<FiglioMembro> figliMembro(const LayoutMembri& l, std::initializer_list<const char*> presenze)
{
    std::vector<FiglioMembro> figli{
        {QStringLiteral("Nome"), l.colonnaNome, false, {}},
        {QStringLiteral("CodiceFiscale"), l.colonnaCodiceFiscale, false, {}},
        {QStringLiteral("ElettoMinoranze"), l.colonnaElettoMinoranze, true, {}},
        {QStringLiteral("IncarichiRicoperti"),
         -1,
         false,
         {{QStringLiteral("SocietaDelGruppo"), l.primaColonnaIncarichi, false, {}},
          {QStringLiteral("SocietaQuotate"), l.primaColonnaIncarichi + 1, false, {}},
          {QStringLiteral("AltreSocieta"), l.primaColonnaIncarichi + 2, false, {}}}},
        {QStringLiteral("RequisitiProfessionalitàInPossesso"), l.colonnaNascosta, false, {}},
    };
    int colonna = l.primaColonnaPresenze;
    for (const char* nome : presenze)
        figli.push_back({QString::fromUtf8(nome), colonna++, false, {}});
    return figli;
}

PosizioniFile comune(Modello modello)
{
    PosizioniFile p;
    p.modello = modello;
    p.nomeRadice = QStringLiteral("SchedaOrganoControllo");
    const LayoutMembri& l = layoutMembri(modello);
    p.colonnaSegnoRequisiti = l.colonnaRequisiti;
    p.colonnaTestoRequisiti = l.colonnaNascosta;
    return p;
}

PosizioniFile tradizionale()
{
    PosizioniFile p = comune(Modello::Tradizionale);
    p.fileModello = QStringLiteral("SchedaOrganiSociali_base_trad.dat");
    p.nomeElementoModello = QStringLiteral("ModelloTradizionale");
    p.testoModelloErrato =
        QStringLiteral("Quello che si sta cercando di aprire non è un MODELLO TRADIZIONALE.");
    p.radiceEstraneaAlLettoreV11 = true;
    p.domanda80ConNO = true;
    p.campiRiunioni = {62, 63, 64, 65};
    p.posizioneRiunioniNA = 3;
    p.nomeMembro = QStringLiteral("MembroCollegioSindacale");
    p.figliMembro = figliMembro(layoutMembri(Modello::Tradizionale),
                                {"NumeroPresenzeRiunioniCollegioSindacale", "NumeroPresenzeAssemblee",
                                 "NumeroPresenzeRiunioniConsiglioAmministrazione",
                                 "NumeroPresenzeRiunioniComitatoEsecutivo"});
    p.domande = domandeDa(domandeTradizionale);
    p.conteggiRiquadroII = {{1, 2}, {1, 7}, {1, 9}};
    return p;
}

PosizioniFile dualistico()
{
    PosizioniFile p = comune(Modello::Dualistico);
    p.fileModello = QStringLiteral("SchedaOrganiSociali_base_dual.dat");
    p.nomeElementoModello = QStringLiteral("ModelloDualistico");
    p.testoModelloErrato =
        QStringLiteral("Quello che si sta cercando di aprire non è un MODELLO DUALISTICO.");
    p.campiRiunioni = {62, 63, 64};
    p.nomeMembro = QStringLiteral("MembroConsiglioSorveglianza");
    p.figliMembro = figliMembro(layoutMembri(Modello::Dualistico),
                                {"NumeroPresenzeRiunioniConsiglioSorveglianza", "NumeroPresenzeAssemblee",
                                 "NumeroPresenzeRiunioniConsiglioGestione"});
    p.domande = domandeDa(domandeDualistico);
    return p;
}

PosizioniFile monistico()
{
    PosizioniFile p = comune(Modello::Monistico);
    p.fileModello = QStringLiteral("SchedaOrganiSociali_base_mon.dat");
    p.nomeElementoModello = QStringLiteral("ModelloMonistico");
    p.testoModelloErrato = QStringLiteral("Quello che si sta cercando di aprire non è un MODELLO MONISTICO.");
    // The file puts question 80 first.
    p.domandeRequisiti = {domanda80, domanda79};
    p.campiRiunioni = {62, 63, 64, 65};
    p.posizioneRiunioniNA = 3;
    p.nomeMembro = QStringLiteral("MembroControlloGestione");
    p.figliMembro = figliMembro(layoutMembri(Modello::Monistico),
                                {"NumeroPresenzeRiunioniComitatoControlloGestione", "NumeroPresenzeAssemblee",
                                 "NumeroPresenzeRiunioniConsiglioAmministrazione",
                                 "NumeroPresenzeRiunioniComitatoEsecutivo"});
    p.domande = domandeDa(domandeMonistico);
    return p;
}

QString& cartellaImpostata()
{
    static QString cartella;
    return cartella;
}

} // namespace

const PosizioniFile& posizioniFile(Modello modello)
{
    static const PosizioniFile posizioni[] = {tradizionale(), dualistico(), monistico()};
    return posizioni[static_cast<int>(modello)];
}

QString cartellaProgramma()
{
    const QString& cartella = cartellaImpostata();
    return cartella.isEmpty() ? QCoreApplication::applicationDirPath() : cartella;
}

void impostaCartellaProgramma(const QString& cartella)
{
    cartellaImpostata() = cartella;
}
