#include "questionario/questionario.h"
#include "support/interazionefinta.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <map>
#include <set>

Q_DECLARE_METATYPE(Modello)

namespace {

constexpr Modello T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;

std::set<int> con(std::initializer_list<int> singoli, int da = 0, int a = -1)
{
    std::set<int> s(singoli);
    for (int i = da; i <= a; ++i)
        s.insert(i);
    return s;
}

// A questionnaire whose scripted note editor closes each note with the next queued text (empty when none).
struct Banco
{
    InterazioneFinta finta;
    Questionario q;

    explicit Banco(Modello modello = T) : q(modello, finta) { finta.questionario = &q; }

    int aperture() const { return int(finta.chiamate(QStringLiteral("nota")).size()); }

    // Clicks boxes in order: S, N, A.
    void clicca(int indice, const QString& caselle)
    {
        for (QChar c : caselle)
            c == u'S' ? q.tickSI(indice) : c == u'N' ? q.tickNO(indice) : q.tickNA(indice);
    }
    QString spuntate(int indice) const
    {
        return QString(q.casella(indice, Casella::SI) ? "S" : "") +
               (q.casella(indice, Casella::NO) ? "N" : "") + (q.casella(indice, Casella::NA) ? "A" : "");
    }
};

} // namespace

class TestRegoleRisposta : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editorApertoDaSIeNO_data();
    void editorApertoDaSIeNO();
    void sequenzeDiClic_data();
    void sequenzeDiClic();
    void testoNellEditor();
    void duranteIlCaricamento();
    void ogniModificaAnnunciata();
    void indiciFuoriIntervallo();
    void etichettaApreLaNota_data();
    void etichettaApreLaNota();
};

// Every box a user can click, in every model: which ticks open the note editor.
void TestRegoleRisposta::editorApertoDaSIeNO_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<std::set<int>>("suSI");
    QTest::addColumn<std::set<int>>("suNO");
    const auto si = {0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 30, 74, 79, 80, 81};
    QTest::newRow("Tradizionale") << T << con(si, 43, 43)
                                  << con({6, 7, 15, 20, 22, 24, 26, 28, 72, 77, 78}, 48, 70);
    QTest::newRow("Dualistico") << D << con(si)
                                << con({6, 7, 15, 16, 20, 22, 24, 26, 28, 70, 72, 77, 78}, 48, 68);
    QTest::newRow("Monistico") << M << con(si, 31, 31)
                               << con({6, 7, 15, 16, 20, 22, 24, 26, 28, 70, 71, 72, 77, 78}, 48, 68);
}

void TestRegoleRisposta::editorApertoDaSIeNO()
{
    QFETCH(Modello, modello);
    QFETCH(std::set<int>, suSI);
    QFETCH(std::set<int>, suNO);
    int cliccabili = 0;
    for (int i = 0; i < numeroIndici; ++i) {
        const Domanda& d = profilo(modello).domanda(i);
        if (!d.presente || d.nascosta || !d.haCaselle())
            continue;
        ++cliccabili;
        for (const QString casella : {"S", "N"}) {
            if (casella == u"N" && d.casellaSingola())
                continue;
            Banco b(modello);
            b.finta.testiNota.enqueue(QStringLiteral("nota"));
            b.clicca(i, casella);
            const bool attesa = (casella == u"S" ? suSI : suNO).count(i);
            QVERIFY2(b.aperture() == int(attesa), qPrintable(casella + QString::number(i)));
            QCOMPARE(b.spuntate(i), casella);
        }
    }
    // Every shown question with boxes, and the three boxes of the general-data page.
    QCOMPARE(cliccabili, modello == T ? 77 : modello == D ? 61 : 63);
}

// Boxes clicked in order, the editor closed each time it opens with the next text. When it opens, the other
// boxes are already unticked and their note is gone.
void TestRegoleRisposta::sequenzeDiClic_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("clic");
    QTest::addColumn<QStringList>("testi");
    QTest::addColumn<QString>("attese");
    QTest::addColumn<int>("aperture");
    QTest::addColumn<QString>("nota");
    const auto riga = [](const char* nome, Modello m, int indice, const char* clic, const QStringList& testi,
                         const char* attese, int aperture, const char* nota) {
        QTest::newRow(nome) << m << indice << QString(clic) << testi << QString(attese) << aperture
                            << QString(nota);
    };
    riga("8: SI then NO", T, 8, "SN", {}, "N", 0, "");
    riga("8: NO then NA", T, 8, "NA", {}, "A", 0, "");
    riga("8: NA then SI", T, 8, "AS", {}, "S", 0, "");
    riga("8: SI twice", T, 8, "SS", {}, "", 0, "");
    riga("9: NA twice", T, 9, "AA", {}, "", 0, "");
    riga("5: NO then SI, no editor", T, 5, "NS", {}, "S", 0, "");
    riga("0: NO then SI", T, 0, "NS", {"a"}, "S", 1, "a");
    riga("6: NA then NO", T, 6, "AN", {"a"}, "N", 1, "a");
    riga("20: NO, SI, NO, each note deleted", T, 20, "NSN", {"a", "b", "c"}, "N", 3, "c");
    riga("80: NO then SI", T, 80, "NS", {"a"}, "S", 1, "a");
    riga("80: SI then NO deletes the note", T, 80, "SN", {"a"}, "N", 1, "");
    riga("0: SI then NO deletes the note", T, 0, "SN", {"a"}, "N", 1, "");
    riga("20: SI then NA deletes the note", T, 20, "SA", {"a"}, "A", 1, "");
    riga("0: SI unticked deletes the note", T, 0, "SS", {"a"}, "", 1, "");
    riga("7: NO then NA deletes the note", D, 7, "NA", {"a"}, "A", 1, "");
    riga("50: NO unticked deletes the note", M, 50, "NN", {"a"}, "", 1, "");
    riga("79: unticked deletes the note", T, 79, "SS", {"a"}, "", 1, "");
    riga("0: SI, note left empty", T, 0, "S", {""}, "", 1, "");
    riga("0: SI, note of blanks", T, 0, "S", {" \r\n\t"}, "", 1, "");
    riga("7: NO, note left empty", D, 7, "N", {""}, "", 1, "");
    riga("79: note left empty", T, 79, "S", {""}, "", 1, "");
    riga("81: note left empty", M, 81, "S", {""}, "", 1, "");
    riga("80 single: note left empty", D, 80, "S", {""}, "", 1, "");
    riga("80 with No: note left empty", T, 80, "S", {""}, "", 1, "");
    riga("0: SI left empty, then again", T, 0, "SS", {"", "a"}, "S", 2, "a");
}

void TestRegoleRisposta::sequenzeDiClic()
{
    QFETCH(Modello, modello);
    QFETCH(int, indice);
    QFETCH(QString, clic);
    QFETCH(QStringList, testi);
    QFETCH(QString, attese);
    QFETCH(QString, nota);
    Banco b(modello);
    QString ultimo;
    QStringList fuoriPosto;
    b.finta.editorNota = [&](int i) {
        const QString allApertura = b.spuntate(i) + (b.q.segnoNota(i) ? "+segno" : "") + b.q.testoNota(i);
        if (allApertura != ultimo)
            fuoriPosto << allApertura;
        b.q.fineNota(i, testi.isEmpty() ? QString() : testi.takeFirst());
    };
    for (QChar c : clic) {
        ultimo = c;
        b.clicca(indice, ultimo);
    }
    QCOMPARE(fuoriPosto, QStringList());
    QTEST(b.aperture(), "aperture");
    QCOMPARE(b.spuntate(indice), attese);
    QCOMPARE(b.q.segnoNota(indice), !nota.isEmpty());
    // The note is kept in the slot of the answer; the other slot is empty.
    const bool si = b.q.casella(indice, Casella::SI);
    QCOMPARE(si ? b.q.notaSI(indice) : b.q.notaAltre(indice), nota);
    QCOMPARE(si ? b.q.notaAltre(indice) : b.q.notaSI(indice), QString());
}

void TestRegoleRisposta::testoNellEditor()
{
    Banco b;
    b.finta.testiNota << QStringLiteral("abc") << QStringLiteral("def");
    b.q.tickSI(0);
    b.q.tickNO(7);
    b.q.setNotaSI(7, QStringLiteral("si"));
    b.q.setNotaAltre(5, QStringLiteral("a\nb\r\nc\rd"));
    // The slot of the ticked answer, with CR LF line breaks; "Cancella" empties that slot only.
    QCOMPARE(b.q.testoNota(0), QStringLiteral("abc"));
    QCOMPARE(b.q.testoNota(5), QStringLiteral("a\r\nb\r\ncd"));
    b.q.cancellaNota(7);
    QCOMPARE(b.q.notaAltre(7) + b.q.notaSI(7), QStringLiteral("si"));
    // Only a withdrawn SI empties the editor's text box too.
    QSignalSpy svuotato(&b.q, &Questionario::testoNotaSvuotato);
    b.q.tickNA(7);
    QCOMPARE(svuotato.count(), 0);
    b.q.tickNO(0);
    QCOMPARE(svuotato.count(), 1);

    // The editor stores at most 65000 characters, never half of one.
    const QString faccina = QString::fromUtf8("\xF0\x9F\x98\x80"), a64998(64998, u'a');
    const std::pair<QString, QString> tagli[] = {{QString(70000, u'a'), QString(65000, u'a')},
                                                 {a64998 + u'a' + faccina, a64998 + u'a'},
                                                 {a64998 + faccina + u'b', a64998 + faccina}};
    for (const auto& [testo, atteso] : tagli) {
        b.q.fineNota(5, testo);
        QCOMPARE(b.q.notaAltre(5), atteso);
    }
}

void TestRegoleRisposta::duranteIlCaricamento()
{
    Banco b;
    {
        const Questionario::Caricamento c(b.q);
        {
            const Questionario::Caricamento annidato(b.q);
        }
        // No box unticks its siblings and none opens the editor, even after a nested guard has ended...
        b.clicca(0, QStringLiteral("SN"));
        b.q.tickSI(79);
        b.q.tickNO(7);
        QCOMPARE(b.spuntate(0), QStringLiteral("SN"));
        QCOMPARE(b.aperture(), 0);
        // ... but unticking a box whose question has a note still deletes that note.
        for (auto [indice, casella] : {std::pair{3, Casella::SI}, std::pair{50, Casella::NO}}) {
            (casella == Casella::SI ? b.q.setNotaSI(indice, "n") : b.q.setNotaAltre(indice, "n"));
            b.q.setSegnoNota(indice, true);
            b.q.setBox(indice, casella, true);
            b.q.setBox(indice, casella, false);
            QVERIFY(b.q.notaSI(indice).isEmpty() && b.q.notaAltre(indice).isEmpty());
            QCOMPARE(b.q.segnoNota(indice), false);
        }
    }
    // The rules are back once the filling ends.
    b.finta.testiNota.enqueue(QStringLiteral("x"));
    b.q.tickSI(1);
    QCOMPARE(b.aperture(), 1);
    b.q.tickNA(0);
    QCOMPARE(b.spuntate(0), QStringLiteral("A"));
}

void TestRegoleRisposta::ogniModificaAnnunciata()
{
    Banco b(M);
    QSignalSpy modifiche(&b.q, &Questionario::modificato);
    const auto annuncia = [&](const std::function<void()>& azione) {
        modifiche.clear();
        azione();
        return !modifiche.isEmpty();
    };
    QVERIFY(annuncia([&] { b.q.tickNA(8); }));
    QVERIFY(annuncia([&] { b.q.tickNA(8); })); // unticking too
    QVERIFY(annuncia([&] { b.q.setCampoGenerale(65, QStringLiteral("12")); }));
    // The "N/A" box of field 65 empties and locks the field; the tick is the edit.
    QVERIFY(annuncia([&] { b.q.setRiunioniNA(true); }));
    QVERIFY(b.q.campoGenerale(65).isEmpty() && !b.q.campo65Abilitato());
    QVERIFY(annuncia([&] {
        const Questionario::Caricamento c(b.q);
        b.q.setBox(9, Casella::SI, true);
    }));
    // Filling from a file is no edit, apart from the boxes; nor is a Riquadro II count.
    QVERIFY(!annuncia([&] {
        const Questionario::Caricamento c(b.q);
        b.q.setCampoGenerale(1, QStringLiteral("12345678901"));
        b.q.setRiunioniNA(false);
    }));
    QVERIFY(!annuncia([&] { b.q.setConteggioRiquadroII(0, QStringLiteral("4")); }));
    QVERIFY(b.q.campo65Abilitato() && b.q.conteggioRiquadroII(0) == u"4");
    // The two-tier model has neither field 65 nor its box.
    Banco d(D);
    d.q.setRiunioniNA(true);
    d.q.setCampoGenerale(65, QStringLiteral("3"));
    QVERIFY(!d.q.riunioniNA() && d.q.campoGenerale(65).isEmpty());
}

void TestRegoleRisposta::indiciFuoriIntervallo()
{
    Banco b;
    QSignalSpy modifiche(&b.q, &Questionario::modificato);
    for (int i : {-1, 82}) {
        QVERIFY(!b.q.setNotaSI(i, "x") && !b.q.setNotaAltre(i, "x") && !b.q.setSegnoNota(i, true));
        b.clicca(i, QStringLiteral("SNA"));
        b.q.fineNota(i, QStringLiteral("x"));
        QVERIFY(b.spuntate(i).isEmpty() && b.q.testoNota(i).isEmpty() && !b.q.notaApribileDaEtichetta(i));
    }
    QVERIFY(modifiche.isEmpty() && b.aperture() == 0);
}

// Which ticked answer lets a note label open a note that has no text yet; a label whose note has text always
// opens it, a label the model does not show never does.
void TestRegoleRisposta::etichettaApreLaNota_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("indice");
    QTest::addColumn<bool>("suSI");
    QTest::addColumn<bool>("suNO");
    QTest::addColumn<bool>("mostrata");
    const std::set<int> suSI = con({0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 31, 43, 74, 79, 80, 81});
    const std::set<int> suNO = con({6, 7, 77, 78}, 48, 72), suEntrambe{20, 22, 24, 26, 28}, mai{30};
    const std::map<Modello, std::set<int>> senzaEtichetta{
        {T, {31, 71}}, {D, {31, 43, 69, 71}}, {M, {43, 69}}};
    for (Modello m : tuttiIModelli) {
        int mostrate = 0;
        for (int i = 0; i < numeroIndici; ++i) {
            const Domanda& d = profilo(m).domanda(i);
            if (!d.presente || !d.haCaselle())
                continue;
            const bool si = suSI.count(i) || suEntrambe.count(i), no = suNO.count(i) || suEntrambe.count(i);
            const bool mostrata = (si || no || mai.count(i)) && !senzaEtichetta.at(m).count(i);
            mostrate += mostrata;
            QTest::addRow("%s %d", qPrintable(nomeModello(m)), i) << m << i << si << no << mostrata;
        }
        QCOMPARE(mostrate, m == D ? 48 : 50);
    }
}

void TestRegoleRisposta::etichettaApreLaNota()
{
    QFETCH(Modello, modello);
    QFETCH(int, indice);
    QFETCH(bool, suSI);
    QFETCH(bool, suNO);
    QFETCH(bool, mostrata);
    const Domanda& d = profilo(modello).domanda(indice);
    QCOMPARE(d.etichettaNotaVisibile, mostrata);
    for (const QString stato : {"", "S", "N", "A", "nota"}) {
        Banco b(modello);
        {
            const Questionario::Caricamento c(b.q);
            if (stato == u"nota")
                b.q.setSegnoNota(indice, true);
            else if (stato == u"S" || (stato == u"N" && !d.casellaSingola()) || (stato == u"A" && d.offreNA))
                b.clicca(indice, stato);
        }
        const bool attesa = mostrata && (stato == u"nota" || (suSI && b.q.casella(indice, Casella::SI)) ||
                                         (suNO && b.q.casella(indice, Casella::NO)));
        QVERIFY2(b.q.notaApribileDaEtichetta(indice) == attesa, qPrintable(stato));
    }
}

QTEST_APPLESS_MAIN(TestRegoleRisposta)
#include "tst_regolerisposta.moc"
