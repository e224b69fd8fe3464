#pragma once

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>

// Widget tests only: the core's tests link no widgets, so this stays in the header.

// The ways text reaches a line edit besides typed keys, as a user brings it there.
enum class Arrivo
{
    Incolla,  // Ctrl+V, from the clipboard
    Menu,     // the box's context menu, its paste entry, from the clipboard
    Rilascio, // dragged from elsewhere and dropped on the box
    Metodo    // an input method's commit
};
Q_DECLARE_METATYPE(Arrivo)

inline void faiArrivare(QLineEdit* campo, Arrivo modo, const QString& testo)
{
    switch (modo) {
    case Arrivo::Incolla:
        QGuiApplication::clipboard()->setText(testo);
        QTest::keyClick(campo, Qt::Key_V, Qt::ControlModifier);
        break;
    case Arrivo::Menu: {
        QGuiApplication::clipboard()->setText(testo);
        const QPoint punto = campo->rect().center();
        QContextMenuEvent richiesta(QContextMenuEvent::Mouse, punto, campo->mapToGlobal(punto));
        QCoreApplication::sendEvent(campo, &richiesta);
        QMenu* menu = campo->findChildren<QMenu*>().value(0);
        QVERIFY(menu);
        const QString voce = QCoreApplication::translate("QLineEdit", "&Paste");
        for (QAction* azione : menu->actions()) {
            if (azione->text().section(u'\t', 0, 0) == voce)
                azione->trigger();
        }
        menu->close();
        delete menu;
        break;
    }
    case Arrivo::Rilascio: {
        QMimeData dati;
        dati.setText(testo);
        // As a real drag: the drop follows only where the box took the drag on entering.
        QDragEnterEvent entrata(campo->rect().center(), Qt::CopyAction, &dati, Qt::LeftButton,
                                Qt::NoModifier);
        QCoreApplication::sendEvent(campo, &entrata);
        if (!entrata.isAccepted())
            break;
        QDropEvent rilascio(QPointF(campo->rect().center()), Qt::CopyAction, &dati, Qt::LeftButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(campo, &rilascio);
        break;
    }
    case Arrivo::Metodo: {
        QInputMethodEvent commit;
        commit.setCommitString(testo);
        QCoreApplication::sendEvent(campo, &commit);
        break;
    }
    }
}
