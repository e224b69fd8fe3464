#include "questionario/testo.h"

QString normalizzaACapo(const QString& testo)
{
    QString risultato;
    risultato.reserve(testo.size() + testo.size() / 16);
    for (QChar c : testo) {
        if (c == u'\r')
            continue;
        if (c == u'\n')
            risultato.append(u'\r');
        risultato.append(c);
    }
    return risultato;
}

QString troncaSenzaSpezzare(const QString& testo, qsizetype massimo)
{
    if (testo.size() <= massimo)
        return testo;
    if (massimo > 0 && testo.at(massimo - 1).isHighSurrogate())
        --massimo;
    return testo.left(massimo);
}

bool soloSpazi(const QString& testo)
{
    for (QChar c : testo) {
        if (c.unicode() > 32)
            return false;
    }
    return true;
}
