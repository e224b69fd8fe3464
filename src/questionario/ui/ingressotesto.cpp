#include "questionario/ui/ingressotesto.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

QList<Tasto> tastiDi(const QKeyEvent& evento)
{
    if (evento.matches(QKeySequence::Paste))
        return {{tastoIncolla, {}}};
    switch (evento.key()) {
    case Qt::Key_Backspace:
        return {{tastoIndietro, {}}};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {{tastoInvio, {}}};
    default:
        break;
    }
    const Qt::KeyboardModifiers modificatori = evento.modifiers();
    if (modificatori.testAnyFlags(Qt::ControlModifier | Qt::MetaModifier) &&
        !modificatori.testFlag(Qt::AltModifier))
        return {};
    return tastiDi(evento.text());
}

QList<Tasto> tastiDi(const QString& testo)
{
    QList<Tasto> tasti;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo.at(i);
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < testo.size() && testo.at(i + 1) == u'\n')
                ++i;
            tasti.append(Tasto{tastoInvio, {}});
        } else if (c.isHighSurrogate() && i + 1 < testo.size() && testo.at(i + 1).isLowSurrogate()) {
            tasti.append(Tasto{c.unicode(), testo.mid(i, 2)});
            ++i;
        } else if (c.isPrint() || c.isSurrogate()) {
            tasti.append(Tasto{c.unicode(), QString(c)});
        }
    }
    return tasti;
}

TestoAccolto accogliTasti(const QList<Tasto>& tasti, int lunghezzaTesto, int lunghezzaSelezione,
                          const RegolaTasti& regola)
{
    TestoAccolto accolto;
    for (const Tasto& tasto : tasti) {
        const EsitoTasto esito = regola(lunghezzaTesto, lunghezzaSelezione, tasto.codice);
        accolto.beep = accolto.beep || esito.beep;
        if (!esito.accettato || tasto.testo.isEmpty())
            continue;
        accolto.testo += tasto.testo;
        lunghezzaTesto += static_cast<int>(tasto.testo.size()) - lunghezzaSelezione;
        lunghezzaSelezione = 0;
    }
    return accolto;
}

IngressoTesto::IngressoTesto(QLineEdit* campo, RegolaTasti regola, std::function<void()> beep)
    : QObject(campo), m_campo(campo), m_regola(std::move(regola)), m_beep(std::move(beep))
{
    campo->installEventFilter(this);
}

TestoAccolto IngressoTesto::accogli(const QString& arrivato, bool sullaSelezione) const
{
    return accogliTasti(tastiDi(arrivato), static_cast<int>(m_campo->text().size()),
                        sullaSelezione ? static_cast<int>(m_campo->selectedText().size()) : 0, m_regola);
}

void IngressoTesto::incolla(QClipboard::Mode modo)
{
    if (m_campo->isReadOnly())
        return;
    const TestoAccolto accolto = accogli(QGuiApplication::clipboard()->text(modo), true);
    if (accolto.beep && m_beep)
        m_beep();
    if (!accolto.testo.isEmpty())
        m_campo->insert(accolto.testo);
}

bool IngressoTesto::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto != m_campo)
        return false;
    switch (evento->type()) {
    case QEvent::KeyPress:
        return tasto(static_cast<QKeyEvent*>(evento));
    case QEvent::InputMethod: {
        auto* metodo = static_cast<QInputMethodEvent*>(evento);
        if (metodo->commitString().isEmpty() || !giudicato())
            return false;
        const TestoAccolto accolto = accogli(metodo->commitString(), true);
        if (accolto.beep && m_beep)
            m_beep();
        if (accolto.testo != metodo->commitString())
            metodo->setCommitString(accolto.testo, metodo->replacementStart(), metodo->replacementLength());
        return false;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        // A drop inserts at the pointer, leaving the selection alone; a move inside the box brings nothing
        // new.
        auto* rilascio = static_cast<QDropEvent*>(evento);
        if (!giudicato() || rilascio->source() == m_campo || !rilascio->mimeData()->hasText())
            return false;
        const QString arrivato = rilascio->mimeData()->text();
        const TestoAccolto accolto = accogli(arrivato, false);
        if (evento->type() != QEvent::Drop) {
            // The pointer shows at once that nothing would go in.
            if (accolto.testo.isEmpty())
                rilascio->ignore();
            return accolto.testo.isEmpty();
        }
        if (accolto.beep && m_beep)
            m_beep();
        if (accolto.testo == arrivato)
            return false;
        if (accolto.testo.isEmpty() || m_campo->isReadOnly()) {
            rilascio->ignore();
            return true;
        }
        m_campo->setCursorPosition(m_campo->cursorPositionAt(rilascio->position().toPoint()));
        m_campo->insert(accolto.testo);
        rilascio->acceptProposedAction();
        return true;
    }
    case QEvent::ContextMenu:
        return giudicato() && menuContestuale(static_cast<QContextMenuEvent*>(evento)->globalPos());
    case QEvent::MouseButtonRelease: {
        // The middle button pastes the primary selection where the desktop has one.
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        if (mouse->button() != Qt::MiddleButton || !giudicato() ||
            !QGuiApplication::clipboard()->supportsSelection() || m_campo->isReadOnly())
            return false;
        m_campo->deselect();
        incolla(QClipboard::Selection);
        return true;
    }
    default:
        return false;
    }
}

bool IngressoTesto::tasto(QKeyEvent* evento)
{
    const QList<Tasto> tasti = tastiDi(*evento);
    if (tasti.isEmpty())
        return false;
    const Tasto& primo = tasti.constFirst();
    if (tasti.size() == 1 && primo.testo.isEmpty()) {
        const EsitoTasto esito = m_regola(static_cast<int>(m_campo->text().size()),
                                          static_cast<int>(m_campo->selectedText().size()), primo.codice);
        if (esito.beep && m_beep)
            m_beep();
        if (!esito.accettato)
            return true;
        if (primo.codice == tastoIncolla && giudicato()) {
            incolla();
            return true;
        }
        return primo.codice == tastoInvio && invio && invio();
    }
    // Typed characters; one key types one, and goes in through the box's own handling when accepted.
    const TestoAccolto accolto = accogli(evento->text(), true);
    if (accolto.beep && m_beep)
        m_beep();
    if (accolto.testo == evento->text())
        return false;
    if (!accolto.testo.isEmpty())
        m_campo->insert(accolto.testo);
    return true;
}

bool IngressoTesto::menuContestuale(const QPoint& posizione)
{
    QMenu* menu = m_campo->createStandardContextMenu();
    if (!menu)
        return false;
    // The box's own menu, in the program's language; only its paste entry is taken over.
    const QString incollaVoce = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* azione : menu->actions()) {
        if (azione->text() == incollaVoce || azione->text().startsWith(incollaVoce + u'\t')) {
            disconnect(azione, &QAction::triggered, nullptr, nullptr);
            connect(azione, &QAction::triggered, this, [this] { incolla(); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(posizione);
    return true;
}
