#pragma once

#include "stampa/superficiestampa.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <optional>

class QFileDevice;
class QPagedPaintDevice;

// The report's surface on a QPainter over a paged device (a QPrinter, a QPdfWriter): the printable page is
// scaled to the units of the report, the widths and the line height come from the font's real metrics.
class SuperficiePittore : public SuperficieStampa
{
public:
    // Starts painting. `uscita`, when given, is the file the device writes to: once it reports an error,
    // the surface is in error too.
    explicit SuperficiePittore(QPagedPaintDevice& dispositivo, const QFileDevice* uscita = nullptr);
    ~SuperficiePittore() override;

    void impostaScala(double larghezza, double altezza) override;
    void impostaCarattere(const QString& nome, double dimensione, bool grassetto) override;
    double x() const override { return m_x; }
    double y() const override { return m_y; }
    void impostaX(double x) override { m_x = x; }
    void impostaY(double y) override { m_y = y; }
    double larghezzaTesto(QStringView testo) const override;
    void stampaTesto(const QString& testo) override;
    void nuovaPagina() override;
    void fine() override;
    bool inErrore() const override;

private:
    QPagedPaintDevice& m_dispositivo;
    const QFileDevice* m_uscita;
    QPainter m_pittore;
    bool m_errore = false;
    double m_scalaX = 1; // device pixels per unit
    double m_scalaY = 1;
    double m_x = 0;
    double m_y = 0;
    QFont m_carattere;
    std::optional<QFontMetricsF> m_metriche;
};
