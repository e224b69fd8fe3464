// One libFuzzer target; BERSAGLIO names which input it feeds (see obiettivi.h).
#include "obiettivi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    provaBersaglio(Bersaglio::BERSAGLIO, dati, dimensione);
    return 0;
}
