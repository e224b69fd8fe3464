#pragma once

#include <QString>
#include <array>

// The governance model a questionnaire is filled in for; fixed when the user picks it.
enum class Modello
{
    Tradizionale,
    Dualistico,
    Monistico
};

inline constexpr std::array<Modello, 3> tuttiIModelli{Modello::Tradizionale, Modello::Dualistico,
                                                      Modello::Monistico};

// "Tradizionale", "Dualistico", "Monistico": the model's own name, also used by the command-line tool.
QString nomeModello(Modello modello);

// The application's title: the start window's caption and the title of the program's own messages.
inline QString titoloApplicazione()
{
    return QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0");
}
