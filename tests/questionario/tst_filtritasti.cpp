#include "questionario/filtritasti.h"
#include "questionario/limitenota.h"
#include "support/interazionefinta.h"

#include <QTest>
#include <array>

namespace {

constexpr int BS = 8, CR = 13, CV = 22; // Backspace, Enter, the paste combination
constexpr int No = 0, Si = 1, Bip = 2;  // refused silently, accepted, refused with a beep
// A key typed into a text: the text's length, the selection's length, the key, the verdict.
using Caso = std::array<int, 4>;

} // namespace

Q_DECLARE_METATYPE(Caso)

class TestFiltriTasti : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every key rule, each case tried on every box it governs: general fields by number, "II" the counts of
    // Riquadro II, "D9" column 9 of the two-tier members table. Row: box, text length, selection, key code.
    void tasti_data()
    {
        QTest::addColumn<QString>("regola");
        QTest::addColumn<Caso>("caso");
        const auto casi = [](std::initializer_list<const char*> regole, std::initializer_list<Caso> casi) {
            for (const char* regola : regole)
                for (const Caso& c : casi)
                    QTest::addRow("%s: %d %d %d", regola, c[0], c[1], c[2]) << QString(regola) << c;
        };
        // Tax code: a hard stop at 11 whatever the selection; the beep only at the limit; Enter passes.
        casi({"1"},
             {{10, 0, '9', Si}, {11, 9, '0', Bip}, {10, 0, 'A', No}, {11, 0, 'A', Bip}, {11, 0, CR, Si}});
        // Day and month stop silently at 2, years at 4, unless a selection is replaced; Enter still moves on.
        const auto date = {"2", "3", "34", "35"}, anni = {"4", "36"};
        casi(date, {{1, 0, '7', Si}, {2, 0, '3', No}, {2, 2, '3', Si}, {2, 2, 'a', No}, {2, 0, CR, Si}});
        casi(anni, {{3, 0, '2', Si}, {4, 0, '2', No}, {4, 1, '2', Si}, {4, 0, CR, Si}, {0, 0, '/', No}});
        // Telephone: digits and Enter, no limit; the paste combination is a refused character.
        casi({"6"}, {{500, 0, '5', Si}, {0, 0, '+', No}, {0, 0, CV, No}, {30, 0, CR, Si}});
        // The counts stop at 3 with a beep for every key but Backspace, Enter included.
        const auto conteggi = {"33", "62", "63", "64", "65", "II"};
        casi(conteggi, {{2, 0, '1', Si}, {3, 3, '1', Si}, {3, 1, '9', Si}, {3, 0, 'x', Bip}});
        casi(conteggi, {{3, 0, CR, Bip}, {3, 0, BS, Si}, {1, 0, 'x', No}});
        // Members' tax code: 16 characters, never a space; the selection is ignored.
        casi({"T2", "D2", "M2"}, {{15, 0, 'Z', Si}, {16, 16, '1', Bip}, {16, 0, ' ', Bip}, {20, 0, CR, Si}});
        // Members' counts: three digits, columns 4 to 10 (in the two-tier model 4 to 9).
        casi({"T10", "D4", "D9"}, {{2, 0, '9', Si}, {3, 0, '9', Bip}, {3, 0, BS, Si}, {0, 0, 'x', No}});
        // Free: fields 0, 5, 7, the name, the minorities, and the two-tier model's column 10 (not a count).
        casi({"0", "5", "7", "T1", "M3", "D10"}, {{5000, 0, 'x', Si}, {0, 0, CV, Si}, {3, 3, ' ', Si}});
    }
    void tasti()
    {
        QFETCH(QString, regola);
        QFETCH(Caso, caso);
        const auto [lunghezza, selezione, codice, atteso] = caso;
        const int numero = regola.mid(regola[0].isDigit() ? 0 : 1).toInt();
        const auto modello = Modello(QStringLiteral("TDM").indexOf(regola[0])); // the models in their order
        const EsitoTasto esito = regola[0].isDigit()
                                     ? tastoCampoGenerale(numero, lunghezza, selezione, codice)
                                 : regola == u"II" ? tastoConteggioRiquadroII(lunghezza, selezione, codice)
                                                   : tastoCellaMembri(modello, numero, lunghezza, codice);
        QCOMPARE(int(esito.accettato) + 2 * int(esito.beep), atteso);
    }

    // An accepted Enter moves to the general field with the next index, up to 7 and from 33 to 36.
    void invioSposta()
    {
        for (auto [campo, dopo] : {std::pair{0, 1}, {6, 7}, {7, -1}, {32, -1}, {33, 34}, {35, 36}, {36, -1}})
            QCOMPARE(campoSuccessivoSuInvio(campo), dopo);
    }

    // The note's length after each paste, cut or key: each overflow is cut ("+") and warned about once,
    // however many changes the cut takes (the warning's text is pinned with the note window).
    void lunghezzaDellaNota()
    {
        InterazioneFinta interazione;
        LimiteNota limite(interazione);
        QString tagli;
        for (int lunghezza : {65000, 70000, 65000, 65002, 65001, 65000, 65001, 65000})
            tagli += limite.testoCambiato(lunghezza) ? u'+' : u'-';
        QCOMPARE(tagli, QStringLiteral("-+-++-+-"));
        QCOMPARE(interazione.messaggi.size(), 3);
        for (const auto& m : interazione.messaggi)
            QVERIFY(m.titolo == u"Warning" && m.icona == Interazione::Icona::Informazione);
    }
};

QTEST_APPLESS_MAIN(TestFiltriTasti)
#include "tst_filtritasti.moc"
