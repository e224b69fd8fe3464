#include "questionario/questionario.h"
#include "support/interazionefinta.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <set>

Q_DECLARE_METATYPE(Modello)

namespace {

std::set<int> con(std::initializer_list<int> singoli, int da = 0, int a = -1)
{
    std::set<int> s(singoli);
    for (int i = da; i <= a; ++i)
        s.insert(i);
    return s;
}

// A questionnaire with a scripted note editor.
struct Banco
{
    InterazioneFinta finta;
    Questionario q;

    explicit Banco(Modello modello = Modello::Tradizionale) : q(modello, finta) { finta.questionario = &q; }

    int aperture() const { return int(finta.chiamate(QStringLiteral("nota")).size()); }
};

// Boxes a user can click: shown questions with boxes, and the boxes of the general-data page.
bool cliccabile(const ProfiloModello& p, int i)
{
    const Domanda& d = p.domanda(i);
    return d.presente && !d.nascosta && d.haCaselle();
}

} // namespace

class TestRegoleRisposta : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editorApertoDaSIeNO_data();
    void editorApertoDaSIeNO();
    void caselleEsclusive_data();
    void caselleEsclusive();
    void notaVuotaRitiraLaRisposta_data();
    void notaVuotaRitiraLaRisposta();
    void notaConTestoVaNelloSlotGiusto();
    void cambiareRispostaCancellaLaNota_data();
    void cambiareRispostaCancellaLaNota();
    void siblingSganciatiPrimaDellApertura();
    void duranteLaLetturaNessunaRegola();
    void ogniCambioSegnaModificato();
    void indiciFuoriIntervalloRifiutati();
    void riunioniNA();
    void campiGenerali();
    void conteggiRiquadroIINonSonoModifiche();
    void clicSulleEtichetteNota_data();
    void clicSulleEtichetteNota();
};

void TestRegoleRisposta::editorApertoDaSIeNO_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<std::set<int>>("suSI");
    QTest::addColumn<std::set<int>>("suNO");

    QTest::newRow("Tradizionale") << Modello::Tradizionale
                                  << con({0,  1,  2,  3,  11, 12, 13, 14, 15, 16, 18,
                                          20, 22, 24, 26, 28, 30, 43, 74, 79, 80, 81})
                                  << con({6, 7, 15, 20, 22, 24, 26, 28, 72, 77, 78}, 48, 70);
    QTest::newRow("Dualistico") << Modello::Dualistico << con({0,  1,  2,  3,  11, 12, 13, 14, 15, 16, 18,
                                                               20, 22, 24, 26, 28, 30, 74, 79, 80, 81})
                                << con({6, 7, 15, 16, 20, 22, 24, 26, 28, 70, 72, 77, 78}, 48, 68);
    QTest::newRow("Monistico") << Modello::Monistico << con({0,  1,  2,  3,  11, 12, 13, 14, 15, 16, 18,
                                                             20, 22, 24, 26, 28, 30, 31, 74, 79, 80, 81})
                               << con({6, 7, 15, 16, 20, 22, 24, 26, 28, 70, 71, 72, 77, 78}, 48, 68);
}

void TestRegoleRisposta::editorApertoDaSIeNO()
{
    QFETCH(Modello, modello);
    QFETCH(std::set<int>, suSI);
    QFETCH(std::set<int>, suNO);
    for (int i = 0; i < numeroIndici; ++i) {
        {
            Banco b(modello);
            if (!cliccabile(b.q.profilo(), i))
                continue;
            b.finta.testiNota.enqueue(QStringLiteral("nota"));
            b.q.tickSI(i);
            QVERIFY2(b.aperture() == (suSI.count(i) ? 1 : 0), qPrintable(QStringLiteral("SI %1").arg(i)));
        }
        Banco b(modello);
        if (b.q.profilo().domanda(i).casellaSingola())
            continue;
        b.finta.testiNota.enqueue(QStringLiteral("nota"));
        b.q.tickNO(i);
        QVERIFY2(b.aperture() == (suNO.count(i) ? 1 : 0), qPrintable(QStringLiteral("NO %1").arg(i)));
    }
}

void TestRegoleRisposta::caselleEsclusive_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("clic");   // boxes clicked in order: S, N, A
    QTest::addColumn<QString>("attese"); // ticked boxes afterwards

    QTest::newRow("SI then NO") << 8 << QStringLiteral("SN") << QStringLiteral("N");
    QTest::newRow("NO then NA") << 8 << QStringLiteral("NA") << QStringLiteral("A");
    QTest::newRow("NA then SI") << 8 << QStringLiteral("AS") << QStringLiteral("S");
    QTest::newRow("SI twice") << 8 << QStringLiteral("SS") << QString();
    QTest::newRow("NA twice") << 9 << QStringLiteral("AA") << QString();
    QTest::newRow("SI of 5 opens nothing") << 5 << QStringLiteral("NS") << QStringLiteral("S");
    QTest::newRow("80 SI then NO") << 80 << QStringLiteral("SN") << QStringLiteral("N");
    QTest::newRow("80 NO then SI") << 80 << QStringLiteral("NS") << QStringLiteral("S");
}

void TestRegoleRisposta::caselleEsclusive()
{
    QFETCH(int, indice);
    QFETCH(QString, clic);
    QFETCH(QString, attese);
    Banco b;
    b.finta.editorNota = [&b](int) { b.q.fineNota(QStringLiteral("testo")); };
    for (QChar c : clic) {
        if (c == u'S')
            b.q.tickSI(indice);
        else if (c == u'N')
            b.q.tickNO(indice);
        else
            b.q.tickNA(indice);
    }
    QString ottenute;
    if (b.q.casella(indice, Casella::SI))
        ottenute += u'S';
    if (b.q.casella(indice, Casella::NO))
        ottenute += u'N';
    if (b.q.casella(indice, Casella::NA))
        ottenute += u'A';
    QCOMPARE(ottenute, attese);
}

void TestRegoleRisposta::notaVuotaRitiraLaRisposta_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("indice");
    QTest::addColumn<bool>("conSI");
    QTest::addColumn<QString>("testo");

    QTest::newRow("SI of 0, closed empty") << Modello::Tradizionale << 0 << true << QString();
    QTest::newRow("SI of 0, only blanks")
        << Modello::Tradizionale << 0 << true << QStringLiteral("   \r\n\t");
    QTest::newRow("NO of 7") << Modello::Dualistico << 7 << false << QString();
    QTest::newRow("box 79") << Modello::Tradizionale << 79 << true << QString();
    QTest::newRow("box 81") << Modello::Monistico << 81 << true << QString();
    QTest::newRow("box 80 single") << Modello::Dualistico << 80 << true << QString();
    QTest::newRow("box 80 two boxes") << Modello::Tradizionale << 80 << true << QString();
}

void TestRegoleRisposta::notaVuotaRitiraLaRisposta()
{
    QFETCH(Modello, modello);
    QFETCH(int, indice);
    QFETCH(bool, conSI);
    QFETCH(QString, testo);
    Banco b(modello);
    b.finta.testiNota.enqueue(testo);
    conSI ? b.q.tickSI(indice) : b.q.tickNO(indice);
    QCOMPARE(b.q.risposta(indice), Risposta::Nessuna);
    QCOMPARE(b.q.segnoNota(indice), false);
    QVERIFY(b.q.notaSI(indice).isEmpty());
    QVERIFY(b.q.notaAltre(indice).isEmpty());
    // Withdrawing the box from inside the editor must not reopen it.
    QCOMPARE(b.aperture(), 1);
    QCOMPARE(b.q.bloccoClick(), false);
}

void TestRegoleRisposta::notaConTestoVaNelloSlotGiusto()
{
    Banco b;
    b.finta.testiNota << QStringLiteral("abc") << QStringLiteral("def");
    b.q.tickSI(0);
    QCOMPARE(b.q.notaSI(0), QStringLiteral("abc"));
    QVERIFY(b.q.notaAltre(0).isEmpty());
    QVERIFY(b.q.segnoNota(0));
    QCOMPARE(b.q.indiceNota(), 0);

    b.q.tickNO(7);
    QCOMPARE(b.q.notaAltre(7), QStringLiteral("def"));
    QVERIFY(b.q.notaSI(7).isEmpty());
    QCOMPARE(b.q.risposta(7), Risposta::NO);
    QCOMPARE(b.q.indiceNota(), 7);

    b.q.setIndiceNota(0);
    QCOMPARE(b.q.testoNotaDaMostrare(), QStringLiteral("abc"));
    b.q.setNotaAltre(5, QStringLiteral("a\nb\r\nc\rd"));
    b.q.setIndiceNota(5);
    QCOMPARE(b.q.testoNotaDaMostrare(), QStringLiteral("a\r\nb\r\ncd"));
}

void TestRegoleRisposta::cambiareRispostaCancellaLaNota_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<bool>("primaSI");
    QTest::addColumn<QString>("poi"); // S, N or A
    QTest::addColumn<int>("apertureAttese");

    // 0 is not in the note-on-NO set: the NO stays ticked and no editor opens.
    QTest::newRow("SI of 0 -> NO") << 0 << true << QStringLiteral("N") << 1;
    QTest::newRow("SI of 20 -> NA") << 20 << true << QStringLiteral("A") << 1;
    QTest::newRow("SI of 0 -> SI (untick)") << 0 << true << QStringLiteral("S") << 1;
    QTest::newRow("NO of 7 -> SI") << 7 << false << QStringLiteral("S") << 1;
    QTest::newRow("SI of 79 -> untick") << 79 << true << QStringLiteral("S") << 1;
}

void TestRegoleRisposta::cambiareRispostaCancellaLaNota()
{
    QFETCH(int, indice);
    QFETCH(bool, primaSI);
    QFETCH(QString, poi);
    QFETCH(int, apertureAttese);
    Banco b;
    b.finta.testiNota.enqueue(QStringLiteral("la nota"));
    primaSI ? b.q.tickSI(indice) : b.q.tickNO(indice);
    QVERIFY(b.q.segnoNota(indice));
    QSignalSpy svuotato(&b.q, &Questionario::testoNotaSvuotato);

    if (poi == u"S")
        b.q.tickSI(indice);
    else if (poi == u"N")
        b.q.tickNO(indice);
    else
        b.q.tickNA(indice);

    QVERIFY(b.q.notaSI(indice).isEmpty());
    QVERIFY(b.q.notaAltre(indice).isEmpty());
    QCOMPARE(b.q.segnoNota(indice), false);
    QCOMPARE(b.aperture(), apertureAttese);
    QCOMPARE(svuotato.count(), primaSI ? 1 : 0);
}

void TestRegoleRisposta::siblingSganciatiPrimaDellApertura()
{
    // When a tick opens the editor, the other boxes are already unticked while the user writes.
    Banco b;
    b.q.tickNO(0);
    bool noAllApertura = true;
    b.finta.editorNota = [&](int) {
        noAllApertura = b.q.casella(0, Casella::NO);
        b.q.fineNota(QStringLiteral("x"));
    };
    b.q.tickSI(0);
    QCOMPARE(noAllApertura, false);

    Banco c;
    c.q.tickNA(6);
    bool naAllApertura = true;
    c.finta.editorNota = [&](int) {
        naAllApertura = c.q.casella(6, Casella::NA);
        c.q.fineNota(QStringLiteral("x"));
    };
    c.q.tickNO(6);
    QCOMPARE(naAllApertura, false);
    QCOMPARE(c.q.risposta(6), Risposta::NO);
}

void TestRegoleRisposta::duranteLaLetturaNessunaRegola()
{
    Banco b;
    b.q.setCaricamento(true);
    b.q.setBloccoClick(true);
    b.q.setBox(0, Casella::SI, true);
    b.q.setBox(0, Casella::NO, true);
    QVERIFY(b.q.casella(0, Casella::SI));
    QVERIFY(b.q.casella(0, Casella::NO));
    b.q.setBox(79, Casella::SI, true);
    QCOMPARE(b.aperture(), 0);

    // Unticking a box whose question has a note still deletes the note.
    b.q.setNotaSI(3, QStringLiteral("n"));
    b.q.setSegnoNota(3, true);
    b.q.setBox(3, Casella::SI, true);
    b.q.setBox(3, Casella::SI, false);
    QVERIFY(b.q.notaSI(3).isEmpty());
    QCOMPARE(b.q.segnoNota(3), false);

    b.q.setNotaAltre(50, QStringLiteral("n"));
    b.q.setSegnoNota(50, true);
    b.q.setBox(50, Casella::NO, true);
    b.q.setBox(50, Casella::NO, false);
    QVERIFY(b.q.notaAltre(50).isEmpty());
    QCOMPARE(b.aperture(), 0);
}

void TestRegoleRisposta::ogniCambioSegnaModificato()
{
    Banco b;
    QSignalSpy leggi(&b.q, &Questionario::leggiDisponibileCambiato);
    QVERIFY(b.q.flagSalvato());
    QVERIFY(b.q.leggiDisponibile());
    b.q.setCaricamento(true);
    b.q.setBox(8, Casella::NA, true);
    QCOMPARE(b.q.flagSalvato(), false);
    QCOMPARE(b.q.leggiDisponibile(), false);
    QCOMPARE(leggi.count(), 1);
    b.q.setCaricamento(false);
    b.q.segnaSalvato();
    QVERIFY(b.q.flagSalvato());
    QVERIFY(b.q.leggiDisponibile());
    b.q.tickNA(8); // untick also counts
    QCOMPARE(b.q.flagSalvato(), false);
    QCOMPARE(leggi.count(), 3);
}

void TestRegoleRisposta::indiciFuoriIntervalloRifiutati()
{
    Banco b;
    for (int i : {-1, 82, 1000}) {
        QCOMPARE(b.q.setNotaSI(i, QStringLiteral("x")), false);
        QCOMPARE(b.q.setNotaAltre(i, QStringLiteral("x")), false);
        QCOMPARE(b.q.setSegnoNota(i, true), false);
        b.q.tickSI(i);
        b.q.setBox(i, Casella::NO, true);
        QCOMPARE(b.q.casella(i, Casella::SI), false);
        QCOMPARE(b.q.risposta(i), Risposta::Nessuna);
        QVERIFY(b.q.notaSI(i).isEmpty());
    }
    QVERIFY(b.q.flagSalvato());
    QCOMPARE(b.aperture(), 0);
    // A note read from a file is kept whole; the editor stores at most 65000 characters, never half a
    // character.
    b.q.setNotaSI(0, QString(70000, u'a'));
    QCOMPARE(b.q.notaSI(0).size(), 70000);
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    for (const auto& [testo, atteso] :
         {std::pair{QString(70000, u'a'), QString(65000, u'a')},
          std::pair{QString(64999, u'a') + emoji + emoji, QString(64999, u'a')},
          std::pair{QString(64998, u'a') + emoji + emoji, QString(64998, u'a') + emoji}}) {
        Banco c;
        c.finta.testiNota.enqueue(testo);
        c.q.tickSI(0);
        QCOMPARE(c.q.notaSI(0), atteso);
    }
}

void TestRegoleRisposta::riunioniNA()
{
    Banco b(Modello::Monistico);
    b.q.setCampoGenerale(65, QStringLiteral("12"));
    b.q.segnaSalvato();
    QSignalSpy campo(&b.q, &Questionario::campoGeneraleCambiato);
    b.q.setRiunioniNA(true);
    QVERIFY(b.q.campoGenerale(65).isEmpty());
    QCOMPARE(b.q.campo65Abilitato(), false);
    QCOMPARE(campo.count(), 1);
    // The tick itself is an edit, the emptying of the field is not reported as one.
    QCOMPARE(b.q.flagSalvato(), false);
    QCOMPARE(b.q.flagCaricamento(), false);
    b.q.setRiunioniNA(false);
    QVERIFY(b.q.campo65Abilitato());
    QVERIFY(b.q.campoGenerale(65).isEmpty());

    // While a file is read the tick is no edit.
    Banco c;
    c.q.setCaricamento(true);
    c.q.setRiunioniNA(true);
    QVERIFY(c.q.flagSalvato());
    QVERIFY(c.q.flagCaricamento());

    // The two-tier model has neither field 65 nor its box.
    Banco d(Modello::Dualistico);
    d.q.setRiunioniNA(true);
    QCOMPARE(d.q.riunioniNA(), false);
    d.q.setCampoGenerale(65, QStringLiteral("3"));
    QVERIFY(d.q.campoGenerale(65).isEmpty());
    QVERIFY(d.q.flagSalvato());
}

void TestRegoleRisposta::campiGenerali()
{
    Banco b;
    b.q.setCampoGenerale(2, QStringLiteral("1"));
    QVERIFY(b.finta.chiamate(QStringLiteral("focus")).isEmpty());
    QCOMPARE(b.q.flagSalvato(), false);
    b.q.setCampoGenerale(2, QStringLiteral("12"));
    b.q.setCampoGenerale(3, QStringLiteral("05"));
    b.q.setCampoGenerale(34, QStringLiteral("31"));
    b.q.setCampoGenerale(35, QStringLiteral("12"));
    b.q.setCampoGenerale(4, QStringLiteral("20"));
    QCOMPARE(
        b.finta.chiamate(QStringLiteral("focus")),
        QStringList({QStringLiteral("focus|TEXT_GENERALE_3"), QStringLiteral("focus|TEXT_GENERALE_4"),
                     QStringLiteral("focus|TEXT_GENERALE_35"), QStringLiteral("focus|TEXT_GENERALE_36")}));

    Banco c;
    c.q.setCaricamento(true);
    c.q.setCampoGenerale(2, QStringLiteral("12"));
    QCOMPARE(c.q.campoGenerale(2), QStringLiteral("12"));
    QVERIFY(c.finta.registro.isEmpty());
    QVERIFY(c.q.flagSalvato());
    // Values are kept exactly as typed, spaces included; unknown fields are refused.
    c.q.setCampoGenerale(0, QStringLiteral("  Alfa  "));
    QCOMPARE(c.q.campoGenerale(0), QStringLiteral("  Alfa  "));
    c.q.setCampoGenerale(8, QStringLiteral("x"));
    QVERIFY(c.q.campoGenerale(8).isEmpty());
}

void TestRegoleRisposta::conteggiRiquadroIINonSonoModifiche()
{
    Banco b;
    b.q.setConteggioRiquadroII(0, QStringLiteral("4"));
    b.q.setConteggioRiquadroII(2, QStringLiteral("12"));
    b.q.setConteggioRiquadroII(3, QStringLiteral("9"));
    QCOMPARE(b.q.conteggioRiquadroII(0), QStringLiteral("4"));
    QCOMPARE(b.q.conteggioRiquadroII(2), QStringLiteral("12"));
    QVERIFY(b.q.conteggioRiquadroII(3).isEmpty());
    QVERIFY(b.q.flagSalvato());
    QVERIFY(b.q.leggiDisponibile());
}

void TestRegoleRisposta::clicSulleEtichetteNota_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QString>("etichetta");
    QTest::addColumn<QString>("condizione"); // SI, NO, SIoNO, mai

    // By label caption: the same answers open the same labels in every model that shows them.
    QMap<QString, QString> condizioni;
    for (const char* c : {"Nota 1.a", "Nota 1.b", "Nota 1.c", "Nota 1.d", "Nota 3.a", "Nota 3.b", "Nota 4.a",
                          "Nota 4.b", "Nota 5.a", "Nota 6.a", "Nota 7.a", "Nota 8.h", "Nota 9.a", "Nota 8.g",
                          "Nota 1.0.a", "Nota 1.0.b", "Nota 1.0.c"})
        condizioni.insert(QString::fromUtf8(c), QStringLiteral("SI"));
    for (const char* c : {"Nota 1.e",  "Nota 2.a",  "Nota 10.a.2", "Nota 10.b",   "Nota 10.c",  "Nota 10.d",
                          "Nota 10.e", "Nota 10.f", "Nota 10.g",   "Nota 10.h",   "Nota 10.i",  "Nota 10.j",
                          "Nota 10.k", "Nota 10.l", "Nota 10.m",   "Nota 10.n",   "Nota 10.o",  "Nota 10.p",
                          "Nota 10.q", "Nota 10.r", "Nota 10.t",   "Nota 10.u",   "Nota 10.v",  "Nota 10.w",
                          "Nota 10.x", "Nota 10.y", "Nota 0.a",    "Nota 10.a.1", "Nota 10.u.1"})
        condizioni.insert(QString::fromUtf8(c), QStringLiteral("NO"));
    for (const char* c : {"Nota 8.a", "Nota 8.b", "Nota 8.c", "Nota 8.d", "Nota 8.e"})
        condizioni.insert(QString::fromUtf8(c), QStringLiteral("SIoNO"));
    condizioni.insert(QStringLiteral("Nota 8.f"), QStringLiteral("mai"));

    for (Modello m : tuttiIModelli) {
        const ProfiloModello& p = profilo(m);
        int mostrate = 0;
        for (int i = 0; i < numeroIndici; ++i) {
            const Domanda& d = p.domanda(i);
            if (!d.presente || !d.etichettaNotaVisibile)
                continue;
            ++mostrate;
            QVERIFY2(condizioni.contains(d.etichettaNota), qPrintable(d.etichettaNota));
            QTest::addRow("%s %s", qPrintable(nomeModello(m)), qPrintable(d.etichettaNota))
                << m << d.etichettaNota << condizioni.value(d.etichettaNota);
        }
        // Every label of the table that the model has, and no other.
        QCOMPARE(mostrate, m == Modello::Dualistico ? 48 : 50);
    }
}

void TestRegoleRisposta::clicSulleEtichetteNota()
{
    QFETCH(Modello, modello);
    QFETCH(QString, etichetta);
    QFETCH(QString, condizione);
    int indice = -1;
    for (int i = 0; i < numeroIndici; ++i) {
        if (profilo(modello).domanda(i).etichettaNota == etichetta)
            indice = i;
    }
    QVERIFY(indice >= 0);
    const Domanda& d = profilo(modello).domanda(indice);

    for (const QString& stato : {QStringLiteral("nessuna"), QStringLiteral("SI"), QStringLiteral("NO"),
                                 QStringLiteral("NA"), QStringLiteral("nota")}) {
        Banco b(modello);
        b.q.setCaricamento(true);
        if (stato == u"SI" || stato == u"nota")
            b.q.setBox(indice, Casella::SI, true);
        else if (stato == u"NO" && !d.casellaSingola())
            b.q.setBox(indice, Casella::NO, true);
        else if (stato == u"NA" && d.offreNA)
            b.q.setBox(indice, Casella::NA, true);
        if (stato == u"nota")
            b.q.setSegnoNota(indice, true);
        b.q.setCaricamento(false);
        b.q.segnaSalvato();
        b.q.setIndiceNota(indice == 0 ? 1 : 0);

        const bool attesa = stato == u"nota" || (stato == u"SI" && condizione.startsWith(u"SI")) ||
                            (stato == u"NO" && !d.casellaSingola() && condizione.contains(u"NO"));
        QVERIFY2(b.q.clicEtichettaNota(indice) == attesa, qPrintable(stato));
        // Whatever follows, the click clears the saved flag and selects the group.
        QCOMPARE(b.q.flagSalvato(), false);
        QCOMPARE(b.q.indiceNota(), indice);
    }
}

QTEST_APPLESS_MAIN(TestRegoleRisposta)
#include "tst_regolerisposta.moc"
