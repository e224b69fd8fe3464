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
