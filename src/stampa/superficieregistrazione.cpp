#include "stampa/superficieregistrazione.h"

QString nomeOperazione(OperazioneStampa::Tipo tipo)
{
    switch (tipo) {
    case OperazioneStampa::Tipo::Testo:
        return QStringLiteral("testo");
    case OperazioneStampa::Tipo::NuovaPagina:
        return QStringLiteral("nuovaPagina");
    case OperazioneStampa::Tipo::Fine:
        return QStringLiteral("fine");
    }
    return {};
}

void SuperficieRegistrazione::impostaScala(double, double)
{
    // The fixed metric is already in units: the scale changes nothing.
}

void SuperficieRegistrazione::impostaCarattere(const QString&, double dimensione, bool grassetto)
{
    m_dimensione = dimensione;
    m_grassetto = grassetto;
}

double SuperficieRegistrazione::larghezzaTesto(QStringView testo) const
{
    // A character written as two UTF-16 units is still one character.
    qsizetype caratteri = testo.size();
    for (QChar c : testo) {
        if (c.isLowSurrogate())
            --caratteri;
    }
    return larghezzaCarattere * m_dimensione * static_cast<double>(caratteri);
}

void SuperficieRegistrazione::stampaTesto(const QString& testo)
{
    OperazioneStampa operazione;
    operazione.x = m_x;
    operazione.y = m_y;
    operazione.testo = testo;
    operazione.dimensione = m_dimensione;
    operazione.grassetto = m_grassetto;
    m_operazioni.append(std::move(operazione));
    m_x = 0;
    m_y += altezzaRiga * m_dimensione;
}

void SuperficieRegistrazione::nuovaPagina()
{
    OperazioneStampa operazione;
    operazione.tipo = OperazioneStampa::Tipo::NuovaPagina;
    m_operazioni.append(operazione);
    m_x = 0;
    m_y = 0;
}

void SuperficieRegistrazione::fine()
{
    OperazioneStampa operazione;
    operazione.tipo = OperazioneStampa::Tipo::Fine;
    m_operazioni.append(operazione);
}
