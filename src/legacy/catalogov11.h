#pragma once

#include "modelli/catalogo.h"

// The questionnaire of version 1.1: 72 question groups (0 to 71), traditional model only.
inline constexpr int numeroGruppiV11 = 72;
inline bool gruppoValidoV11(int gruppo)
{
    return gruppo >= 0 && gruppo < numeroGruppiV11;
}

// The catalogue of version 1.1: the traditional one on the same six pages (tab captions, frame captions, the
// line "La relazione contiene:", label numbers and the two page-1 headings), without the rows 72 to 81 and
// with the few texts, boxes and note labels that version 1.1 had otherwise. Slots 72 to 81 exist only to
// keep the type: they are not present.
const Catalogo& catalogoV11();

// When a click on a group's note label opens a note that has no text yet: on the answer named here.
enum class AperturaNotaV11
{
    SoloConTesto, // never: only a note that already has text opens
    SuSI,
    SuNO,
    SuSIoNO
};
AperturaNotaV11 aperturaNotaV11(int gruppo);
