#include "questionario/filtritasti.h"

#include "modelli/colonnemembri.h"

#include <array>

namespace {

bool cifra(char16_t tasto)
{
    return tasto >= u'0' && tasto <= u'9';
}

// Digits, Backspace and Enter only; with nothing selected the text stops at `massimo` characters.
// `invioAlLimite`: Enter still passes on a full field (it inserts nothing; in a date field it moves on).
EsitoTasto cifreFinoA(int massimo, bool beepAlLimite, int lunghezzaTesto, int lunghezzaSelezione,
                      char16_t tasto, bool invioAlLimite = false)
{
    EsitoTasto esito;
    if (!cifra(tasto) && tasto != tastoIndietro && tasto != tastoInvio)
        esito.accettato = false;
    // Judged on its own: a refused non-digit at the limit beeps as well.
    const bool libero = tasto == tastoIndietro || (invioAlLimite && tasto == tastoInvio);
    if (lunghezzaSelezione == 0 && lunghezzaTesto >= massimo && !libero) {
        esito.accettato = false;
        esito.beep = beepAlLimite;
    }
    return esito;
}

} // namespace

EsitoTasto tastoCampoGenerale(int campo, int lunghezzaTesto, int lunghezzaSelezione, char16_t tasto)
{
    switch (campo) {
    case 1: {
        // The tax code ignores the selection: 11 characters are a hard stop.
        if (tasto == tastoIndietro || tasto == tastoInvio)
            return {};
        const bool accettato = cifra(tasto) && lunghezzaTesto < 11;
        return {accettato, !accettato && lunghezzaTesto >= 11};
    }
    case 2:
    case 3:
    case 34:
    case 35:
        return cifreFinoA(2, false, lunghezzaTesto, lunghezzaSelezione, tasto, true);
    case 4:
    case 36:
        return cifreFinoA(4, false, lunghezzaTesto, lunghezzaSelezione, tasto, true);
    case 6:
        return {cifra(tasto) || tasto == tastoIndietro || tasto == tastoInvio, false};
    case 33:
    case 62:
    case 63:
    case 64:
    case 65:
        return cifreFinoA(3, true, lunghezzaTesto, lunghezzaSelezione, tasto);
    default:
        return {};
    }
}

int campoSuccessivoSuInvio(int campo)
{
    // Only the literal next index; 7 has none (8 is not a general field) and 36 ends the date.
    if ((campo >= 0 && campo < 7) || (campo >= 33 && campo <= 35))
        return campo + 1;
    return -1;
}

EsitoTasto tastoConteggioRiquadroII(int lunghezzaTesto, int lunghezzaSelezione, char16_t tasto)
{
    return cifreFinoA(3, true, lunghezzaTesto, lunghezzaSelezione, tasto);
}

EsitoTasto tastoCellaMembri(Modello modello, int colonna, int lunghezzaTesto, char16_t tasto)
{
    const LayoutMembri& layout = layoutMembri(modello);
    if (colonna == layout.colonnaCodiceFiscale) {
        const bool accettato =
            tasto != u' ' && (tasto == tastoIndietro || tasto == tastoInvio || lunghezzaTesto <= 15);
        // A space on a short text is dropped without a sound.
        return {accettato, !accettato && lunghezzaTesto >= 16};
    }
    if (layout.colonnaConteggio(colonna)) {
        if (tasto == tastoIndietro || tasto == tastoInvio)
            return {};
        const bool accettato = cifra(tasto) && lunghezzaTesto <= 2;
        return {accettato, !accettato && lunghezzaTesto >= 3};
    }
    return {};
}

bool campoConZeroIniziale(int campo)
{
    return campo == 2 || campo == 3 || campo == 34 || campo == 35;
}

QString conZeroIniziale(int campo, const QString& testo)
{
    if (campoConZeroIniziale(campo) && testo.size() == 1)
        return QStringLiteral("0") + testo;
    return testo;
}

EsitoMinoranze controllaElettoMinoranze(const QString& testo)
{
    const QString maiuscolo = testo.toUpper();
    if (!testo.isEmpty() && maiuscolo != u"SI" && maiuscolo != u"NO")
        return {false, QString()};
    return {true, maiuscolo};
}
