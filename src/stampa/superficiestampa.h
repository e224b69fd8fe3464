#pragma once

#include <QString>
#include <QStringView>

// What the printed report needs of a printer: a page in user units, one font at a time and a current
// position. Positions and widths are in the units of the page scale; x grows to the right, y downwards.
class SuperficieStampa
{
public:
    virtual ~SuperficieStampa() = default;

    // The printable page becomes `larghezza` x `altezza` units.
    virtual void impostaScala(double larghezza, double altezza) = 0;
    // `dimensione` in points.
    virtual void impostaCarattere(const QString& nome, double dimensione, bool grassetto) = 0;

    virtual double x() const = 0;
    virtual double y() const = 0;
    virtual void impostaX(double x) = 0;
    virtual void impostaY(double y) = 0;

    // Width of a string in the current font, in units.
    virtual double larghezzaTesto(QStringView testo) const = 0;
    // Prints at the current position (the top of the line at y); afterwards y is one line of the current font
    // lower and x is 0.
    virtual void stampaTesto(const QString& testo) = 0;
    virtual void nuovaPagina() = 0;
    // Ends the document and hands it over (to the spooler, to the file).
    virtual void fine() = 0;

    // True once the printer has failed. The report asks before every line and stops at once, silently:
    // nothing printed after a failure would reach the paper anyway.
    virtual bool inErrore() const = 0;
};
