#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

class Questionario;
class StatoFinestra;

// The recovery copy of a model's questionnaire, so that a crash or a power cut costs at most the last half
// minute of typing. While there are edits it does not hold yet, the copy is written with the program's own
// writer (the questionnaire file's format, replaced whole or not at all) into one file per model in the
// user's application data folder: once the interval after the first edit since the last write has run out,
// so that a burst of edits writes once, and at once when the window is hidden to the tray. A save, a read or
// a clean exit removes it. Writing it never disturbs the user: a failure says nothing and leaves the
// previous copy.
class CopiaRecupero : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds intervalloPredefinito{30000};

    // What the note window holds and has not stored yet: the note of group `indice`, or the requirements of
    // member row `riga` (the other one is -1). The copy carries it as "Fine" would store it.
    struct NotaInCorso
    {
        int indice = -1;
        int riga = -1;
        QString testo;
    };
    using FonteNotaInCorso = std::function<std::optional<NotaInCorso>()>;

    CopiaRecupero(Questionario& questionario, StatoFinestra& stato, QObject* parent = nullptr);

    // By default the user's application data folder.
    const QString& cartella() const { return m_cartella; }
    void setCartella(const QString& cartella) { m_cartella = cartella; }
    void setIntervallo(std::chrono::milliseconds intervallo) { m_timer.setInterval(intervallo); }
    void setFonteNotaInCorso(FonteNotaInCorso fonte) { m_fonteNota = std::move(fonte); }
    QString percorso() const;
    // A write is due when the interval runs out.
    bool inAttesa() const { return m_timer.isActive(); }

    // The text being typed in the note window changed.
    void notaInCorsoCambiata() { modificato(); }
    // Writes the copy now if it lags behind the questionnaire.
    void scriviSubito();
    // Opening the model: a copy left by a run that did not end cleanly is offered back, with the day and time
    // it was written. "Sì" reads it in and leaves the questionnaire unsaved (it is not the user's file);
    // "No" deletes it.
    void offriRipristino();

Q_SIGNALS:
    void scritta();

private:
    void modificato();
    void rimuovi();

    Questionario& m_q;
    StatoFinestra& m_stato;
    QString m_cartella;
    QTimer m_timer;
    FonteNotaInCorso m_fonteNota;
    bool m_daScrivere = false;
    // The copy's own brief changes to the questionnaire (the note being typed, put in and taken out) are no
    // edits.
    bool m_inScrittura = false;
};
