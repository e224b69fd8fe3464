#pragma once

#include "questionario/interazione.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Questionario;

// A scripted Interazione: records every call in order and answers from queues.
class InterazioneFinta : public Interazione
{
public:
    // Every call as one line, e.g. "messaggio|Errore|<text>", "nota|7", "focus|TEXT_GENERALE_3", "pagina|0".
    QStringList registro;

    struct Messaggio
    {
        QString testo;
        QString titolo;
        Pulsanti pulsanti;
        Icona icona;
    };
    QList<Messaggio> messaggi;

    QQueue<Esito> risposteMessaggi;               // default: Ok, or Si for a Yes/No question
    QQueue<std::optional<QString>> fileDaSalvare; // default: cancelled
    QQueue<std::optional<QString>> fileDaAprire;  // default: cancelled
    QList<FiltroFile> dialoghiFile;

    // What the note editor does when it opens: by default it is closed with the next queued text ("Fine");
    // with no text queued it is closed empty. Set `editorNota` to script anything else.
    Questionario* questionario = nullptr;
    QQueue<QString> testiNota;
    std::function<void(int indice)> editorNota;
    std::function<void(int riga)> editorNotaMembro;

    // The printer the dialog gives: with none, the dialog is cancelled.
    SuperficieStampa* stampante = nullptr;

    int beepSuonati = 0;
    int terminazioni = 0;

    Esito messaggio(const QString& testo, const QString& titolo, Pulsanti pulsanti, Icona icona) override;
    std::optional<QString> chiediFileDaSalvare(const FiltroFile& dialogo) override;
    std::optional<QString> chiediFileDaAprire(const FiltroFile& dialogo) override;
    void beep() override;
    void stampa(const std::function<bool(SuperficieStampa&)>& disegno, const QString& titolo) override;
    void apriNotaGruppo(int indice) override;
    void apriNotaMembro(int riga) override;
    void mostraPagina(int pagina) override;
    void ripristinaFinestra() override;
    void spostaFocus(const QString& nomeControllo) override;
    void impostaTitolo(const QString& titolo) override;
    void terminaProgramma() override;

    QStringList chiamate(const QString& tipo) const;
};
