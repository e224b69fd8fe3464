// Start-up: the start window, then each model window built and shown (the load sequence included).
#include "app/finestramodello.h"
#include "app/inizio.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer avvio;
    avvio.start();
    QApplication app(argc, argv);
    Inizio inizio;
    inizio.show();
    if (!QTest::qWaitForWindowExposed(&inizio))
        return 1;
    std::printf("application and start window shown:  %.1f ms\n", avvio.nsecsElapsed() / 1e6);

    const int ripetizioni = 11;
    for (Modello modello : tuttiIModelli) {
        std::vector<double> tempi;
        for (int i = 0; i < ripetizioni; ++i) {
            QElapsedTimer t;
            t.start();
            FinestraModello finestra(modello);
            finestra.show();
            if (!QTest::qWaitForWindowExposed(&finestra))
                return 1;
            tempi.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("%-12s window built and shown:  median %.1f ms over %d runs\n",
                    qPrintable(nomeModello(modello)), mediana(tempi), ripetizioni);
    }
    return 0;
}
