#pragma once

#include "questionario/interazione.h"
#include "questionario/questionario.h"

#include <QString>

// The note editor's length limit: the text box never keeps more than 65000 characters. The note window
// forwards its text box's changes and typed keys; this class shows the messages through the port and tells
// the window what to do. Every call is constant time, so it can follow each change of a text of any length.
class LimiteNota
{
public:
    static constexpr int lunghezzaMassima = Questionario::lunghezzaMassimaNota;
    // Typed keys beyond this length are refused (Enter and Backspace excepted).
    static constexpr int lunghezzaPerTasti = lunghezzaMassima - 1;
    static constexpr char16_t tastoSempreScartato = 134;

    static inline const QString testoAvvisoLunghezza =
        QStringLiteral("ATTENZIONE: la lunghezza della stringa inserita è maggiore di 65000:\r\n"
                       "i caratteri in eccesso verranno automaticamente cancellati. Verificare!!!");
    static inline const QString titoloAvvisoLunghezza = QStringLiteral("Warning");
    static inline const QString testoMassimoRaggiunto = QStringLiteral(
        "ATTENZIONE: è stato raggiunto il numero massimo dei caratteri.\r\nOperazione annullata!!!");
    static inline const QString titoloMassimoRaggiunto = titoloApplicazione();

    explicit LimiteNota(Interazione& interazione) : m_interazione(interazione) {}

    // The text box now holds `lunghezza` characters. Returns true when the window must keep only the first
    // lunghezzaMassima characters; the "Warning" message has then been shown, once per overflow.
    // The cut is a change like any other and must be reported here too (do not block the notification): that
    // change fits, and clearing the flag on it is what lets the next overflow warn again.
    bool testoCambiato(int lunghezza);

    // A key about to be typed into a text of `lunghezzaTesto` characters. Returns whether it may be inserted;
    // a key refused at the limit has shown the "Operazione annullata!!!" message.
    bool tastoPremuto(char16_t tasto, int lunghezzaTesto);

    // The over-length message has been shown for the change being cut.
    bool avvisoLunghezza() const { return m_avvisoLunghezza; }

private:
    Interazione& m_interazione;
    bool m_avvisoLunghezza = false;
};
