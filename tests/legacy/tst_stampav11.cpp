// The report of a version 1.1 questionnaire traced with the fixed metric: at size 10 a character is 1.8
// units wide and a line 4.2 high, so a label line takes 6.2 units and a one-line question 4.9; at size 12 the
// rule is 92 "_", at size 10 110.
#include "legacy/contenutov11.h"
#include "legacy/stampav11.h"
#include "stampa/superficieregistrazione.h"
#include "support/tracciastampa.h"

#include <QTest>

namespace {

QStringList traccia(const ContenutoV11& c)
{
    SuperficieRegistrazione superficie;
    if (!stampaV11(c, superficie))
        return {"stampa fallita"};
    return tracciaStampa(superficie);
}

ContenutoV11 esempio()
{
    ContenutoV11 c;
    c.campiGenerali[2] = "31";
    c.campiGenerali[3] = "12";
    c.campiGenerali[4] = "2004";
    // Member row 1: name, tax code, the three office counts.
    c.campiGenerali[13] = "Nicolò Bianchi";
    c.campiGenerali[14] = "BNCNCL60A01H501X";
    c.campiGenerali[15] = "1";
    c.campiGenerali[17] = "12";
    c.minoranze[1] = true;
    c.conteggi = {"4", "12", "3"};
    c.segniNota[1] = c.segniNota[4] = c.segniNota[6] = c.segniNota[13] = c.segniNota[70] = true;
    c.noteSIV11[1] = "Primo.\r\nSecondo.";
    c.noteAltreV11[4] = "Nascosta."; // red behind a hidden label
    c.noteAltreV11[12] = "Vecchia."; // behind a label that is not red
    c.noteSIV11[13] = "Slot Si.";
    c.noteAltreV11[13] = "Altro slot.";
    c.noteAltreV11[70] = "Ultima.";
    return c;
}

} // namespace

class TestStampaV11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void estratti_data()
    {
        QTest::addColumn<QString>("da");
        QTest::addColumn<QStringList>("attesa");
        QTest::newRow("page 1") << "TAMREL - SCHEDA RIEPILOGATIVA DELL'OMBRISA v. 1.1"
                                << QStringList{
                                       "5.00 1.00 15|TAMREL - SCHEDA RIEPILOGATIVA DELL'OMBRISA v. 1.1",
                                       "5.00 15.00 12|DATI GENERALI", "159.00 15.00 10|Pagina 1 di 4 pagine",
                                       "0.00 15.75 10|_×110", "0.00 25.00 10g|Denominazione della società"};
        QTest::newRow("a date joined with /")
            << "Data di chiusura del bilancio (gg/mm/aaaa)"
            << QStringList{"0.00 37.40 10g|Data di chiusura del bilancio (gg/mm/aaaa)", "76.40 37.40 10|.×57",
                           "179.00 37.40 10|31/12/2004"};
        QTest::newRow("an empty date, last on page 1")
            << "Data inizio incarico (gg/mm/aaaa)"
            << QStringList{"0.00 254.40 10g|Data inizio incarico (gg/mm/aaaa)", "60.20 254.40 10|.×76",
                           "nuovaPagina"};
        QTest::newRow("member row 1")
            << "Membro"
            << QStringList{"0.00 99.40 10g|Membro",
                           "11.60 99.40 10|.×89",
                           "171.80 99.40 10|Nicolò Bianchi",
                           "0.00 105.60 10g|   Codice Fiscale",
                           "31.40 105.60 10|.×76",
                           "168.20 105.60 10|BNCNCL60A01H501X",
                           "0.00 111.80 10g|   Eletto dalle minoranze",
                           "45.80 111.80 10|.×82",
                           "193.40 111.80 10|Si",
                           "0.00 118.00 10g|   Numero di incarichi ricoperti in società del gruppo",
                           "98.00 118.00 10|.×54",
                           "195.20 118.00 10|1",
                           "0.00 124.20 10g|   Numero di incarichi ricoperti in società quotate",
                           "92.60 124.20 10|.×58",
                           "0.00 130.40 10g|   Numero di incarichi ricoperti in altre società",
                           "89.00 130.40 10|.×58",
                           "193.40 130.40 10|12",
                           "0.00 136.60 10g|Membro"};
        const QString quante = "Quante riunioni sono state svolte dal comitato nel corso dell'anno?";
        QTest::newRow("count of group 34")
            << "Quante riunioni sono state svolte dal comitato per il controllo interno nel corso dell'anno?"
            << QStringList{"0.00 12.00 10g|Quante riunioni sono state svolte dal comitato per il controllo "
                           "interno nel corso dell'anno?",
                           "166.40 12.00 10|.×16", "195.20 12.00 10|4"};
        QTest::newRow("counts of groups 38 and 40")
            << "E' stato istituito il comitato per le proposte di nomina?"
            << QStringList{"0.00 26.70 10g|E' stato istituito il comitato per le proposte di nomina?",
                           "103.40 26.70 10|.×52",
                           "0.00 31.60 10g|" + quante,
                           "121.40 31.60 10|.×40",
                           "193.40 31.60 10|12",
                           "0.00 36.50 10g|E' stato istituito il comitato per la remunerazione?",
                           "94.40 36.50 10|.×57",
                           "0.00 41.40 10g|" + quante,
                           "121.40 41.40 10|.×41",
                           "195.20 41.40 10|3"};
        // Groups 4 (hidden label) and 12 (label not red) have no entry; 6 is red without a text; 13 keeps
        // its other slot.
        QTest::newRow("notes page")
            << "Note"
            << QStringList{"5.00 5.00 12|Note",        "0.00 5.75 12|_×92",       "5.00 12.00 10g|Nota 1.b",
                           "0.00 16.20 10|Primo.",     "0.00 20.40 10|Secondo.",  "5.00 25.30 10g|Nota 1.e",
                           "0.00 29.50 10|",           "5.00 34.40 10g|Nota 4.a", "0.00 38.60 10|Altro slot.",
                           "5.00 43.50 10g|Nota 10.x", "0.00 47.70 10|Ultima.",   "fine"};
    }
    void estratti()
    {
        QFETCH(QString, da);
        QFETCH(QStringList, attesa);
        const QStringList t = traccia(esempio());
        QCOMPARE(tracciaDa(t, da, int(attesa.size())), attesa);
        QCOMPARE(t.count("fine"), 1);
    }

    void pagine()
    {
        // Every page after the first, with its first body line. Page 2 runs out after group 32 (its last line
        // at 287.8): group 33 goes on over a further page with the same label and heading.
        const QStringList t = traccia(esempio());
        QStringList inizi;
        for (qsizetype k = t.indexOf("nuovaPagina"); k >= 0; k = t.indexOf("nuovaPagina", k + 1))
            inizi << t.mid(k + 1, t.at(k + 1).contains("|Pagina ") ? 4 : 3);
        const auto pagina = [](int n, const QString& intestazione, const QString& primaRiga) {
            return QStringList{QString("159.00 5.00 10|Pagina %1 di 4 pagine").arg(n),
                               "5.00 5.00 12|" + intestazione, "0.00 5.75 12|_×92",
                               "0.00 12.00 10g|" + primaRiga};
        };
        const QString riquadroI = "Riquadro I - Ombrisa";
        const QStringList attesi =
            pagina(2, riquadroI, "La società ha effettuato operazioni atipiche o inusuali con:") +
            pagina(2, riquadroI, "E' stato istituito il comitato per il controllo interno?") +
            pagina(3, "Riquadro II - Adesione al codice di autodisciplina",
                   "Quante riunioni sono state svolte dal comitato per il controllo interno nel corso "
                   "dell'anno?") +
            pagina(4, "Riquadro III - Relazione per l'assemblea",
                   "(Nota 10.c) Le informazioni richieste al par. 2 p.2.1 della Comunicazione Tamrel n. "
                   "1025564 del") +
            QStringList{"5.00 5.00 12|Note", "0.00 5.75 12|_×92", "5.00 12.00 10g|Nota 1.b"};
        QCOMPARE(inizi, attesi);
    }

    void notaOltreLaPagina()
    {
        // A paragraph fills its lines up to 195 units (36 words of "ab", 107 characters); then 66 short
        // lines from 24.6: the 65th would start at 293.4 and goes on over an unnumbered page.
        QStringList righe{QStringList(40, "ab").join(u' ')};
        for (int i = 1; i <= 66; ++i)
            righe << QString("riga %1").arg(i);
        ContenutoV11 c;
        c.segniNota[70] = true;
        c.noteAltreV11[70] = righe.join("\r\n");
        const QStringList t = traccia(c);
        QCOMPARE(tracciaDa(t, "Nota 10.x", 3),
                 (QStringList{"5.00 12.00 10g|Nota 10.x", "0.00 16.20 10|" + QStringList(36, "ab").join(u' '),
                              "0.00 20.40 10|ab ab ab ab"}));
        QCOMPARE(
            tracciaDa(t, "riga 64", 8),
            (QStringList{"0.00 289.20 10|riga 64", "nuovaPagina", "5.00 5.00 12|Note", "0.00 5.75 12|_×92",
                         "0.00 12.00 10|riga 65", "0.00 16.20 10|riga 66", "fine"}));
    }

    void guastoDellaStampante_data()
    {
        QTest::addColumn<int>("limite");
        QTest::newRow("before the first operation") << 0;
        QTest::newRow("in the page 1 header") << 3;
        QTest::newRow("in the questions") << 300;
    }
    void guastoDellaStampante()
    {
        // A printer that takes `limite` operations, then fails: nothing after it, no end of document.
        class Guasta : public SuperficieRegistrazione
        {
        public:
            int limite = 0;
            bool inErrore() const override { return operazioni().size() >= limite; }
        } stampante;
        QFETCH(int, limite);
        stampante.limite = limite;
        QVERIFY(!stampaV11(esempio(), stampante));
        QCOMPARE(stampante.operazioni().size(), limite);
        QVERIFY(!tracciaStampa(stampante).contains("fine"));
    }
};

QTEST_GUILESS_MAIN(TestStampaV11)
#include "tst_stampav11.moc"
