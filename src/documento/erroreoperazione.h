#pragma once

#include <QByteArray>
#include <QString>
#include <exception>
#include <utility>

// An unexpected failure of a command while it runs. The command shows the description, Italian and ready for
// a message box, in its generic error message and leaves everything as it was.
class ErroreOperazione : public std::exception
{
public:
    explicit ErroreOperazione(QString descrizione)
        : m_descrizione(std::move(descrizione)), m_utf8(m_descrizione.toUtf8())
    {}
    const QString& descrizione() const noexcept { return m_descrizione; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_descrizione;
    QByteArray m_utf8;
};
