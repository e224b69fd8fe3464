#pragma once

#include "questionario/interazione.h"

#include <cstdio>

// The benchmarks ask the user nothing: every dialog is cancelled, and a message would be a fault worth
// seeing.
class InterazioneMuta : public Interazione
{
public:
    Esito messaggio(const QString& testo, const QString&, Pulsanti, Icona) override
    {
        std::fprintf(stderr, "messaggio inatteso: %s\n", qPrintable(testo));
        return Esito::Ok;
    }
    std::optional<QString> chiediFileDaSalvare(const FiltroFile&) override { return std::nullopt; }
    std::optional<QString> chiediFileDaAprire(const FiltroFile&) override { return std::nullopt; }
    void beep() override {}
    void apriNotaGruppo(int) override {}
    void apriNotaMembro(int) override {}
    void mostraPagina(int) override {}
    void ripristinaFinestra() override {}
    void spostaFocus(const QString&) override {}
    void impostaTitolo(const QString&) override {}
    void terminaProgramma() override {}
};
