#include "legacy/contenutov11.h"

#include "questionario/testo.h"

void pulisciModuloV11(ContenutoV11& contenuto)
{
    contenuto.campiGenerali.fill(QString());
    contenuto.minoranze.fill(false);
    contenuto.risposte.fill(Risposta::Nessuna);
    contenuto.segniNota.fill(false);
}

bool notaApribileV11(const ContenutoV11& contenuto, int gruppo)
{
    if (!gruppoValidoV11(gruppo))
        return false;
    if (contenuto.segniNota[gruppo])
        return true;
    const Risposta risposta = contenuto.risposte[gruppo];
    switch (aperturaNotaV11(gruppo)) {
    case AperturaNotaV11::SuSI:
        return risposta == Risposta::SI;
    case AperturaNotaV11::SuNO:
        return risposta == Risposta::NO;
    case AperturaNotaV11::SuSIoNO:
        return risposta == Risposta::SI || risposta == Risposta::NO;
    case AperturaNotaV11::SoloConTesto:
        break;
    }
    return false;
}

namespace {

// Works for the content and for its constant view alike.
template <typename Contenuto> auto& slotNota(Contenuto& contenuto, int gruppo)
{
    return contenuto.risposte[gruppo] == Risposta::SI ? contenuto.noteSIV11[gruppo]
                                                      : contenuto.noteAltreV11[gruppo];
}

} // namespace

QString testoNotaV11(const ContenutoV11& contenuto, int gruppo)
{
    if (!gruppoValidoV11(gruppo))
        return {};
    return normalizzaACapo(slotNota(contenuto, gruppo));
}

void cancellaNotaV11(ContenutoV11& contenuto, int gruppo)
{
    if (gruppoValidoV11(gruppo))
        slotNota(contenuto, gruppo).clear();
}

void fineNotaV11(ContenutoV11& contenuto, int gruppo, const QString& testo)
{
    if (!gruppoValidoV11(gruppo))
        return;
    const bool vuota = soloSpazi(testo);
    slotNota(contenuto, gruppo) = vuota ? QString() : testo;
    contenuto.segniNota[gruppo] = !vuota;
}
