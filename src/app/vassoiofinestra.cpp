#include "app/vassoiofinestra.h"

#include "app/iconanotificaqt.h"

#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

VassoioFinestra::VassoioFinestra(QWidget& finestra, std::unique_ptr<IconaNotifica> icona)
    : QObject(&finestra), m_finestra(finestra), m_icona(std::move(icona))
{
    if (!m_icona)
        m_icona = std::make_unique<IconaNotificaQt>(finestra.windowIcon());
    m_menu = new QMenu(QStringLiteral("HIDE"), &finestra);
    m_menu->setObjectName(QStringLiteral("MENU_HIDE"));
    m_menu->addAction(QStringLiteral("Ripristina"), this, &VassoioFinestra::ripristina)
        ->setObjectName(QStringLiteral("MENU_RIPRISTINA"));
    m_menu->addSeparator()->setObjectName(QStringLiteral("MENU_SEP"));
    connect(m_icona.get(), &IconaNotifica::menuRichiesto, this, &VassoioFinestra::mostraMenu);
    finestra.installEventFilter(this);
}

VassoioFinestra::~VassoioFinestra() = default;

void VassoioFinestra::aggiungi(const QString& suggerimento)
{
    if (!m_presente)
        m_presente = m_icona->aggiungiIcona(suggerimento);
}

void VassoioFinestra::rimuovi()
{
    m_icona->rimuoviIcona();
    m_presente = false;
}

void VassoioFinestra::ripristina()
{
    m_finestra.setWindowState(m_finestra.windowState() & ~Qt::WindowMinimized);
    m_finestra.showNormal();
    m_finestra.raise();
    m_finestra.activateWindow();
}

void VassoioFinestra::mostraMenu()
{
    m_finestra.raise();
    m_finestra.activateWindow();
    m_menu->popup(QCursor::pos());
}

bool VassoioFinestra::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == &m_finestra && evento->type() == QEvent::WindowStateChange && m_finestra.isMinimized() &&
        m_presente) {
        QTimer::singleShot(0, &m_finestra, &QWidget::hide);
        Q_EMIT nascosta();
    }
    return false;
}
