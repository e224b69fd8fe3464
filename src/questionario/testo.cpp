#include "questionario/testo.h"

QString normalizzaACapo(const QString& testo)
{
    // Qt's searches go through the text many characters at a time; a text without CR or LF is not copied.
    QString risultato = testo;
    risultato.remove(u'\r');
    risultato.replace(u'\n', QStringLiteral("\r\n"));
    return risultato;
}

QString aCapoDaFile(const QString& testo)
{
    const QStringView t(testo);
    const qsizetype n = t.size();
    // Up to the first line break that is not CR LF, nothing changes: line breaks are found by Qt's searches,
    // many characters at a time.
    qsizetype i = 0;
    while (i < n) {
        const qsizetype cr = t.indexOf(u'\r', i);
        const qsizetype lf = t.sliced(i, (cr < 0 ? n : cr) - i).indexOf(u'\n');
        if (lf >= 0) {
            i += lf; // a lone LF
            break;
        }
        if (cr < 0) {
            i = n;
            break;
        }
        if (cr + 1 == n || t[cr + 1] != u'\n') {
            i = cr; // a lone CR
            break;
        }
        i = cr + 2;
    }
    if (i == n)
        return testo;
    const QChar* const inizio = testo.constData();
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
