#pragma once

#include <cstddef>
#include <cstdint>

// What the fuzzers feed, one input at a time. Each returns normally on any input the program refuses; a
// crash, a sanitizer report or a broken promise (abort) is a finding.
enum class Bersaglio
{
    LetturaTradizionale,
    LetturaDualistico,
    LetturaMonistico,
    LetturaV11,
    Json,
    AndataERitorno // read, write, read again: the two questionnaires are the same
};

void provaBersaglio(Bersaglio bersaglio, const uint8_t* dati, size_t dimensione);
