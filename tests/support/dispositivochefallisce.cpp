#include "support/dispositivochefallisce.h"

DispositivoCheFallisce::DispositivoCheFallisce(qint64 capacita, Fallimento fallimento)
    : m_capacita(capacita), m_fallimento(fallimento)
{}

qint64 DispositivoCheFallisce::readData(char*, qint64)
{
    return -1;
}

qint64 DispositivoCheFallisce::writeData(const char* dati, qint64 dimensione)
{
    const qint64 spazio = m_capacita - m_ricevuti.size();
    if (dimensione <= spazio) {
        m_ricevuti.append(dati, dimensione);
        return dimensione;
    }
    ++m_scrittureFallite;
    setErrorString(QStringLiteral("spazio esaurito"));
    if (m_fallimento == Fallimento::Parziale && spazio > 0) {
        m_ricevuti.append(dati, spazio);
        return spazio;
    }
    return -1;
}
