#pragma once

#include "stampa/superficiestampa.h"

#include <QList>
#include <QString>

// One operation that reaches the page, as the recording surface keeps it.
struct OperazioneStampa
{
    enum class Tipo
    {
        Testo,
        NuovaPagina,
        Fine
    };

    Tipo tipo = Tipo::Testo;
    // Only for Testo: where the string was printed, and in which font.
    double x = 0;
    double y = 0;
    QString testo;
    double dimensione = 0;
    bool grassetto = false;
};

Q_DECLARE_TYPEINFO(OperazioneStampa, Q_RELOCATABLE_TYPE);

// "testo", "nuovaPagina", "fine": the operation's name in the command line's output.
QString nomeOperazione(OperazioneStampa::Tipo tipo);

// A surface with a fixed metric that records what is printed, for tests and the command line: whatever the
// character and the weight, a character is 0.18 x size units wide and a line 0.42 x size units high.
class SuperficieRegistrazione : public SuperficieStampa
{
public:
    static constexpr double larghezzaCarattere = 0.18;
    static constexpr double altezzaRiga = 0.42;

    const QList<OperazioneStampa>& operazioni() const { return m_operazioni; }

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
    bool inErrore() const override { return false; }

private:
    QList<OperazioneStampa> m_operazioni;
    double m_x = 0;
    double m_y = 0;
    double m_dimensione = 10;
    bool m_grassetto = false;
};
