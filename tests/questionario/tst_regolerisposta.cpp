#include "questionario/questionario.h"
#include "support/interazionefinta.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <set>

Q_DECLARE_METATYPE(Modello)

namespace {

constexpr Modello T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;

std::set<int> con(std::set<int> s, int da = 0, int a = -1)
{
    for (int i = da; i <= a; ++i)
        s.insert(i);
    return s;
}

// A questionnaire whose scripted note editor closes each note with the next queued text (empty when none).
struct Banco
{
    InterazioneFinta finta;
    Questionario q;
    QSignalSpy modifiche{&q, &Questionario::modificato};

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
    // Every question with boxes, in every model: which click opens the note editor. The note label opens a
    // note that has text; with none, only while the answer that calls for it is ticked, never on the SI of 30
    // nor the NO of 15 and 16. While a file is read no box opens anything; a withdrawn answer loses its note.
    void domande_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<std::set<int>>("suSI");
        QTest::addColumn<std::set<int>>("suNO");
        const auto si = {0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 30, 74, 79, 80, 81};
        QTest::newRow("T") << T << con(si, 43, 43) << con({6, 7, 15, 20, 22, 24, 26, 28, 72, 77, 78}, 48, 70);
        QTest::newRow("D") << D << con(si) << con({6, 7, 15, 16, 20, 22, 24, 26, 28, 70, 72, 77, 78}, 48, 68);
        QTest::newRow("M") << M << con(si, 31, 31)
                           << con({6, 7, 15, 16, 20, 22, 24, 26, 28, 70, 71, 72, 77, 78}, 48, 68);
    }
    void domande()
    {
        QFETCH(Modello, modello);
        QFETCH(std::set<int>, suSI);
        QFETCH(std::set<int>, suNO);
        for (int i = 0; i < numeroIndici; ++i) {
            const Domanda& d = profilo(modello).domanda(i);
            if (!d.presente || !d.haCaselle())
                continue;
            const bool eSI = suSI.count(i) && i != 30, eNO = suNO.count(i) && i != 15 && i != 16;
            const bool mostrata = suSI.count(i) || suNO.count(i), singola = d.casellaSingola();
            // Ticks and editors after a click; while a file is read, whether the label opens the note ("+")
            // with nothing, SI, NO ticked, with a note; the notes left when the answer is withdrawn.
            QString visti = QString::number(i) + u' ', attesi = visti;
            for (const QString casella : {"S", "N"}) {
                if (d.nascosta || (casella == u"N" && singola))
                    continue;
                Banco b(modello);
                b.finta.testiNota.enqueue(QStringLiteral("nota"));
                b.clicca(i, casella);
                visti += b.spuntate(i) + QString::number(b.aperture()) + u' ';
                attesi += casella + QString::number((casella == u"S" ? suSI : suNO).count(i)) + u' ';
            }
            Banco b(modello);
            const Questionario::Caricamento caricamento(b.q);
            for (const QString casella : {"", "S", "N"}) {
                b.clicca(i, casella);
                visti += casella + (b.q.notaApribileDaEtichetta(i) ? "+ " : "- ");
                b.clicca(i, casella);
            }
            attesi += "- S" + QString(eSI ? "+" : "-") + " N" + (eNO ? "+ " : "- ");
            QVERIFY(b.q.setNotaSI(i, "s") && b.q.setNotaAltre(i, "n") && b.q.setSegnoNota(i, true));
            visti += b.q.notaApribileDaEtichetta(i) ? "+ " : "- ";
            b.clicca(i, singola ? "SS" : "NN");
            visti += b.q.notaSI(i) + b.q.notaAltre(i) + QString::number(b.aperture()) + b.spuntate(i);
            QCOMPARE(visti, attesi + (mostrata ? "+ " : "- ") + (singola ? "n0" : "s0"));
        }
    }

    // "<model><question> <clicks> <texts> = <ticked> <note>": the editor, opened once per text, closes with
    // the next ("_" empty, "~" blanks and line breaks); the note ends in its answer's slot, the other empty.
    // When the editor opens, the other boxes are already unticked and their note gone.
    void sequenzeDiClic_data()
    {
        QTest::addColumn<QString>("riga");
        const char* const righe[] = {
            // Each box unticks the others, a second click unticks it; no editor where no note is called for.
            "T8 SN = N", "T8 NA = A", "T8 AS = S", "T8 AN = N", "T8 SS =", "T9 AA =", "T5 NS = S",
            // The note goes with its answer, however that is withdrawn.
            "T0 NS a = S a", "T6 AN a = N a", "T20 NSN a b c = N c", "T80 NS a = S a", "T78 NS a = S",
            "T0 SN a = N", "T20 SA a = A", "T0 SS a =", "D7 NA a = A", "M50 NN a =", "T79 SS a =",
            // A note left empty withdraws its answer.
            "T0 S ~ =", "D7 N _ =", "T79 S _ =", "T80 S _ =", "T0 SS _ a = S a"};
        for (const char* riga : righe)
            QTest::newRow(riga) << QString(riga);
    }
    void sequenzeDiClic()
    {
        QFETCH(QString, riga);
        const QStringList parti = riga.section(u'=', 0, 0).split(u' ', Qt::SkipEmptyParts);
        const int indice = parti[0].mid(1).toInt();
        QStringList testi = parti.mid(2).replaceInStrings(u"_", QString()).replaceInStrings(u"~", u" \r\n\t");
        Banco b(parti[0][0] == u'T' ? T : parti[0][0] == u'D' ? D : M);
        QString ultimo;
        QStringList fuoriPosto;
        b.finta.editorNota = [&](int i) {
            const QString allApertura = b.spuntate(i) + (b.q.segnoNota(i) ? "+segno" : "") + b.q.testoNota(i);
            if (allApertura != ultimo)
                fuoriPosto << allApertura;
            b.q.fineNota(i, testi.isEmpty() ? QString() : testi.takeFirst());
        };
        for (QChar c : parti[1])
            b.clicca(indice, ultimo = c);
        QCOMPARE(fuoriPosto, QStringList());
        QCOMPARE(b.aperture(), int(parti.size()) - 2);
        const QString nota = b.q.testoNota(indice);
        QCOMPARE((b.spuntate(indice) + u' ' + nota).trimmed(), riga.section(u'=', 1).trimmed());
        QVERIFY(b.q.notaSI(indice) + b.q.notaAltre(indice) == nota &&
                b.q.segnoNota(indice) == !nota.isEmpty());
    }

    void testoNellEditor()
    {
        Banco b;
        b.finta.testiNota << QStringLiteral("def");
        b.clicca(7, QStringLiteral("N"));
        b.q.setNotaSI(7, QStringLiteral("si"));
        b.q.setNotaAltre(5, QStringLiteral("a\nb\r\nc\rd"));
        // The slot of the ticked answer, with CR LF line breaks; "Cancella" empties that slot only.
        QCOMPARE(b.q.testoNota(7) + u'|' + b.q.testoNota(5), QStringLiteral("def|a\r\nb\r\ncd"));
        b.q.cancellaNota(7);
        QCOMPARE(b.q.notaAltre(7) + b.q.notaSI(7), QStringLiteral("si"));
        // The editor stores at most 65000 characters, never half of one.
        const QString faccina = QString::fromUtf8("\xF0\x9F\x98\x80"), a64998(64998, u'a');
        for (const auto& [testo, atteso] : {std::pair{QString(70000, u'a'), QString(65000, u'a')},
                                            {a64998 + u'a' + faccina, a64998 + u'a'},
                                            {a64998 + faccina + u'b', a64998 + faccina}}) {
            b.q.fineNota(5, testo);
            QCOMPARE(b.q.notaAltre(5), atteso);
        }
    }

    // Every edit is announced, but a Riquadro II count; filling from a file is none, apart from the boxes,
    // and runs no rule until the outermost filling ends. Indexes outside the questionnaire change nothing.
    void modifiche()
    {
        Banco b(M);
        const auto annuncia = [&](const std::function<void()>& azione) {
            b.modifiche.clear();
            azione();
            return !b.modifiche.isEmpty();
        };
        for (int i : {-1, 82}) {
            QVERIFY(!b.q.setNotaSI(i, "x") && !b.q.setNotaAltre(i, "x") && !b.q.setSegnoNota(i, true));
            b.clicca(i, QStringLiteral("SNA"));
            b.q.fineNota(i, QStringLiteral("x"));
            QVERIFY(b.spuntate(i).isEmpty() && b.q.testoNota(i).isEmpty() && !b.q.notaApribileDaEtichetta(i));
        }
        QVERIFY(b.modifiche.isEmpty());
        QVERIFY(annuncia([&] { b.q.tickNA(8); }) && annuncia([&] { b.q.tickNA(8); }) &&
                annuncia([&] { b.q.setCampoGenerale(65, "12"); }));
        // The "N/A" box of field 65 empties and locks the field; the tick is the edit.
        QVERIFY(annuncia([&] { b.q.setRiunioniNA(true); }) && b.q.campoGenerale(65).isEmpty());
        QVERIFY(!b.q.campo65Abilitato() && !annuncia([&] { b.q.setConteggioRiquadroII(0, "4"); }));
        {
            const Questionario::Caricamento c(b.q);
            Questionario::Caricamento{b.q}; // a nested filling, ended at once
            QVERIFY(annuncia([&] { b.clicca(0, QStringLiteral("SN")); }) && b.spuntate(0) == u"SN");
            QVERIFY(!annuncia([&] { b.q.setCampoGenerale(1, QStringLiteral("12345678901")); }));
            QVERIFY(!annuncia([&] { b.q.setRiunioniNA(false); }) && b.aperture() == 0);
        }
        QVERIFY(b.q.campo65Abilitato() && b.q.conteggioRiquadroII(0) == u"4");
        b.clicca(1, QStringLiteral("S")); // the editor, closed empty, withdraws the answer
        b.clicca(0, QStringLiteral("A"));
        QVERIFY(b.aperture() == 1 && b.spuntate(0) == u"A");
        // The two-tier model has neither field 65 nor its box.
        Banco d(D);
        d.q.setRiunioniNA(true);
        d.q.setCampoGenerale(65, QStringLiteral("3"));
        QVERIFY(!d.q.riunioniNA() && d.q.campoGenerale(65).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestRegoleRisposta)
#include "tst_regolerisposta.moc"
