#pragma once

#include <QByteArray>
#include <QIODevice>

// A write-only device that accepts the first `capacita` bytes and then fails, as a full disk does. With
// `Parziale`, the write that crosses the limit writes what still fits and returns that shorter count; with
// `Errore`, it writes nothing and returns -1. Every later write returns -1.
class DispositivoCheFallisce : public QIODevice
{
public:
    enum class Fallimento
    {
        Parziale,
        Errore
    };

    DispositivoCheFallisce(qint64 capacita, Fallimento fallimento);

    const QByteArray& ricevuti() const { return m_ricevuti; }
    int scrittureFallite() const { return m_scrittureFallite; }

protected:
    qint64 readData(char* dati, qint64 massimo) override;
    qint64 writeData(const char* dati, qint64 dimensione) override;

private:
    qint64 m_capacita;
    Fallimento m_fallimento;
    QByteArray m_ricevuti;
    int m_scrittureFallite = 0;
};
