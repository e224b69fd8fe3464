#include "stampa/grafica/superficiepittore.h"

#include <QFileDevice>
#include <QPagedPaintDevice>

SuperficiePittore::SuperficiePittore(QPagedPaintDevice& dispositivo, const QFileDevice* uscita)
    : m_dispositivo(dispositivo), m_uscita(uscita)
{
    m_errore = !m_pittore.begin(&m_dispositivo);
}

SuperficiePittore::~SuperficiePittore()
{
    if (m_pittore.isActive())
        m_pittore.end();
}

void SuperficiePittore::impostaScala(double larghezza, double altezza)
{
    // The painter keeps device pixels: a scaled painter would scale the fonts too.
    m_scalaX = m_dispositivo.width() / larghezza;
    m_scalaY = m_dispositivo.height() / altezza;
}

void SuperficiePittore::impostaCarattere(const QString& nome, double dimensione, bool grassetto)
{
    QFont carattere(nome);
    carattere.setStyleHint(QFont::SansSerif); // the platform's sans-serif where the font is missing
    carattere.setPointSizeF(dimensione);
    carattere.setBold(grassetto);
    if (m_metriche && carattere == m_carattere)
        return;
    m_carattere = carattere;
    m_metriche.emplace(m_carattere, &m_dispositivo);
    if (m_pittore.isActive())
        m_pittore.setFont(m_carattere);
}

double SuperficiePittore::larghezzaTesto(QStringView testo) const
{
    if (!m_metriche)
        return 0;
    return m_metriche->horizontalAdvance(testo.toString()) / m_scalaX;
}

void SuperficiePittore::stampaTesto(const QString& testo)
{
    if (!m_metriche || inErrore())
        return;
    // The current y is the top of the line.
    m_pittore.drawText(QPointF(m_x * m_scalaX, m_y * m_scalaY + m_metriche->ascent()), testo);
    m_x = 0;
    m_y += m_metriche->lineSpacing() / m_scalaY;
}

void SuperficiePittore::nuovaPagina()
{
    if (!inErrore() && !m_dispositivo.newPage())
        m_errore = true;
    m_x = 0;
    m_y = 0;
}

void SuperficiePittore::fine()
{
    if (m_pittore.isActive() && !m_pittore.end())
        m_errore = true;
}

bool SuperficiePittore::inErrore() const
{
    return m_errore || (m_uscita && m_uscita->error() != QFileDevice::NoError);
}
