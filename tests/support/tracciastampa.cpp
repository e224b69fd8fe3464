#include "support/tracciastampa.h"

#include "stampa/superficieregistrazione.h"

namespace {

QString testoLeggibile(const QString& testo)
{
    if (testo.size() > 1 && (testo.front() == u'.' || testo.front() == u'_') &&
        testo.count(testo.front()) == testo.size())
        return testo.front() + QStringLiteral("×") + QString::number(testo.size());
    return testo;
}

} // namespace

QStringList tracciaStampa(const SuperficieRegistrazione& superficie)
{
    QStringList righe;
    for (const OperazioneStampa& o : superficie.operazioni()) {
        if (o.tipo != OperazioneStampa::Tipo::Testo) {
            righe << nomeOperazione(o.tipo);
            continue;
        }
        righe << QStringLiteral("%1 %2 %3%4|%5")
                     .arg(o.x, 0, 'f', 2)
                     .arg(o.y, 0, 'f', 2)
                     .arg(o.dimensione)
                     .arg(o.grassetto ? QStringLiteral("g") : QString())
                     .arg(testoLeggibile(o.testo));
    }
    return righe;
}

QStringList tracciaDa(const QStringList& traccia, const QString& testo, int quante)
{
    for (qsizetype i = 0; i < traccia.size(); ++i) {
        if (traccia.at(i).endsWith(u'|' + testo))
            return traccia.mid(i, quante);
    }
    return {};
}
