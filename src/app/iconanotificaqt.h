#pragma once

#include "app/iconanotifica.h"

#include <QSystemTrayIcon>

// Whether an activation of the tray icon asks for the pop-up menu: the left button and the double click do,
// the right and middle buttons do not.
bool attivazioneApreMenu(QSystemTrayIcon::ActivationReason motivo);

class IconaNotificaQt : public IconaNotifica
{
    Q_OBJECT

public:
    IconaNotificaQt(const QIcon& icona, QObject* parent = nullptr);

    bool aggiungiIcona(const QString& suggerimento) override;
    void rimuoviIcona() override;
    QString suggerimento() const { return m_icona.toolTip(); }

private:
    QSystemTrayIcon m_icona;
};
