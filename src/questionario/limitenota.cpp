#include "questionario/limitenota.h"

#include "questionario/filtritasti.h"

bool LimiteNota::testoCambiato(int lunghezza)
{
    if (lunghezza <= lunghezzaMassima) {
        m_avvisoLunghezza = false;
        return false;
    }
    if (!m_avvisoLunghezza)
        m_interazione.messaggio(testoAvvisoLunghezza, titoloAvvisoLunghezza, Interazione::Pulsanti::Ok,
                                Interazione::Icona::Informazione);
    // Set before the cut, whose intermediate changes (if the window reports any) must stay silent.
    m_avvisoLunghezza = true;
    return true;
}

bool LimiteNota::tastoPremuto(char16_t tasto, int lunghezzaTesto)
{
    if (tasto == tastoSempreScartato)
        return false;
    if (tasto != tastoInvio && tasto != tastoIndietro && lunghezzaTesto > lunghezzaPerTasti) {
        m_interazione.messaggio(testoMassimoRaggiunto, titoloMassimoRaggiunto, Interazione::Pulsanti::Ok,
                                Interazione::Icona::Nessuna);
        return false;
    }
    return true;
}
