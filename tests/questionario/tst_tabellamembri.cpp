#include "questionario/tabellamembri.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using Colonne = QList<int>;

class TestTabellaMembri : public QObject
{
    Q_OBJECT

private:
    static void perModello()
    {
        QTest::addColumn<Modello>("modello");
        for (Modello m : tuttiIModelli)
            QTest::newRow(qPrintable(nomeModello(m))) << m;
    }

    static QStringList etichette(const TabellaMembri& t)
    {
        QStringList e;
        for (int r = 0; r < t.numeroRighe(); ++r)
            e << t.etichettaRiga(r);
        return e;
    }

    static bool celleDatiVuote(const TabellaMembri& t)
    {
        for (int r = 0; r < t.numeroRighe(); ++r) {
            for (int c = 1; c < t.numeroColonne(); ++c) {
                if (!t.cella(r, c).isEmpty())
                    return false;
            }
        }
        return true;
    }

private Q_SLOTS:
    void tabellaNuova_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<int>("colonne");
        QTest::newRow("Tradizionale") << Modello::Tradizionale << 13;
        QTest::newRow("Dualistico") << Modello::Dualistico << 12;
        QTest::newRow("Monistico") << Modello::Monistico << 13;
    }
    void tabellaNuova()
    {
        QFETCH(Modello, modello);
        QFETCH(int, colonne);
        TabellaMembri t(modello);
        QCOMPARE(t.columnCount(), colonne);
        QCOMPARE(etichette(t), (QStringList{"Pres.", "2", "3"}));
        QVERIFY(celleDatiVuote(t));
        // "Aggiungi Membro" twice.
        QSignalSpy inserite(&t, &QAbstractItemModel::rowsInserted);
        QVERIFY(t.aggiungiMembro());
        QVERIFY(t.aggiungiMembro());
        QCOMPARE(t.numeroMembri(), 5);
        QCOMPARE(t.rowCount(), 5);
        QCOMPARE(etichette(t), (QStringList{"Pres.", "2", "3", "4", "5"}));
        QVERIFY(celleDatiVuote(t));
        QCOMPARE(inserite.size(), 2);
        QCOMPARE(inserite.at(0).at(1).toInt(), 3);
        QCOMPARE(inserite.at(1).at(2).toInt(), 4);
    }

    void setGriglia_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<bool>("svuotata");
        for (Modello m : tuttiIModelli) {
            QTest::addRow("%s dopo lo svuotamento", qPrintable(nomeModello(m))) << m << true;
            QTest::addRow("%s senza svuotamento", qPrintable(nomeModello(m))) << m << false;
        }
    }
    void setGriglia()
    {
        QFETCH(Modello, modello);
        QFETCH(bool, svuotata);
        TabellaMembri t(modello);
        for (int i = 0; i < 3; ++i)
            QVERIFY(t.aggiungiMembro());
        for (int r = 0; r < 6; ++r) {
            for (int c = 1; c < t.numeroColonne(); ++c)
                QVERIFY(t.setCella(r, c, QStringLiteral("x")));
        }
        QSignalSpy tolte(&t, &QAbstractItemModel::rowsRemoved);
        if (svuotata)
            t.svuotaTutto();
        t.setGriglia();
        QCOMPARE(t.numeroMembri(), 3);
        QCOMPARE(etichette(t), (QStringList{"Pres.", "2", "3"}));
        QCOMPARE(celleDatiVuote(t), svuotata);
        QCOMPARE(t.cella(2, 1), svuotata ? QString() : QStringLiteral("x"));
        QCOMPARE(tolte.size(), 1);
        QCOMPARE(tolte.at(0).at(1).toInt(), 3);
        QCOMPARE(tolte.at(0).at(2).toInt(), 5);
        // The count follows the rows again from three.
        QVERIFY(t.aggiungiMembro());
        QCOMPARE(t.etichettaRiga(3), QStringLiteral("4"));
    }

    void layout_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<Colonne>("larghezze");
        QTest::addColumn<Colonne>("centrate");
        QTest::addColumn<Colonne>("conteggi");
        QTest::addColumn<int>("nascosta");
        QTest::addColumn<int>("requisiti");
        QTest::addColumn<int>("comitatoEsecutivo");
        const Colonne tm{450, 2820, 1940, 400, 900, 900, 900, 900, 900, 900, 900, 0, 1000};
        const Colonne centrateTM{3, 4, 5, 6, 7, 8, 9, 10, 12};
        const Colonne conteggiTM{4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("Tradizionale")
            << Modello::Tradizionale << tm << centrateTM << conteggiTM << 11 << 12 << 10;
        QTest::newRow("Dualistico") << Modello::Dualistico
                                    << Colonne{450, 2820, 1940, 400, 950, 950, 950, 950, 950, 950, 0, 1450}
                                    << Colonne{3, 4, 5, 6, 7, 8, 9, 11} << Colonne{4, 5, 6, 7, 8, 9} << 10
                                    << 11 << -1;
        QTest::newRow("Monistico") << Modello::Monistico << tm << centrateTM << conteggiTM << 11 << 12 << 10;
    }
    void layout()
    {
        QFETCH(Modello, modello);
        QFETCH(Colonne, larghezze);
        QFETCH(Colonne, centrate);
        QFETCH(Colonne, conteggi);
        QFETCH(int, nascosta);
        QFETCH(int, requisiti);
        QFETCH(int, comitatoEsecutivo);
        const LayoutMembri& l = layoutMembri(modello);
        Colonne l_larghezze, l_centrate, l_conteggi;
        for (int c = 0; c < l.numeroColonne(); ++c) {
            l_larghezze << l.colonne.at(c).larghezza;
            if (l.colonne.at(c).centrata)
                l_centrate << c;
            if (l.colonnaConteggio(c))
                l_conteggi << c;
        }
        QCOMPARE(l_larghezze, larghezze);
        QCOMPARE(l_centrate, centrate);
        QCOMPARE(l_conteggi, conteggi);
        QCOMPARE(l.colonnaNascosta, nascosta);
        QCOMPARE(l.ultimaColonnaDati, nascosta);
        QCOMPARE(l.colonnaRequisiti, requisiti);
        QCOMPARE(l.colonnaPresenzeComitatoEsecutivo, comitatoEsecutivo);
        QCOMPARE(l.numeroColonne(), requisiti + 1);

        // The grid shows the same alignment, always top-aligned; only the text columns are editable.
        TabellaMembri t(modello);
        for (int c = 0; c < t.numeroColonne(); ++c) {
            const int atteso = (centrate.contains(c) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
            QCOMPARE(t.data(t.index(1, c), Qt::TextAlignmentRole).toInt(), atteso);
            const bool modificabile = c != 0 && c != nascosta && c != requisiti;
            QCOMPARE(t.flags(t.index(1, c)).testFlag(Qt::ItemIsEditable), modificabile);
            QCOMPARE(t.setData(t.index(1, c), QStringLiteral("v")), modificabile);
        }
    }

    void intestazioni_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<int>("colonna");
        QTest::addColumn<QString>("intestazione");
        QTest::addColumn<QString>("suggerimento");
        const QString stessa; // the tooltip repeats the caption
        const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
        QTest::newRow("T nomi") << T << 1 << "Membri effettivi del collegio sindacale" << stessa;
        QTest::newRow("D nomi") << D << 1 << "Membri effettivi del consiglio di sorveglianza" << stessa;
        QTest::newRow("M nomi") << M << 1 << "Membri effettivi del comitato per il controllo sulla gestione"
                                << stessa;
        QTest::newRow("M minoranze") << M << 3 << "Eletto dalle minor."
                                     << "Eletto dalle minoranze";
        QTest::newRow("D gruppo") << D << 4 << "Numero di incarichi ricoperti in società del gruppo"
                                  << stessa;
        QTest::newRow("T presenze") << T << 7 << "Numero presenze alle riunioni del collegio sindacale"
                                    << stessa;
        QTest::newRow("D presenze") << D << 7 << "Numero presenze alle riunioni del consigl. di sorvegl."
                                    << "Numero presenze alle riunioni del consiglio di sorveglianza";
        QTest::newRow("M presenze")
            << M << 7 << "Numero pres. alle riunioni del comitato per il contr. sulla gest."
            << "Numero presenze alle riunioni del comitato per il controllo sulla gestione";
        QTest::newRow("T amministrazione")
            << T << 9 << "Numero pres. alle riunioni del consiglio d'amministr."
            << "Numero presenze alle riunioni del consiglio d'amministrazione";
        QTest::newRow("D gestione") << D << 9 << "Numero presenze alle riunioni del consiglio di gestione"
                                    << stessa;
        QTest::newRow("M esecutivo") << M << 10 << "Numero pres. alle riunioni del comitato esecutivo"
                                     << "Numero presenze alle riunioni del comitato esecutivo";
        QTest::newRow("T nascosta") << T << 11 << stessa << stessa;
        QTest::newRow("T requisiti") << T << 12 << "Requisiti di profes."
                                     << "Requisiti di professionalità";
        QTest::newRow("D requisiti") << D << 11 << "Requisiti di professionalità" << stessa;
    }
    void intestazioni()
    {
        QFETCH(Modello, modello);
        QFETCH(int, colonna);
        QFETCH(QString, intestazione);
        QFETCH(QString, suggerimento);
        const ColonnaMembri& c = layoutMembri(modello).colonne.at(colonna);
        QCOMPARE(c.intestazione, intestazione);
        QCOMPARE(c.suggerimento, suggerimento.isEmpty() ? intestazione : suggerimento);
        TabellaMembri t(modello);
        QCOMPARE(t.headerData(colonna, Qt::Horizontal).toString(), intestazione);
        QVERIFY(!t.headerData(0, Qt::Vertical).isValid());
    }

    void titoloNota_data()
    {
        QTest::addColumn<int>("riga");
        QTest::addColumn<QString>("titolo");
        QTest::newRow("presidente") << 0 << "Requisiti professionalità del PRESIDENTE - Testo associato";
        QTest::newRow("riga 3") << 2 << "Requisiti professionalità del MEMBRO 3 - Testo associato";
        QTest::newRow("membro aggiunto") << 3 << "Requisiti professionalità del MEMBRO 4 - Testo associato";
    }
    void titoloNota()
    {
        QFETCH(int, riga);
        QFETCH(QString, titolo);
        TabellaMembri t(Modello::Monistico);
        QVERIFY(t.aggiungiMembro());
        QCOMPARE(t.titoloNotaMembro(riga), titolo);
        QVERIFY(t.setCella(riga, 11, QStringLiteral("a\nb\r\nc")));
        QCOMPARE(t.testoNotaMembro(riga), QStringLiteral("a\r\nb\r\nc"));
    }

    void fineNota_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<int>("nascosta");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("requisiti");
        QTest::addColumn<QString>("segno");
        struct Caso
        {
            const char* nome;
            QString testo, requisiti, segno;
        };
        const Caso casi[] = {{"testo", "Dottore\r\ncommercialista", "Dottore\r\ncommercialista", "SI"},
                             {"spazi e a capo", "   \r\n", {}, {}},
                             {"vuoto", {}, {}, {}},
                             {"tab e lettera", "\tx", "\tx", "SI"}};
        for (Modello m : tuttiIModelli) {
            for (const Caso& c : casi) {
                QTest::addRow("%s %s", qPrintable(nomeModello(m)), c.nome)
                    << m << (m == Modello::Dualistico ? 10 : 11) << c.testo << c.requisiti << c.segno;
            }
        }
    }
    void fineNota()
    {
        QFETCH(Modello, modello);
        QFETCH(int, nascosta);
        QFETCH(QString, testo);
        QFETCH(QString, requisiti);
        QFETCH(QString, segno);
        TabellaMembri t(modello);
        QVERIFY(t.setCella(1, nascosta, QStringLiteral("vecchio")));
        QVERIFY(t.setCella(1, nascosta + 1, QStringLiteral("SI")));
        QVERIFY(t.setCella(1, nascosta - 1, QStringLiteral("7")));
        t.fineNotaMembro(1, testo);
        QCOMPARE(t.cella(1, nascosta), requisiti);
        QCOMPARE(t.requisiti(1), requisiti);
        QCOMPARE(t.cella(1, nascosta + 1), segno);
        QCOMPARE(t.cella(1, nascosta - 1), QStringLiteral("7"));
    }

    void rigaVuota_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<int>("colonna");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<int>("piene");
        const auto T = Modello::Tradizionale, D = Modello::Dualistico;
        QTest::newRow("nessuna cella") << T << 1 << "" << 0;
        QTest::newRow("solo spazi") << T << 1 << "   " << 1;
        QTest::newRow("T ultima colonna dati") << T << 11 << "x" << 1;
        QTest::newRow("T segno requisiti") << T << 12 << "SI" << 0;
        QTest::newRow("D ultima colonna dati") << D << 10 << "x" << 1;
        QTest::newRow("D segno requisiti") << D << 11 << "SI" << 0;
    }
    void rigaVuota()
    {
        QFETCH(Modello, modello);
        QFETCH(int, colonna);
        QFETCH(QString, testo);
        QFETCH(int, piene);
        TabellaMembri t(modello);
        QVERIFY(t.setCella(2, colonna, testo));
        QCOMPARE(t.celleNonVuote(2), piene);
        QCOMPARE(t.rigaVuota(2), piene == 0);
        // The row label never makes a row filled.
        QVERIFY(t.rigaVuota(1));
    }

    void fuoriIntervallo_data()
    {
        QTest::addColumn<int>("riga");
        QTest::addColumn<int>("colonna");
        QTest::newRow("riga negativa") << -1 << 1;
        QTest::newRow("riga oltre l'ultima") << 3 << 0;
        QTest::newRow("colonna negativa") << 0 << -1;
        QTest::newRow("colonna oltre l'ultima") << 0 << 12;
    }
    void fuoriIntervallo()
    {
        QFETCH(int, riga);
        QFETCH(int, colonna);
        TabellaMembri t(Modello::Dualistico);
        QSignalSpy cambiate(&t, &QAbstractItemModel::dataChanged);
        QCOMPARE(t.cella(riga, colonna), QString());
        QVERIFY(!t.setCella(riga, colonna, QStringLiteral("x")));
        if (riga != 0) {
            // Operations on a whole row refuse a row that does not exist.
            t.fineNotaMembro(riga, QStringLiteral("x"));
            QCOMPARE(t.etichettaRiga(riga), QString());
            QVERIFY(t.rigaVuota(riga));
        }
        QCOMPARE(cambiate.size(), 0);
        QVERIFY(!t.index(riga, colonna).isValid());
    }

    void limiteMembri()
    {
        TabellaMembri t(Modello::Dualistico);
        while (t.numeroMembri() < TabellaMembri::massimoMembri)
            QVERIFY(t.aggiungiMembro());
        QCOMPARE(t.etichettaRiga(32766), QStringLiteral("32767"));
        QVERIFY(!t.aggiungiMembro());
        QVERIFY(!t.aggiungiRiga(QStringLiteral("x")));
        QCOMPARE(t.numeroMembri(), 32767);
    }

    void modelloCoerente_data() { perModello(); }
    void modelloCoerente()
    {
        QFETCH(Modello, modello);
        TabellaMembri t(modello);
        QAbstractItemModelTester tester(&t, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy cambiate(&t, &QAbstractItemModel::dataChanged);
        for (int i = 0; i < 40; ++i)
            QVERIFY(t.aggiungiMembro());
        QVERIFY(t.setCella(20, 2, QStringLiteral("RSSMRA80A01H501U")));
        QCOMPARE(cambiate.size(), 1);
        QCOMPARE(cambiate.at(0).at(0).toModelIndex(), t.index(20, 2));
        QVERIFY(t.setCella(20, 2, QStringLiteral("RSSMRA80A01H501U")));
        QCOMPARE(cambiate.size(), 1);
        QVERIFY(t.setData(t.index(5, 1), QStringLiteral("Bianchi")));
        QCOMPARE(t.data(t.index(5, 1)).toString(), QStringLiteral("Bianchi"));
        t.fineNotaMembro(7, QStringLiteral("Revisore"));
        QVERIFY(t.aggiungiRiga(QStringLiteral("44")));
        t.svuotaTutto();
        t.setGriglia();
        QCOMPARE(t.rowCount(), 3);
    }
};

QTEST_APPLESS_MAIN(TestTabellaMembri)
#include "tst_tabellamembri.moc"
