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

QString aCapoDaFile(const QString& testo)
{
    const QChar* const inizio = testo.constData();
    const qsizetype n = testo.size();
    qsizetype i = 0;
    // Up to the first line break that is not CR LF, nothing changes.
    for (; i < n; ++i) {
        if (inizio[i] == u'\r' && i + 1 < n && inizio[i + 1] == u'\n')
            ++i;
        else if (inizio[i] == u'\r' || inizio[i] == u'\n')
            break;
    }
    if (i == n)
        return testo;
    QString risultato;
    risultato.reserve(n + (n - i) / 8 + 1);
    risultato.append(inizio, i);
    for (; i < n; ++i) {
        const QChar c = inizio[i];
        if (c == u'\r' || c == u'\n') {
            risultato.append(u"\r\n");
            if (c == u'\r' && i + 1 < n && inizio[i + 1] == u'\n')
                ++i;
        } else {
            risultato.append(c);
        }
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
