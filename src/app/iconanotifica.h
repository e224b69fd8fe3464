#pragma once

#include <QObject>
#include <QString>

// The icon of a window in the desktop's notification area. One per window, from its load until the program
// ends; a left-button release on it asks for the window's pop-up menu.
class IconaNotifica : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The tip shows at most this many characters of the title.
    static constexpr int lunghezzaMassimaSuggerimento = 63;

    // Adds the icon; false when the desktop has no notification area (the window works on without it).
    virtual bool aggiungiIcona(const QString& suggerimento) = 0;
    virtual void rimuoviIcona() = 0;

Q_SIGNALS:
    // Left button released on the icon (the second release of a double click too).
    void menuRichiesto();
};
