// The report of a version 1.1 questionnaire traced with the fixed metric: at size 10 a character is 1.8
// units wide and a line 4.2 high, so a label line takes 6.2 units and a one-line question 4.9.
#include "legacy/contenutov11.h"
#include "legacy/stampav11.h"
#include "stampa/superficieregistrazione.h"
#include "support/tracciastampa.h"

#include <QTest>

namespace {

QStringList traccia(const ContenutoV11& c)
{
    SuperficieRegistrazione superficie;
    return stampaV11(c, superficie) ? tracciaStampa(superficie) : QStringList{"stampa fallita"};
}

ContenutoV11 esempio()
{
    ContenutoV11 c;
    // The closing date; member row 1: name, tax code, offices in group and in other companies.
    const std::pair<int, QString> campi[] = {
        {2, "31"}, {3, "12"}, {4, "2004"}, {13, "Nicolò Bianchi"}, {14, "BNCNCL60A01H501X"},
        {15, "1"}, {17, "12"}};
    for (const auto& [indice, valore] : campi)
        c.campiGenerali[indice] = valore;
    c.minoranze[1] = true;
    c.conteggi = {"4", "12", "3"};
    for (int g : {1, 4, 6, 13, 70})
        c.segniNota[g] = true;
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
    void righe_data()
    {
        QTest::addColumn<QString>("riga");
        QTest::newRow("title") << "5.00 1.00 15|TAMREL - SCHEDA RIEPILOGATIVA DELL'OMBRISA v. 1.1";
        QTest::newRow("page 1 heading") << "5.00 15.00 12|DATI GENERALI";
        QTest::newRow("page 1 label") << "159.00 15.00 10|Pagina 1 di 4 pagine";
        QTest::newRow("page 1 rule") << "0.00 15.75 10|_×110";
        QTest::newRow("date joined with /") << "179.00 37.40 10|31/12/2004";
        QTest::newRow("empty date: the dots only") << "60.20 254.40 10|.×76";
        QTest::newRow("member name") << "171.80 99.40 10|Nicolò Bianchi";
        QTest::newRow("member tax code") << "168.20 105.60 10|BNCNCL60A01H501X";
        QTest::newRow("member minority label") << "0.00 111.80 10g|   Eletto dalle minoranze";
        QTest::newRow("member minority") << "193.40 111.80 10|Si";
        QTest::newRow("member offices in group companies") << "195.20 118.00 10|1";
        QTest::newRow("member offices in other companies") << "193.40 130.40 10|12";
        QTest::newRow("group 34 opens page 3")
            << "0.00 12.00 10g|Quante riunioni sono state svolte dal comitato "
               "per il controllo interno nel corso dell'anno?";
        QTest::newRow("group 34 count") << "195.20 12.00 10|4";
        QTest::newRow("group 38 count") << "193.40 31.60 10|12";
        QTest::newRow("group 40 count") << "195.20 41.40 10|3";
        QTest::newRow("group 50 opens page 4")
            << "0.00 12.00 10g|(Nota 10.c) Le informazioni richieste al par. 2 "
               "p.2.1 della Comunicazione Tamrel n. 1025564 del";
        // Group 32 ends page 2 at 287.8: group 33 (292.5) goes over.
        QTest::newRow("page 2 goes on")
            << "0.00 12.00 10g|E' stato istituito il comitato per il controllo interno?";
    }
    void righe()
    {
        QFETCH(QString, riga);
        QVERIFY2(traccia(esempio()).contains(riga), qPrintable(riga));
    }

    void pagine()
    {
        // Labels and headings of the pages after the first, at y = 5.
        const QStringList t = traccia(esempio());
        const QString riquadroI = "5.00 5.00 12|Riquadro I - Ombrisa";
        QCOMPARE(t.filter(QRegularExpression("^\\S+ 5\\.00 1[02]\\|")),
                 (QStringList{"159.00 5.00 10|Pagina 2 di 4 pagine", riquadroI,
                              "159.00 5.00 10|Pagina 2 di 4 pagine", riquadroI,
                              "159.00 5.00 10|Pagina 3 di 4 pagine",
                              "5.00 5.00 12|Riquadro II - Adesione al codice di autodisciplina",
                              "159.00 5.00 10|Pagina 4 di 4 pagine",
                              "5.00 5.00 12|Riquadro III - Relazione per l'assemblea", "5.00 5.00 12|Note"}));
        QCOMPARE(t.count("nuovaPagina"), 5);
        // Groups 4 (hidden label) and 12 (label not red) have no entry; 6 is red without a text; 13 keeps
        // its other slot.
        QCOMPARE(tracciaDa(t, "Note", 12),
                 (QStringList{"5.00 5.00 12|Note", "0.00 5.75 12|_×92", "5.00 12.00 10g|Nota 1.b",
                              "0.00 16.20 10|Primo.", "0.00 20.40 10|Secondo.", "5.00 25.30 10g|Nota 1.e",
                              "0.00 29.50 10|", "5.00 34.40 10g|Nota 4.a", "0.00 38.60 10|Altro slot.",
                              "5.00 43.50 10g|Nota 10.x", "0.00 47.70 10|Ultima.", "fine"}));
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

    void guastoDellaStampante()
    {
        // A printer that fails after 300 operations: nothing after it, no end of document.
        struct Guasta : SuperficieRegistrazione
        {
            bool inErrore() const override { return operazioni().size() >= 300; }
        } stampante;
        QVERIFY(!stampaV11(esempio(), stampante));
        QCOMPARE(stampante.operazioni().size(), 300);
        QVERIFY(!tracciaStampa(stampante).contains("fine"));
    }
};

QTEST_GUILESS_MAIN(TestStampaV11)
#include "tst_stampav11.moc"
