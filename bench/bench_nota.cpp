// The note window with the longest texts, in the real window: opening a note of 65000 characters, and one
// key typed (and painted) at the end of a note of 64000 characters made of one paragraph, with spaces or
// without any space or line break. The floor is the same key in an empty note. Prints one line per figure:
// name, median ms, largest ms, floor median ms.
#include "comune.h"
#include "questionario/interazionemuta.h"
#include "questionario/questionario.h"
#include "questionario/ui/finestranota.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdio>

namespace {

constexpr int ripetizioni = 31;
constexpr int riscaldamento = 5;

QString paragrafo(int lunghezza, bool spazi)
{
    if (!spazi)
        return QString(lunghezza, u'x');
    QString t;
    t.reserve(lunghezza + 80);
    while (t.size() < lunghezza)
        t += QStringLiteral("Il collegio ha vigilato sull'osservanza della legge e dello statuto. ");
    return t.left(lunghezza);
}

class Banco
{
public:
    Banco() : m_q(Modello::Tradizionale, m_muta), m_nota(m_q)
    {
        const Questionario::Caricamento caricamento(m_q);
        m_q.setBox(0, Casella::SI, true);
        m_nota.show();
        if (!QTest::qWaitForWindowExposed(&m_nota))
            std::fprintf(stderr, "window not exposed\n");
    }

    // Opening the window on the note: text in, laid out and painted.
    double apri(const QString& testo)
    {
        m_q.setNotaSI(0, testo);
        return banco::millisecondi([&] {
            m_nota.preparaGruppo(0);
            dipingi();
        });
    }

    // Each key is typed, laid out and painted, then taken back with Backspace outside the timing.
    std::vector<double> tasti(const QString& testo)
    {
        apri(testo);
        std::vector<double> tempi;
        for (int k = 0; k < riscaldamento + ripetizioni; ++k) {
            const double t = banco::millisecondi([&] {
                QTest::keyClick(m_nota.casellaTesto(), Qt::Key_X);
                dipingi();
            });
            if (k >= riscaldamento)
                tempi.push_back(t);
            QTest::keyClick(m_nota.casellaTesto(), Qt::Key_Backspace);
            dipingi();
        }
        return tempi;
    }

private:
    void dipingi()
    {
        QCoreApplication::processEvents();
        m_nota.casellaTesto()->viewport()->repaint();
    }

    InterazioneMuta m_muta;
    Questionario m_q;
    FinestraNota m_nota;
};

void stampa(const char* nome, const std::vector<double>& tempi, const std::vector<double>& pavimento)
{
    std::printf("%s %.3f %.3f %.3f\n", nome, banco::mediana(tempi), banco::massimo(tempi),
                banco::mediana(pavimento));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Banco banco;
    const int limite = Questionario::lunghezzaMassimaNota;
    std::vector<double> apreSpazi, apreSenza, apreVuota;
    for (int k = 0; k < 3 + 11; ++k) {
        const double vuota = banco.apri(QString());
        const double spazi = banco.apri(paragrafo(limite, true));
        const double senza = banco.apri(paragrafo(limite, false));
        if (k >= 3) {
            apreVuota.push_back(vuota);
            apreSpazi.push_back(spazi);
            apreSenza.push_back(senza);
        }
    }
    // Rounds of the three cases in turn, so that a busy moment of the machine falls on all of them.
    std::vector<double> vuota, spazi, senza;
    for (int giro = 0; giro < 3; ++giro) {
        for (double t : banco.tasti(QString()))
            vuota.push_back(t);
        for (double t : banco.tasti(paragrafo(limite - 1000, true)))
            spazi.push_back(t);
        for (double t : banco.tasti(paragrafo(limite - 1000, false)))
            senza.push_back(t);
    }
    stampa("tasto_spazi", spazi, vuota);
    stampa("tasto_senza_spazi", senza, vuota);
    stampa("apertura_spazi", apreSpazi, apreVuota);
    stampa("apertura_senza_spazi", apreSenza, apreVuota);
    return 0;
}
