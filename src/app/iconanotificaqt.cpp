#include "app/iconanotificaqt.h"

bool attivazioneApreMenu(QSystemTrayIcon::ActivationReason motivo)
{
    return motivo == QSystemTrayIcon::Trigger || motivo == QSystemTrayIcon::DoubleClick;
}

IconaNotificaQt::IconaNotificaQt(const QIcon& icona, QObject* parent) : IconaNotifica(parent), m_icona(icona)
{
    // No context menu is set: the right button does nothing, the left one pops up the window's menu.
    connect(&m_icona, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason motivo) {
        if (attivazioneApreMenu(motivo))
            Q_EMIT menuRichiesto();
    });
}

bool IconaNotificaQt::aggiungiIcona(const QString& suggerimento)
{
    m_icona.setToolTip(suggerimento.left(lunghezzaMassimaSuggerimento));
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    m_icona.show();
    return m_icona.isVisible();
}

void IconaNotificaQt::rimuoviIcona()
{
    m_icona.hide();
}
