// The three models' catalogues: which questions each has and how, their rows on the pages, their note labels.
#include "modelli/profilomodello.h"

#include <QTest>
#include <set>

using Indici = std::set<int>;
using Testi = QMap<int, QString>;

class TestCatalogo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void catalogo_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<Indici>("nascoste");
        QTest::addColumn<Indici>("conNA");
        QTest::addColumn<Indici>("caselleSingole");
        QTest::addColumn<Indici>("doppiSpazi"); // two spaces in a row, after the leading ones
        // Each page's rows in display order (on page 0 the boxes 79 to 81): a heading as "-" and its label
        // number; a question as its index, then ":" and its note label when shown, or in brackets the
        // caption of its hidden label when it has one.
        QTest::addColumn<QStringList>("pagine");
        QTest::addColumn<Testi>("testi"); // a few texts easily mistyped
        const auto riga = [](Modello m, const Indici& nascoste, const Indici& conNA, const Indici& singole,
                             const Indici& doppiSpazi, const QStringList& pagine, const Testi& testi) {
            QTest::newRow(qPrintable(nomeModello(m)))
                << m << nascoste << conNA << singole << doppiSpazi << pagine << testi;
        };
        const QString p0 = "79:1.0.a 80:1.0.b 81:1.0.c";
        const QString p1 =
            "72:0.a -0 0:1.a 1:1.b 2:1.c 3:1.d -5 4 5 6:1.e 7:2.a 8 9 10 11:3.a 12:3.b 13:4.a 14:4.b";
        const QString p2 =
            "15:5.a 16:6.a 17 18:7.a 19 20:8.a 21 22:8.b 73 23 24:8.c 25 26:8.d 27 28:8.e 29 30:8.f";
        const QString p3 = "32 33 34 35 36 37 38 39 40 41 42 43:9.a 44 45 46 47 76() 75()";
        const QString p4 =
            "77:10.a.1 48:10.a.2 49:10.b 50:10.c 51:10.d 52:10.e 53:10.f 54:10.g 55:10.h 56:10.i "
            "57:10.j 58:10.k 59:10.l 60:10.m 61:10.n";
        const QString p5 = "62:10.o 63:10.p 64:10.q 65:10.r 66:10.t 67:10.u 78:10.u.1 68:10.v";
        const Indici na{6, 8, 9, 10, 12, 14, 15, 20, 21, 22, 24, 26, 28};
        const QString t69 =
            "L'indicazione sull'adesione al codice di autodisciplina del Comitato per la Corporate "
            "Governance delle società quotate?";
        const QString t19 =
            "E' stata ritenuta adeguata la struttura amministrativa della società ai fini del "
            "rispetto dei principi di corretta amministrazione?";
        const QString t73 =
            "Il comitato per il controllo sulla gestione,o un suo componente appositamente "
            "delegato, ha scambiato informazioni con i corrispondenti organi delle controllate, "
            "ai sensi dell'art. 151-ter, comma 4 del TUF?";
        riga(Modello::Tradizionale, {75, 76},
             {6, 8, 9, 10, 12, 14, 15, 20, 21, 22, 24, 26, 28, 36, 44, 45, 46, 71}, {79, 81},
             {19, 20, 30, 57, 68}, {p0, p1, p2 + " 31 74:8.g", p3, p4, p5 + " 69:10.w 70:10.x 71"},
             {{69, t69}, {75, ""}});
        riga(Modello::Dualistico, {69}, na, {79, 80, 81}, {20, 30, 57, 68},
             {p0, p1, p2 + " 74:8.g", "", p4, p5 + " 69(Nota 10.w) 70:10.x"},
             {{0, QString(48, u' ') + "società infragruppo"}, {19, t19}});
        riga(Modello::Monistico, {69}, na, {79, 80, 81}, {19, 20, 30, 57, 68},
             {p0, p1, p2 + " 74:8.g 31:8.h", "", p4, p5 + " 69(Nota 10.w) 70:10.x 71:10.y"},
             {{69, t69}, {73, t73}});
    }
    void catalogo()
    {
        QFETCH(Modello, modello);
        QFETCH(Indici, nascoste);
        QFETCH(Indici, conNA);
        QFETCH(Indici, caselleSingole);
        QFETCH(Testi, testi);
        const ProfiloModello& p = profilo(modello);
        const bool tradizionale = modello == Modello::Tradizionale;
        QStringList pagine;
        Indici nelleRighe, rientrate, spaziDoppi;
        for (int pagina = 0; pagina < numeroPagine; ++pagina) {
            QStringList voci;
            for (const RigaPagina& r : pagina ? p.catalogo.pagine[pagina].righe
                                              : QList<RigaPagina>{{79, -1, {}}, {80, -1, {}}, {81, -1, {}}}) {
                const Domanda& d = p.domanda(std::max(r.indice, 0));
                const QString nota = d.etichettaNota;
                QString voce = QString::number(r.indice);
                if (r.eIntestazione())
                    voce = "-" + QString::number(r.numeroEtichetta);
                else if (d.etichettaNotaVisibile && nota.startsWith("Nota "))
                    voce += ":" + nota.mid(5);
                else if (nota != "NO")
                    voce += "(" + nota + ")";
                voci << voce;
                nelleRighe.insert(r.indice);
            }
            pagine << voci.join(u' ');
        }
        QTEST(pagine, "pagine");
        QCOMPARE(p.catalogo.pagine[RiquadroII].applicabile, tradizionale);
        for (int i = 0; i < numeroIndici; ++i) {
            const Domanda& d = p.domanda(i);
            const QByteArray n = QByteArray::number(i);
            // Present are the questions on the rows, hidden ones included.
            QVERIFY2(d.presente == bool(nelleRighe.count(i)) && d.nascosta == bool(nascoste.count(i)), n);
            if (!d.presente)
                continue;
            QCOMPARE(d.pagina, paginaDiIndice(i));
            QCOMPARE(d.testo, testi.value(i, d.testo));
            // Count fields stand in place of the boxes of 34, 38 and 40 in the traditional model.
            QCOMPARE(d.campoConteggio, tradizionale ? int(QList<int>({34, 38, 40}).indexOf(i)) : -1);
            // Sub-questions are indented by exactly 48 spaces; no other text starts or ends with one.
            const qsizetype spazi = d.testo.size() - QStringView(d.testo).trimmed().size();
            if (spazi > 0) {
                QVERIFY2(spazi == 48 && d.testo.startsWith(QString(48, u' ')) && d.testo.at(48) != u' ', n);
                rientrate.insert(i);
            }
            if (d.testo.trimmed().contains("  "))
                spaziDoppi.insert(i);
            const QString attese = caselleSingole.count(i) ? "|" : (i == 7 ? "Adeguata|Inadeguata" : "Si|No");
            const bool na = conNA.count(i);
            QVERIFY2(!d.haCaselle() || (d.didascaliaSI + '|' + d.didascaliaNO == attese && d.offreNA == na),
                     n);
        }
        QCOMPARE(rientrate, Indici({0, 1, 2, 4, 5}));
        QTEST(spaziDoppi, "doppiSpazi");
    }
};

QTEST_APPLESS_MAIN(TestCatalogo)
#include "tst_catalogo.moc"
