// Typing into a nearly full note, and opening a full one, measured in the real note window.
#include "questionario/interazionemuta.h"
#include "questionario/questionario.h"
#include "questionario/ui/finestranota.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
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

QString testoLungo(int lunghezza)
{
    // Paragraphs of about 80 characters, CR LF between them, as a real note has.
    QString t;
    t.reserve(lunghezza);
    while (t.size() < lunghezza) {
        t += QString(78, QChar(u'a' + int(t.size() / 80) % 26));
        t += QStringLiteral("\r\n");
    }
    return t.left(lunghezza);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InterazioneMuta muta;
    Questionario q(Modello::Tradizionale, muta);
    {
        const Questionario::Caricamento caricamento(q);
        q.setBox(0, Casella::SI, true);
    }
    FinestraNota nota(q);
    nota.show();
    if (!QTest::qWaitForWindowExposed(&nota))
        return 1;

    const int ripetizioni = 21;
    std::vector<double> apertura, tasto;
    for (int i = 0; i < ripetizioni; ++i) {
        q.setNotaSI(0, testoLungo(65000));
        QElapsedTimer t;
        t.start();
        nota.preparaGruppo(0);
        QCoreApplication::processEvents();
        apertura.push_back(t.nsecsElapsed() / 1e6);
    }
    q.setNotaSI(0, testoLungo(64000));
    nota.preparaGruppo(0);
    for (int i = 0; i < ripetizioni; ++i) {
        QElapsedTimer t;
        t.start();
        QTest::keyClick(nota.casellaTesto(), Qt::Key_X);
        QCoreApplication::processEvents();
        tasto.push_back(t.nsecsElapsed() / 1e6);
        QTest::keyClick(nota.casellaTesto(), Qt::Key_Backspace);
    }
    std::printf("open a 65000-character note:            median %.2f ms over %d runs\n", mediana(apertura),
                ripetizioni);
    std::printf("type one character into 64000 characters: median %.3f ms over %d runs\n", mediana(tasto),
                ripetizioni);
    return 0;
}
