// Every input of the given folders through every fuzz target, without the fuzzer: the seeds and the cases the
// fuzzers once found run with the tests.
#include "obiettivi.h"

#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    int file = 0;
    for (int a = 1; a < argc; ++a) {
        QDirIterator it(QString::fromLocal8Bit(argv[a]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QByteArray dati = f.readAll();
            const auto* byte = reinterpret_cast<const uint8_t*>(dati.constData());
            for (Bersaglio b :
                 {Bersaglio::LetturaTradizionale, Bersaglio::LetturaDualistico, Bersaglio::LetturaMonistico,
                  Bersaglio::LetturaV11, Bersaglio::Json, Bersaglio::AndataERitorno})
                provaBersaglio(b, byte, size_t(dati.size()));
            ++file;
        }
    }
    std::printf("%d file provati\n", file);
    return file > 0 ? 0 : 1;
}
