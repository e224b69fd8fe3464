#include "modelli/profilomodello.h"

#include <QTest>
#include <set>

Q_DECLARE_METATYPE(Modello)

namespace {

constexpr Modello T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
using Didascalie = QMap<int, QString>;

std::set<int> con(std::initializer_list<int> singoli, int da = 0, int a = -1, int da2 = 0, int a2 = -1)
{
    std::set<int> s(singoli);
    for (int i = da; i <= a; ++i)
        s.insert(i);
    for (int i = da2; i <= a2; ++i)
        s.insert(i);
    return s;
}

} // namespace

class TestCatalogo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void domandeERighe_data();
    void domandeERighe();
    void ordineDellePagine_data();
    void ordineDellePagine();
    void testiDelicati_data();
    void testiDelicati();
    void etichetteNota_data();
    void etichetteNota();
};

void TestCatalogo::domandeERighe_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<std::set<int>>("presenti");
    QTest::addColumn<std::set<int>>("nascoste");
    QTest::addColumn<std::set<int>>("conNA");
    QTest::addColumn<std::set<int>>("caselleSingole");
    QTest::addColumn<std::set<int>>("doppiSpazi"); // two spaces in a row, after the leading ones
    // A few note captions: the one after "Nota 10.r", the model's own notes, and the captions of hidden
    // labels.
    QTest::addColumn<Didascalie>("didascalie");
    const auto na = {6, 8, 9, 10, 12, 14, 15, 20, 21, 22, 24, 26, 28};
    QTest::newRow("Tradizionale") << T << con({}, 0, 81) << con({75, 76})
                                  << con({6, 8, 9, 10, 12, 14, 15, 20, 21, 22, 24, 26, 28, 36, 71}, 44, 46)
                                  << con({79, 81}) << con({19, 20, 30, 57, 68})
                                  << Didascalie{{66, "Nota 10.t"}, {31, "NO"}, {71, "NO"}, {76, ""}};
    QTest::newRow("Dualistico") << D << con({72, 73, 74, 77, 78, 79, 80, 81}, 0, 30, 48, 70) << con({69})
                                << con(na) << con({79, 80, 81}) << con({20, 30, 57, 68})
                                << Didascalie{{77, "Nota 10.a.1"}, {69, "Nota 10.w"}};
    QTest::newRow("Monistico") << M << con({77, 78, 79, 80, 81}, 0, 31, 48, 74) << con({69}) << con(na)
                               << con({79, 80, 81}) << con({19, 20, 30, 57, 68})
                               << Didascalie{{31, "Nota 8.h"}, {71, "Nota 10.y"}, {81, "Nota 1.0.c"}};
}

void TestCatalogo::domandeERighe()
{
    QFETCH(Modello, modello);
    QFETCH(std::set<int>, presenti);
    QFETCH(std::set<int>, nascoste);
    QFETCH(std::set<int>, conNA);
    QFETCH(std::set<int>, caselleSingole);
    QFETCH(std::set<int>, doppiSpazi);
    QFETCH(Didascalie, didascalie);
    const ProfiloModello& p = profilo(modello);
    std::set<int> rientrate, spaziDoppi, righe, numeriEtichetta;
    std::set<QString> note;
    for (int i = 0; i < numeroIndici; ++i) {
        const Domanda& d = p.domanda(i);
        const QString n = QString::number(i);
        QCOMPARE(d.indice, i);
        QVERIFY2(d.presente == bool(presenti.count(i)) && d.nascosta == bool(nascoste.count(i)),
                 qPrintable(n));
        if (!d.presente)
            continue;
        QCOMPARE(d.pagina, paginaDiIndice(i));
        QCOMPARE(d.etichettaNota, didascalie.value(i, d.etichettaNota));
        // No two questions share a note.
        QVERIFY2(!d.etichettaNotaVisibile || note.insert(d.etichettaNota).second, qPrintable(n));
        // Count fields stand in place of the boxes of 34, 38 and 40 in the traditional model.
        QCOMPARE(d.campoConteggio, modello == T ? int(QList<int>({34, 38, 40}).indexOf(i)) : -1);
        // Sub-questions are indented by exactly 48 spaces; no other text starts or ends with one.
        const qsizetype spazi = d.testo.size() - QStringView(d.testo).trimmed().size();
        if (spazi > 0) {
            QVERIFY2(spazi == 48 && d.testo.size() > 48 && d.testo.startsWith(QString(48, u' ')) &&
                         d.testo.at(48) != u' ',
                     qPrintable(n));
            rientrate.insert(i);
        }
        if (d.testo.trimmed().contains(QStringLiteral("  ")))
            spaziDoppi.insert(i);
        if (!d.haCaselle())
            continue;
        if (caselleSingole.count(i))
            QVERIFY2(d.didascaliaSI.isEmpty() && d.didascaliaNO.isEmpty(), qPrintable(n));
        else if (i == 7)
            QVERIFY(d.didascaliaSI == u"Adeguata" && d.didascaliaNO == u"Inadeguata");
        else
            QVERIFY2(d.didascaliaSI == u"Si" && d.didascaliaNO == u"No", qPrintable(n));
        QVERIFY2(d.offreNA == bool(conNA.count(i)), qPrintable(n));
    }
    QCOMPARE(rientrate, con({0, 1, 2, 4, 5}));
    QCOMPARE(spaziDoppi, doppiSpazi);

    // Every question of the pages stands on exactly one row of its own page; each row has its own label.
    for (int pagina = 0; pagina < numeroPagine; ++pagina) {
        for (const RigaPagina& r : p.catalogo.pagine[pagina].righe) {
            QVERIFY(numeriEtichetta.insert(r.numeroEtichetta).second);
            if (r.eIntestazione()) {
                QVERIFY(r.numeroEtichetta == 0 || r.numeroEtichetta == 5);
                continue;
            }
            QVERIFY2(righe.insert(r.indice).second, qPrintable(QString::number(r.indice)));
            QCOMPARE(pagina, paginaDiIndice(r.indice));
            QCOMPARE(r.numeroEtichetta, r.indice <= 3 ? r.indice + 1 : r.indice + 2);
        }
    }
    presenti.erase(presenti.lower_bound(79), presenti.end());
    QCOMPARE(righe, presenti);
    QCOMPARE(p.catalogo.pagine[RiquadroII].applicabile, modello == T);
}

// Rows in display order; -1 is a heading.
void TestCatalogo::ordineDellePagine_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("pagina");
    QTest::addColumn<QList<int>>("righe");
    const QList<int> pagina2{15, 16, 17, 18, 19, 20, 21, 22, 73, 23, 24, 25, 26, 27, 28, 29, 30};
    const QList<int> pagina5{62, 63, 64, 65, 66, 67, 78, 68, 69, 70};
    for (Modello m : tuttiIModelli) {
        QTest::addRow("%s 1", qPrintable(nomeModello(m)))
            << m << 1 << QList<int>{72, -1, 0, 1, 2, 3, -1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
        QTest::addRow("%s 4", qPrintable(nomeModello(m)))
            << m << 4 << QList<int>{77, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61};
    }
    QTest::newRow("Tradizionale 2") << T << 2 << pagina2 + QList<int>{31, 74};
    QTest::newRow("Dualistico 2") << D << 2 << pagina2 + QList<int>{74};
    QTest::newRow("Monistico 2") << M << 2 << pagina2 + QList<int>{74, 31};
    QTest::newRow("Tradizionale 3") << T << 3 << QList<int>{32, 33, 34, 35, 36, 37, 38, 39, 40,
                                                            41, 42, 43, 44, 45, 46, 47, 76, 75};
    QTest::newRow("Dualistico 3") << D << 3 << QList<int>{};
    QTest::newRow("Monistico 3") << M << 3 << QList<int>{};
    QTest::newRow("Tradizionale 5") << T << 5 << pagina5 + QList<int>{71};
    QTest::newRow("Dualistico 5") << D << 5 << pagina5;
    QTest::newRow("Monistico 5") << M << 5 << pagina5 + QList<int>{71};
}

void TestCatalogo::ordineDellePagine()
{
    QFETCH(Modello, modello);
    QFETCH(int, pagina);
    QList<int> righe;
    for (const RigaPagina& r : profilo(modello).catalogo.pagine[pagina].righe)
        righe.append(r.indice);
    QTEST(righe, "righe");
}

// The shown note labels of each page, in display order: they name the notes in messages, files and reports.
void TestCatalogo::etichetteNota_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QStringList>("etichette"); // one entry per page, 0 to 5
    const QString pagina1 = QStringLiteral("0.a 1.a 1.b 1.c 1.d 1.e 2.a 3.a 3.b 4.a 4.b");
    const QString pagina2 = QStringLiteral("5.a 6.a 7.a 8.a 8.b 8.c 8.d 8.e 8.f 8.g");
    const QString pagina4 =
        QStringLiteral("10.a.1 10.a.2 10.b 10.c 10.d 10.e 10.f 10.g 10.h 10.i 10.j 10.k 10.l "
                       "10.m 10.n");
    const QString pagina5 = QStringLiteral("10.o 10.p 10.q 10.r 10.t 10.u 10.u.1 10.v");
    QTest::newRow("Tradizionale") << Modello::Tradizionale
                                  << QStringList{"1.0.a 1.0.b 1.0.c",   pagina1, pagina2, "9.a", pagina4,
                                                 pagina5 + " 10.w 10.x"};
    QTest::newRow("Dualistico") << Modello::Dualistico
                                << QStringList{"1.0.a 1.0.b 1.0.c", pagina1, pagina2, "", pagina4,
                                               pagina5 + " 10.x"};
    QTest::newRow("Monistico") << Modello::Monistico
                               << QStringList{"1.0.a 1.0.b 1.0.c",   pagina1, pagina2 + " 8.h", "", pagina4,
                                              pagina5 + " 10.x 10.y"};
}

void TestCatalogo::etichetteNota()
{
    QFETCH(Modello, modello);
    const ProfiloModello& p = profilo(modello);
    QStringList etichette;
    for (int pagina = 0; pagina < numeroPagine; ++pagina) {
        QStringList riga;
        QList<int> ordine = pagina == 0 ? QList<int>{79, 80, 81} : QList<int>();
        for (const RigaPagina& r : p.catalogo.pagine[pagina].righe)
            if (!r.eIntestazione())
                ordine << r.indice;
        for (int i : ordine)
            if (p.domanda(i).etichettaNotaVisibile)
                riga << p.domanda(i).etichettaNota.mid(5); // after "Nota "
        etichette << riga.join(u' ');
    }
    QTEST(etichette, "etichette");
    for (int i = 0; i < numeroIndici; ++i)
        QVERIFY(!p.domanda(i).etichettaNotaVisibile || p.domanda(i).etichettaNota.startsWith(u"Nota "));
}

void TestCatalogo::testiDelicati_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("testo");
    QTest::newRow("Dualistico 19, one space before \"della\"")
        << D << 19
        << QStringLiteral("E' stata ritenuta adeguata la struttura amministrativa della società ai fini del "
                          "rispetto dei principi di corretta amministrazione?");
    QTest::newRow("Monistico 73, no space after the comma")
        << M << 73
        << QStringLiteral(
               "Il comitato per il controllo sulla gestione,o un suo componente appositamente "
               "delegato, ha scambiato informazioni con i corrispondenti organi delle controllate, "
               "ai sensi dell'art. 151-ter, comma 4 del TUF?");
    QTest::newRow("Dualistico 0, indented")
        << D << 0 << QString(48, u' ') + QStringLiteral("società infragruppo");
    QTest::newRow("Monistico 69, hidden with its text")
        << M << 69
        << QStringLiteral(
               "L'indicazione sull'adesione al codice di autodisciplina del Comitato per la Corporate "
               "Governance delle società quotate?");
    QTest::newRow("Tradizionale 75, hidden without text") << T << 75 << QString();
}

void TestCatalogo::testiDelicati()
{
    QFETCH(Modello, modello);
    QFETCH(int, indice);
    QTEST(profilo(modello).domanda(indice).testo, "testo");
}

QTEST_APPLESS_MAIN(TestCatalogo)
#include "tst_catalogo.moc"
