#include "legacy/catalogov11.h"

#include "modelli/profilomodello.h"

#include <iterator>

namespace {

struct TestoV11
{
    int gruppo;
    const char* testo;
};

// The question texts version 1.1 had where the traditional model now has others.
const TestoV11 testiV11[] = {
    {7,
     "L'informativa resa dagli amministratori nella relazione sulla gestione rispetto a quanto previsto dalle Comunicazioni Tamrel in materia di controlli societari risulta:"},
    {15,
     "Sono stati esaminati gli eventuali ulteriori incarichi conferiti alla società di revisione e valutati i relativi costi?"},
    {16,
     "Sono stati esaminati gli eventuali incarichi conferiti a soggetti legati alla società incaricata della revisione da rapporti continuativi e valutati i relativi costi? (cfr. Com. Tamrel 3558 - 18.4.96)"},
    {41,
     "Il Cda vigila sul generale andamento della gestione, con particolare attenzione alle situazioni di conflitto di interessi, tenendo in considerazione, in particolare, le informazioni ricevute dal comitato esecutivo, dagli amministratori delegati e dal comitato per il controllo interno, nonché confrontando periodicamente i risultati conseguiti con quelli programmati?"},
    {45,
     "Il Comitato esecutivo e/o gli amministratori delegati rendono periodicamente conto al Cda delle attività svolte nell'esercizio delle deleghe?"},
    {53,
     "La valutazione circa l'adeguatezza delle informazioni rese dagli amministratori nella relazione sulla gestione sulle operazioni atipiche e/o inusuali, così come indicato nelle Comunicazioni Tamrel in materia di controlli societari?"},
    {59,
     "Le indicazioni sulla presenza ovvero l'assenza di ulteriori incarichi conferiti alla società di revisione ed i relativi costi?"},
    {60,
     "Le indicazioni sulla presenza ovvero l'assenza di incarichi conferiti a soggetti legati alla società incaricata della revisione da rapporti continuativi ed i relativi costi?"},
};

struct IntervalloApertura
{
    int da;
    int a;
    AperturaNotaV11 apertura;
};

const IntervalloApertura aperture[] = {
    {0, 3, AperturaNotaV11::SuSI},      {6, 7, AperturaNotaV11::SuNO},
    {11, 16, AperturaNotaV11::SuSI},    {18, 18, AperturaNotaV11::SuSI},
    {20, 20, AperturaNotaV11::SuSIoNO}, {21, 21, AperturaNotaV11::SuNO},
    {22, 22, AperturaNotaV11::SuSIoNO}, {23, 23, AperturaNotaV11::SuNO},
    {24, 24, AperturaNotaV11::SuSIoNO}, {26, 26, AperturaNotaV11::SuSIoNO},
    {28, 28, AperturaNotaV11::SuSIoNO}, {43, 43, AperturaNotaV11::SuSI},
    {48, 71, AperturaNotaV11::SuNO},
};

Catalogo costruisciCatalogoV11()
{
    Catalogo c = profilo(Modello::Tradizionale).catalogo;
    // Without the rows 72 to 81 each page holds its groups in index order, the two headings of page 1
    // before groups 0 and 4.
    for (int indice = numeroGruppiV11; indice < numeroIndici; ++indice) {
        for (PaginaCatalogo& pagina : c.pagine)
            pagina.righe.removeIf([indice](const RigaPagina& r) { return r.indice == indice; });
        c.domande[indice] = Domanda{};
        c.domande[indice].indice = indice;
    }
    for (const TestoV11& t : testiV11)
        c.domande[t.gruppo].testo = QString::fromUtf8(t.testo);
    c.domande[16].offreNA = true;
    c.domande[48].etichettaNota = QStringLiteral("Nota 10.a");
    return c;
}

} // namespace

const Catalogo& catalogoV11()
{
    static const Catalogo catalogo = costruisciCatalogoV11();
    return catalogo;
}

AperturaNotaV11 aperturaNotaV11(int gruppo)
{
    for (const IntervalloApertura& i : aperture) {
        if (gruppo >= i.da && gruppo <= i.a)
            return i.apertura;
    }
    return AperturaNotaV11::SoloConTesto;
}
