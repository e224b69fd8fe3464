#pragma once

#include "app/iconanotifica.h"

#include <memory>

class QMenu;
class QWidget;

// A window's life in the desktop's notification area: its icon, the pop-up menu the icon opens (headed by
// "Ripristina" and a separator; the window adds its commands), and hiding to the icon when minimised. Without
// a notification area the window stays an ordinary minimised window, so that it can always be reached.
class VassoioFinestra : public QObject
{
    Q_OBJECT

public:
    // A null `icona` gives the platform's, with the window's icon.
    VassoioFinestra(QWidget& finestra, std::unique_ptr<IconaNotifica> icona);
    ~VassoioFinestra() override;

    IconaNotifica& icona() const { return *m_icona; }
    QMenu* menu() const { return m_menu; }

    // Adds the icon unless it is there already.
    void aggiungi(const QString& suggerimento);
    void rimuovi();
    // Brings the window back from its icon, or from minimised, to the front.
    void ripristina();

Q_SIGNALS:
    // Minimised, the window has gone to its icon.
    void nascosta();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void mostraMenu();

    QWidget& m_finestra;
    std::unique_ptr<IconaNotifica> m_icona;
    QMenu* m_menu = nullptr;
    bool m_presente = false;
};
