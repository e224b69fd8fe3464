// The report of a version 1.1 questionnaire traced with the fixed metric: at size 10 a character is 1.8
// units wide and a line 4.2 high, so a label line takes 6.2 units and a one-line question 4.9.
#include "legacy/contenutov11.h"
#include "legacy/stampav11.h"
#include "stampa/superficieregistrazione.h"
#include "support/tracciastampa.h"

#include <QTest>

class TestStampaV11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stampa()
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
        c.risposte[36] = Risposta::NA;
        for (int g : {1, 4, 6, 13, 70})
            c.segniNota[g] = true;
        c.noteSIV11[1] = "Primo.\r\nSecondo.";
        c.noteAltreV11[4] = "Nascosta."; // red behind a hidden label
        c.noteAltreV11[12] = "Vecchia."; // behind a label that is not red
        c.noteSIV11[13] = "Slot Si.";
        c.noteAltreV11[13] = "Altro slot.";
        // A paragraph filled up to 195 units (36 words of "ab", 107 characters), then 59 short lines.
        QStringList righe{QStringList(40, "ab").join(u' ')};
        for (int i = 1; i <= 59; ++i)
            righe << QString("riga %1").arg(i);
        c.noteAltreV11[70] = righe.join("\r\n");
        SuperficieRegistrazione superficie;
        QVERIFY(stampaV11(c, superficie));
        const QStringList t = tracciaStampa(superficie);

        // Page 1; member row 1 from 99.4; group 32 ends page 2 at 287.8, so group 33 (292.5) goes over; the
        // counts of groups 34 (opening page 3), 38 and 40, 36 between them N/A; group 50 opens page 4.
        for (
            const char* riga :
            {"5.00 1.00 15|TAMREL - SCHEDA RIEPILOGATIVA DELL'OMBRISA v. 1.1", "5.00 15.00 12|DATI GENERALI",
             "159.00 15.00 10|Pagina 1 di 4 pagine", "0.00 15.75 10|_×110", "179.00 37.40 10|31/12/2004",
             "60.20 254.40 10|.×76", "171.80 99.40 10|Nicolò Bianchi", "168.20 105.60 10|BNCNCL60A01H501X",
             "0.00 111.80 10g|   Eletto dalle minoranze", "193.40 111.80 10|Si", "195.20 118.00 10|1",
             "193.40 130.40 10|12", "0.00 12.00 10g|E' stato istituito il comitato per il controllo interno?",
             "195.20 12.00 10|4", "191.60 21.80 10|N/A", "193.40 31.60 10|12", "195.20 41.40 10|3",
             "0.00 12.00 10g|(Nota 10.c) Le informazioni richieste al par. 2 p.2.1 della Comunicazione Tamrel "
             "n. 1025564 del"})
            QVERIFY2(t.contains(QString::fromUtf8(riga)), riga);
        // Labels and headings of the pages after the first, at y = 5; the notes pages have no label.
        const auto pagina = [](int n) { return QString("159.00 5.00 10|Pagina %1 di 4 pagine").arg(n); };
        const QString riquadroI = "5.00 5.00 12|Riquadro I - Ombrisa", note = "5.00 5.00 12|Note";
        QCOMPARE(t.filter(QRegularExpression("^\\S+ 5\\.00 1[02]\\|")),
                 (QStringList{pagina(2), riquadroI, pagina(2), riquadroI, pagina(3),
                              "5.00 5.00 12|Riquadro II - Adesione al codice di autodisciplina", pagina(4),
                              "5.00 5.00 12|Riquadro III - Relazione per l'assemblea", note, note}));
        // Groups 4 (hidden label) and 12 (label not red) have no entry; 6 is red without a text; 13 keeps
        // its other slot. The 58th short line of 70 would start at 295.5: it goes on over a further page.
        QCOMPARE(tracciaDa(t, "Note", 13),
                 (QStringList{note, "0.00 5.75 12|_×92", "5.00 12.00 10g|Nota 1.b", "0.00 16.20 10|Primo.",
                              "0.00 20.40 10|Secondo.", "5.00 25.30 10g|Nota 1.e", "0.00 29.50 10|",
                              "5.00 34.40 10g|Nota 4.a", "0.00 38.60 10|Altro slot.",
                              "5.00 43.50 10g|Nota 10.x", "0.00 47.70 10|" + QStringList(36, "ab").join(u' '),
                              "0.00 51.90 10|ab ab ab ab", "0.00 56.10 10|riga 1"}));
        QCOMPARE(tracciaDa(t, "riga 57", 8),
                 (QStringList{"0.00 291.30 10|riga 57", "nuovaPagina", note, "0.00 5.75 12|_×92",
                              "0.00 12.00 10|riga 58", "0.00 16.20 10|riga 59", "fine"}));

        // A printer that fails after 300 operations: nothing after it, not even the end of the document.
        struct Guasta : SuperficieRegistrazione
        {
            bool inErrore() const override { return operazioni().size() >= 300; }
        } guasta;
        QVERIFY(!stampaV11(c, guasta));
        QCOMPARE(guasta.operazioni().size(), 300);
    }
};

QTEST_GUILESS_MAIN(TestStampaV11)
#include "tst_stampav11.moc"
