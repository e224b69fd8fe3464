#pragma once

#include "questionario/interazione.h"

// A port with nobody behind it, for the command line and the benchmarks: a message is closed with OK, a
// question answered No, Yes/No/Cancel cancelled, every file dialog and the printer dialog cancelled; the note
// editor never opens, so nothing is written into a note.
class InterazioneMuta : public Interazione
{
public:
    Esito messaggio(const QString&, const QString&, Pulsanti pulsanti, Icona) override
    {
        return pulsanti == Pulsanti::Ok ? Esito::Ok : pulsanti == Pulsanti::SiNo ? Esito::No : Esito::Annulla;
    }
    std::optional<QString> chiediFileDaSalvare(const FiltroFile&) override { return std::nullopt; }
    std::optional<QString> chiediFileDaAprire(const FiltroFile&) override { return std::nullopt; }
    void beep() override {}
    void stampa(const std::function<bool(SuperficieStampa&)>&, const QString&) override {}
    void apriNotaGruppo(int) override {}
    void apriNotaMembro(int) override {}
    void mostraPagina(int) override {}
    void ripristinaFinestra() override {}
    void spostaFocus(const QString&) override {}
    void impostaTitolo(const QString&) override {}
    void terminaProgramma() override {}
};
