#include "questionario/filtritasti.h"

#include <QTest>

Q_DECLARE_METATYPE(Modello)

namespace {
constexpr int BS = 8;  // Backspace
constexpr int CR = 13; // Enter
} // namespace

class TestFiltriTasti : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void campoGenerale_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<int>("selezione");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<bool>("accettato");
        QTest::addColumn<bool>("beep");
        auto riga = [](int campo, int lunghezza, int selezione, int tasto, bool accettato, bool beep) {
            QTest::addRow("campo %d, %d car., sel. %d, tasto %d", campo, lunghezza, selezione, tasto)
                << campo << lunghezza << selezione << tasto << accettato << beep;
        };
        // Tax code: hard stop at 11 whatever the selection; the beep only at the limit.
        riga(1, 10, 0, '9', true, false);
        riga(1, 11, 0, '0', false, true);
        riga(1, 11, 11, '0', false, true);
        riga(1, 10, 0, 'A', false, false);
        riga(1, 11, 0, 'A', false, true);
        riga(1, 12, 0, BS, true, false);
        riga(1, 11, 0, CR, true, false);
        // Day and month: silent stop at 2 unless a selection will be replaced; Enter still moves on.
        riga(2, 1, 0, '7', true, false);
        riga(2, 2, 0, '3', false, false);
        riga(2, 2, 2, '3', true, false);
        riga(2, 2, 0, BS, true, false);
        riga(2, 1, 0, CR, true, false);
        riga(2, 2, 0, CR, true, false);
        riga(2, 0, 0, '/', false, false);
        riga(2, 0, 0, ':', false, false);
        riga(2, 2, 2, 'a', false, false);
        riga(3, 2, 0, '1', false, false);
        riga(34, 2, 0, '1', false, false);
        riga(35, 1, 0, '1', true, false);
        // Years stop at 4.
        riga(4, 3, 0, '2', true, false);
        riga(4, 4, 0, '2', false, false);
        riga(4, 4, 1, '2', true, false);
        riga(36, 4, 0, '2', false, false);
        riga(36, 4, 0, BS, true, false);
        riga(4, 4, 0, CR, true, false);
        // Telephone: digits only, no limit; the paste combination is a refused character.
        riga(6, 500, 0, '5', true, false);
        riga(6, 0, 0, '+', false, false);
        riga(6, 0, 0, 22, false, false);
        riga(6, 500, 0, CR, true, false);
        // Counts: stop at 3 with a beep, whatever the key but Backspace.
        riga(33, 2, 0, '1', true, false);
        riga(33, 3, 0, '1', false, true);
        riga(33, 3, 3, '1', true, false);
        riga(33, 2, 0, 'x', false, false);
        riga(33, 3, 0, 'x', false, true);
        riga(33, 3, 0, CR, false, true);
        riga(33, 3, 0, BS, true, false);
        riga(62, 3, 0, '1', false, true);
        riga(63, 3, 0, '1', false, true);
        riga(64, 2, 0, '1', true, false);
        riga(65, 3, 0, '1', false, true);
        // Free text.
        riga(0, 5000, 0, 'x', true, false);
        riga(5, 0, 0, 22, true, false);
        riga(7, 300, 0, '@', true, false);
    }
    void campoGenerale()
    {
        QFETCH(int, campo);
        QFETCH(int, lunghezza);
        QFETCH(int, selezione);
        QFETCH(int, tasto);
        const EsitoTasto esito = tastoCampoGenerale(campo, lunghezza, selezione, char16_t(tasto));
        QTEST(esito.accettato, "accettato");
        QTEST(esito.beep, "beep");
    }

    void conteggioRiquadroII_data()
    {
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<int>("selezione");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<bool>("accettato");
        QTest::addColumn<bool>("beep");
        QTest::newRow("third digit") << 2 << 0 << int('9') << true << false;
        QTest::newRow("fourth digit") << 3 << 0 << int('9') << false << true;
        QTest::newRow("fourth digit over selection") << 3 << 1 << int('9') << true << false;
        QTest::newRow("letter") << 0 << 0 << int('a') << false << false;
        QTest::newRow("Backspace at 3") << 3 << 0 << BS << true << false;
        QTest::newRow("Enter at 3") << 3 << 0 << CR << false << true;
    }
    void conteggioRiquadroII()
    {
        QFETCH(int, lunghezza);
        QFETCH(int, selezione);
        QFETCH(int, tasto);
        const EsitoTasto esito = tastoConteggioRiquadroII(lunghezza, selezione, char16_t(tasto));
        QTEST(esito.accettato, "accettato");
        QTEST(esito.beep, "beep");
    }

    void campoSuccessivo_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<int>("successivo");
        for (auto [campo, successivo] : {std::pair{0, 1},
                                         {4, 5},
                                         {6, 7},
                                         {7, -1},
                                         {33, 34},
                                         {34, 35},
                                         {35, 36},
                                         {36, -1},
                                         {62, -1},
                                         {65, -1}})
            QTest::addRow("%d", campo) << campo << successivo;
    }
    void campoSuccessivo()
    {
        QFETCH(int, campo);
        QTEST(campoSuccessivoSuInvio(campo), "successivo");
    }

    void cellaMembri_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<int>("colonna");
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<bool>("accettato");
        QTest::addColumn<bool>("beep");
        auto riga = [](Modello modello, int colonna, int lunghezza, int tasto, bool accettato, bool beep) {
            QTest::addRow("%s, col. %d, %d car., tasto %d", qPrintable(nomeModello(modello)), colonna,
                          lunghezza, tasto)
                << modello << colonna << lunghezza << tasto << accettato << beep;
        };
        const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
        // Tax code: 16 characters, never a space; the beep only from 16 on.
        riga(T, 2, 15, 'A', true, false);
        riga(T, 2, 16, 'A', false, true);
        riga(D, 2, 16, '1', false, true);
        riga(T, 2, 0, ' ', false, false);
        riga(T, 2, 15, ' ', false, false);
        riga(T, 2, 16, ' ', false, true);
        riga(T, 2, 16, BS, true, false);
        riga(M, 2, 20, CR, true, false);
        // Count columns: three digits.
        riga(T, 4, 2, '9', true, false);
        riga(T, 4, 3, '9', false, true);
        riga(T, 4, 0, 'x', false, false);
        riga(T, 4, 3, 'x', false, true);
        riga(T, 4, 3, BS, true, false);
        riga(T, 4, 3, CR, true, false);
        riga(T, 10, 3, '9', false, true);
        riga(M, 10, 0, 'x', false, false);
        riga(D, 9, 3, '9', false, true);
        riga(D, 4, 0, 'x', false, false);
        // Not filtered: the name, the minorities, the hidden and requisiti columns.
        riga(T, 1, 300, ' ', true, false);
        riga(T, 3, 3, '9', true, false);
        riga(D, 10, 3, '9', true, false);
        riga(D, 11, 0, 'x', true, false);
        riga(T, 11, 3, '9', true, false);
        riga(M, 12, 0, 'x', true, false);
    }
    void cellaMembri()
    {
        QFETCH(Modello, modello);
        QFETCH(int, colonna);
        QFETCH(int, lunghezza);
        QFETCH(int, tasto);
        const EsitoTasto esito = tastoCellaMembri(modello, colonna, lunghezza, char16_t(tasto));
        QTEST(esito.accettato, "accettato");
        QTEST(esito.beep, "beep");
    }

    void zeroIniziale_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<bool>("conZero");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("day") << 2 << "7" << true << "07";
        QTest::newRow("month") << 3 << "1" << true << "01";
        QTest::newRow("start day") << 34 << "9" << true << "09";
        QTest::newRow("start month, any character") << 35 << "x" << true << "0x";
        QTest::newRow("two characters") << 2 << "12" << true << "12";
        QTest::newRow("empty") << 3 << "" << true << "";
        QTest::newRow("year") << 4 << "5" << false << "5";
        QTest::newRow("start year") << 36 << "5" << false << "5";
        QTest::newRow("count") << 33 << "5" << false << "5";
    }
    void zeroIniziale()
    {
        QFETCH(int, campo);
        QFETCH(QString, testo);
        QTEST(campoConZeroIniziale(campo), "conZero");
        QTEST(conZeroIniziale(campo, testo), "atteso");
    }

    void elettoMinoranze_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<QString>("valore");
        QTest::newRow("no") << "no" << true << "NO";
        QTest::newRow("Si") << "Si" << true << "SI";
        QTest::newRow("SI") << "SI" << true << "SI";
        QTest::newRow("empty") << "" << true << "";
        QTest::newRow("x") << "x" << false << "";
        QTest::newRow("leading space") << " si" << false << "";
        QTest::newRow("trailing space") << "NO " << false << "";
        QTest::newRow("accented") << QStringLiteral("sì") << false << "";
    }
    void elettoMinoranze()
    {
        QFETCH(QString, testo);
        const EsitoMinoranze esito = controllaElettoMinoranze(testo);
        QTEST(esito.valido, "valido");
        QTEST(esito.valore, "valore");
        QCOMPARE(messaggioSoloSiNo, QStringLiteral("E' possibile inserire soltanto SI o NO"));
        QCOMPARE(titoloSoloSiNo, QStringLiteral("Attenzione"));
    }
};

QTEST_APPLESS_MAIN(TestFiltriTasti)
#include "tst_filtritasti.moc"
