// One start of the program in a fresh process, for the start-up benchmark: builds one window, shows it, and
// prints the monotonic clock (ns) once the window has been exposed and painted, then ends. The parent takes
// the time just before it starts the process.
//
// Usage: bench_avvio nudo          a bare QWidget, the floor
//        bench_avvio inizio        the start window, set up as main() sets it up
//        bench_avvio modello N     the window of model N (0 Tradizionale, 1 Dualistico, 2 Monistico)
#include "app/avvio.h"
#include "app/finestramodello.h"
#include "app/inizio.h"
#include "comune.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Prints the moment the window is on screen: after the expose event has been handled, which paints it.
class Esposizione : public QObject
{
public:
    explicit Esposizione(QWidget& finestra) : m_finestra(finestra) {}

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (evento->type() == QEvent::Expose && !m_vista) {
            QTimer::singleShot(0, this, [this] {
                const QWindow* w = m_finestra.windowHandle();
                if (m_vista || !w || !w->isExposed())
                    return;
                m_vista = true;
                std::printf("%lld\n", static_cast<long long>(banco::adessoNs()));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(oggetto, evento);
    }

private:
    QWidget& m_finestra;
    bool m_vista = false;
};

int mostra(QWidget& finestra)
{
    finestra.winId(); // creates the native window, so that its expose events can be watched
    Esposizione esposizione(finestra);
    finestra.windowHandle()->installEventFilter(&esposizione);
    finestra.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    QApplication app(argc, argv);
    if (std::strcmp(argv[1], "nudo") == 0) {
        QWidget finestra;
        finestra.resize(384, 231);
        return mostra(finestra);
    }
    preparaApplicazione(app);
    if (std::strcmp(argv[1], "inizio") == 0) {
        Inizio inizio;
        return mostra(inizio);
    }
    if (std::strcmp(argv[1], "modello") == 0 && argc > 2) {
        const int n = std::atoi(argv[2]);
        if (n < 0 || n >= int(tuttiIModelli.size()))
            return 2;
        FinestraModello finestra(tuttiIModelli[n]);
        return mostra(finestra);
    }
    return 2;
}
