#pragma once

#include "questionario/interazione.h"

#include <QPointer>
#include <QWidget>
#include <functional>

// The real Interazione: Qt dialogs, modal to the model window, and actions on that window's controls,
// found by objectName.
class InterazioneQt : public Interazione
{
public:
    explicit InterazioneQt(QWidget* finestra) : m_finestra(finestra) {}

    // Set by the window once the note editor and the exit sequence exist.
    std::function<void(int indice)> editorNotaGruppo;
    std::function<void(int riga)> editorNotaMembro;
    std::function<void()> termina;

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

private:
    QPointer<QWidget> m_finestra;
};

// Scrolls the page holding `controllo` just as far as it takes to show it.
void mostraNelloScorrimento(QWidget* controllo);
