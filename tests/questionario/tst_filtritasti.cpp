#include "questionario/filtritasti.h"
#include "questionario/limitenota.h"
#include "support/interazionefinta.h"

#include <QTest>

Q_DECLARE_METATYPE(Modello)

namespace {

constexpr int BS = 8;  // Backspace
constexpr int CR = 13; // Enter
constexpr int CV = 22; // the paste combination

// Which rule a row judges: a general field, a Riquadro II count, or a members' column of a model.
struct Regola
{
    enum Tipo
    {
        Campo,
        Conteggio,
        Cella
    } tipo;
    int numero = 0; // the field or the column
    Modello modello = Modello::Tradizionale;
};

} // namespace

Q_DECLARE_METATYPE(Regola)

class TestFiltriTasti : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every key rule of the program in one table: the boundaries of each limit, the keys that always pass
    // and the beeps.
    void tasti_data()
    {
        QTest::addColumn<Regola>("regola");
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<int>("selezione");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<bool>("accettato");
        QTest::addColumn<bool>("beep");
        const auto riga = [](Regola r, int lunghezza, int selezione, int tasto, bool accettato, bool beep) {
            QTest::addRow("%s %d/%s, %d car., sel. %d, tasto %d",
                          r.tipo == Regola::Campo   ? "campo"
                          : r.tipo == Regola::Cella ? "cella"
                                                    : "conteggio",
                          r.numero, qPrintable(nomeModello(r.modello)), lunghezza, selezione, tasto)
                << r << lunghezza << selezione << tasto << accettato << beep;
        };
        const auto campo = [&](int n, int l, int s, int t, bool a, bool b) {
            riga({Regola::Campo, n}, l, s, t, a, b);
        };
        const auto cella = [&](Modello m, int c, int l, int t, bool a, bool b) {
            riga({Regola::Cella, c, m}, l, 0, t, a, b);
        };
        // Tax code: a hard stop at 11 whatever the selection; the beep only at the limit.
        campo(1, 10, 0, '9', true, false);
        campo(1, 11, 11, '0', false, true);
        campo(1, 10, 0, 'A', false, false);
        campo(1, 11, 0, 'A', false, true);
        campo(1, 11, 0, CR, true, false);
        // Day and month: a silent stop at 2 unless a selection is replaced; Enter still moves on.
        campo(2, 1, 0, '7', true, false);
        campo(2, 2, 0, '3', false, false);
        campo(2, 2, 2, '3', true, false);
        campo(2, 2, 2, 'a', false, false);
        campo(2, 2, 0, CR, true, false);
        campo(2, 0, 0, '/', false, false);
        campo(35, 2, 0, '1', false, false);
        // Years stop at 4.
        campo(4, 4, 0, '2', false, false);
        campo(36, 4, 1, '2', true, false);
        // Telephone: digits, no limit; the paste combination is a refused character.
        campo(6, 500, 0, '5', true, false);
        campo(6, 0, 0, '+', false, false);
        campo(6, 0, 0, CV, false, false);
        // Counts of the page: stop at 3 with a beep for every key but Backspace, Enter included.
        campo(33, 2, 0, '1', true, false);
        campo(33, 3, 3, '1', true, false);
        campo(33, 3, 0, 'x', false, true);
        campo(62, 3, 0, CR, false, true);
        campo(65, 3, 0, BS, true, false);
        // Free text.
        campo(0, 5000, 0, 'x', true, false);
        campo(5, 0, 0, CV, true, false);
        // Riquadro II: as the counts of the page.
        riga({Regola::Conteggio}, 3, 0, '9', false, true);
        riga({Regola::Conteggio}, 3, 1, '9', true, false);
        riga({Regola::Conteggio}, 3, 0, CR, false, true);
        // Members' tax code: 16 characters, never a space; the editor ignores the selection.
        const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
        cella(D, 2, 16, '1', false, true);
        cella(T, 2, 15, ' ', false, false);
        cella(T, 2, 16, ' ', false, true);
        cella(M, 2, 20, CR, true, false);
        // Members' counts: three digits; the two-tier model's last count is column 9.
        cella(T, 4, 2, '9', true, false);
        cella(T, 10, 3, '9', false, true);
        cella(T, 4, 3, BS, true, false);
        cella(D, 9, 3, 'x', false, true);
        // Free: the name, the minorities; and the two-tier model's column 10, which is not a count.
        cella(T, 1, 300, ' ', true, false);
        cella(M, 3, 3, '9', true, false);
        cella(D, 10, 3, '9', true, false);
    }
    void tasti()
    {
        QFETCH(Regola, regola);
        QFETCH(int, lunghezza);
        QFETCH(int, selezione);
        QFETCH(int, tasto);
        const auto codice = char16_t(tasto);
        const EsitoTasto esito = regola.tipo == Regola::Campo
                                     ? tastoCampoGenerale(regola.numero, lunghezza, selezione, codice)
                                 : regola.tipo == Regola::Cella
                                     ? tastoCellaMembri(regola.modello, regola.numero, lunghezza, codice)
                                     : tastoConteggioRiquadroII(lunghezza, selezione, codice);
        QTEST(esito.accettato, "accettato");
        QTEST(esito.beep, "beep");
    }

    // Successive lengths of the note's text, as a paste, its cut or typing produce them: each overflow is
    // cut, and warned about once.
    void lunghezzaDellaNota_data()
    {
        QTest::addColumn<QList<int>>("lunghezze");
        QTest::addColumn<QList<bool>>("tagli");
        QTest::addColumn<int>("messaggi");
        QTest::newRow("at the limit") << QList{65000} << QList{false} << 0;
        QTest::newRow("paste, then its cut") << QList{70000, 65000} << QList{true, false} << 1;
        QTest::newRow("cut a character at a time")
            << QList{65002, 65001, 65000} << QList{true, true, false} << 1;
        QTest::newRow("overflow, fit, overflow")
            << QList{70000, 65000, 65001, 65000} << QList{true, false, true, false} << 2;
    }
    void lunghezzaDellaNota()
    {
        QFETCH(QList<int>, lunghezze);
        QFETCH(QList<bool>, tagli);
        InterazioneFinta interazione;
        LimiteNota limite(interazione);
        for (qsizetype i = 0; i < lunghezze.size(); ++i)
            QCOMPARE(limite.testoCambiato(lunghezze.at(i)), tagli.at(i));
        QTEST(int(interazione.messaggi.size()), "messaggi");
        for (const auto& m : interazione.messaggi) {
            QCOMPARE(m.testo, QStringLiteral("ATTENZIONE: la lunghezza della stringa inserita è maggiore di "
                                             "65000:\r\ni caratteri in eccesso verranno automaticamente "
                                             "cancellati. Verificare!!!"));
            QCOMPARE(m.titolo, QStringLiteral("Warning"));
            QCOMPARE(m.icona, Interazione::Icona::Informazione);
        }
    }
};

QTEST_APPLESS_MAIN(TestFiltriTasti)
#include "tst_filtritasti.moc"
