#pragma once

#include "questionario/filtritasti.h"

#include <QClipboard>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QKeyEvent;
class QLineEdit;

// The one way text enters a text box, as the typing rules see it: a key press, or a text that arrives whole
// (a paste, a drop, an input method's commit). Either is turned into the keys it stands for, in order; the
// rules judge those keys.

// One key as the rules judge it: the character code (Backspace 8, Enter 13, the paste key 22, a printable
// character its first UTF-16 unit) and the text it types, empty for the keys that type nothing in a line.
struct Tasto
{
    char16_t codice = 0;
    QString testo;

    friend bool operator==(const Tasto&, const Tasto&) = default;
};

// The keys of a key press: Backspace, Enter, the paste combination, or the characters it types; none for keys
// that type nothing (arrows, Tab, Escape, Ctrl combinations; Ctrl with Alt is AltGr and types).
QList<Tasto> tastiDi(const QKeyEvent& evento);
// The keys an arriving text stands for: one per character; a line break (CR LF, CR or LF) is one Enter; other
// control characters stand for no key and are left out.
QList<Tasto> tastiDi(const QString& testo);

// A key rule: (characters in the box, characters selected, key code) -> accepted / refused / beep.
using RegolaTasti = std::function<EsitoTasto(int lunghezzaTesto, int lunghezzaSelezione, char16_t tasto)>;

struct TestoAccolto
{
    QString testo; // what goes in, in place of the selection
    bool beep = false;
};
// Keys arriving together, judged one after the other on the text as the keys before them left it: the first
// accepted character replaces the selection. Nothing accepted leaves the box as it was.
TestoAccolto accogliTasti(const QList<Tasto>& tasti, int lunghezzaTesto, int lunghezzaSelezione,
                          const RegolaTasti& regola);

// Puts a line edit under a key rule, whichever way its text comes. An event filter on the box judges key
// presses before the box sees them, rewrites an input method's commit to what the rule accepts, and inserts
// only the accepted part of a drop; the paste key, the context menu's "Incolla" (the box's own menu, its
// paste entry rerouted) and the middle-button paste all paste through the same judgement. Qt's own paste,
// reached by none of these, is never called.
class IngressoTesto : public QObject
{
public:
    IngressoTesto(QLineEdit* campo, RegolaTasti regola, std::function<void()> beep);

    // Whether text arriving otherwise than by a typed key is judged; free-text boxes take it as it comes. By
    // default always.
    std::function<bool()> testoGiudicato;
    // Runs on an accepted Enter; true when it has handled the key.
    std::function<bool()> invio;

    // Pastes `modo`'s text through the rule.
    void incolla(QClipboard::Mode modo = QClipboard::Clipboard);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    TestoAccolto accogli(const QString& arrivato, bool sullaSelezione) const;
    bool tasto(QKeyEvent* evento);
    bool menuContestuale(const QPoint& posizione);
    bool giudicato() const { return !testoGiudicato || testoGiudicato(); }

    QLineEdit* m_campo;
    RegolaTasti m_regola;
    std::function<void()> m_beep;
};
