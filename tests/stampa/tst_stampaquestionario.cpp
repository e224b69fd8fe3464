// The report and its text primitives traced with the fixed metric: at size 10 a character is 1.8 units wide
// and a line 4.2 high (2.16 and 5.04 at size 12), so a label line takes 6.2 units and a one-line
// question 4.9; and the report through the real surface into PDF files, read back with pdftotext.
#include "questionario/questionario.h"
#include "stampa/grafica/stampapdf.h"
#include "stampa/grafica/superficiepittore.h"
#include "stampa/impaginazione.h"
#include "stampa/stampaquestionario.h"
#include "stampa/superficieregistrazione.h"
#include "support/interazionefinta.h"
#include "support/questionariocompleto.h"
#include "support/tracciastampa.h"

#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using Riempi = std::function<void(Questionario&)>;
using Stampa = std::function<void(Impaginazione&)>;

namespace {

constexpr Modello T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;

// The report of a questionnaire filled by `riempi` as a file would (the editing rules silent) on
// `superficie`; "stampa fallita" after a failed run, then whatever the report told the user.
QStringList traccia(Modello modello, const Riempi& riempi, SuperficieRegistrazione&& superficie = {})
{
    InterazioneFinta finta;
    Questionario q(modello, finta);
    if (riempi) {
        const Questionario::Caricamento caricamento(q);
        riempi(q);
    }
    const bool riuscita = stampaQuestionario(q, superficie);
    return tracciaStampa(superficie) + QStringList(riuscita ? 0 : 1, "stampa fallita") + finta.registro;
}

QString parole(const QString& parola, int quante, const QString& ultima = {})
{
    return QStringList(quante, parola).join(u' ') + ultima;
}

void riga(const char* nome, double y, const QStringList& attesa, const Stampa& stampa)
{
    QTest::newRow(nome) << Stampa([=](Impaginazione& p) {
        p.setYCorrente(y);
        stampa(p);
    }) << attesa;
}

// A note printed from 40: its caption, then `righe` one under the other.
void nota(const char* nome, const QString& testo, const QStringList& righe)
{
    QStringList attesa{"5.00 40.00 10g|Nota 3.a"};
    for (qsizetype i = 0; i < righe.size(); ++i)
        attesa << QString("0.00 %1 10|").arg(44.2 + 4.2 * i, 0, 'f', 2) + righe.at(i);
    attesa << QString("y %1").arg(44.2 + 4.2 * righe.size() + 0.7, 0, 'f', 2);
    riga(nome, 40, attesa, [=](Impaginazione& p) { p.bloccoNota("Nota 3.a", testo); });
}

} // namespace

class TestStampaQuestionario : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // From line y of page 9 under the heading of the notes; last, "y" and the line where the next one goes.
    void primitive_data()
    {
        QTest::addColumn<Stampa>("stampa");
        QTest::addColumn<QStringList>("attesa");
        // 19 words are 169.2 units, 20 would be 178.2.
        riga("a question wraps at 174 units", 50,
             {"0.00 50.00 10g|" + parole("abcd", 19), "0.00 54.20 10g|" + parole("abcd", 6, "?"),
              "54.80 54.20 10|.×77", "193.40 54.20 10|Si", "y 59.10"},
             [](Impaginazione& p) { p.rigaDomanda(parole("abcd", 25, "?"), "Si"); });
        riga("leading spaces kept, a word wider than the line alone, spaces before a continuation dropped",
             100,
             {"0.00 100.00 10g|   Parola", "0.00 104.20 10g|" + QString(100, u'x'), "0.00 108.40 10g|fine",
              "8.00 108.40 10|.×102", "191.60 108.40 10|N/A", "y 113.30"},
             [](Impaginazione& p) { p.rigaDomanda("   Parola " + QString(100, u'x') + "   fine", "N/A"); });
        riga("a heading row past 291 goes to page 10", 291.1,
             {"nuovaPagina", "178.80 2.00 10|Pagina 10", "5.00 3.00 12|       Note", "0.00 3.75 12|_×92",
              "0.00 13.00 10g|Operazioni con:", "y 17.90"},
             [](Impaginazione& p) { p.rigaDomanda("Operazioni con:", std::nullopt); });
        nota("paragraphs at any line break, an empty one an empty line, a word wider than a line cut at 108",
             "Primo.\nSecondo.\r\n\r\n" + QString(250, u'x') + " fine",
             {"Primo.", "Secondo.", "", QString(108, u'x'), QString(108, u'x'), QString(34, u'x') + " fine"});
        // 35 words "ab" are 187.2 units, 34 are 181.8; 10 words of 9 letters are 178.2, 11 would be 196.2.
        nota("note lines past 185, never 195", parole("ab", 40) + "\r\n" + parole("abcdefghi", 12),
             {parole("ab", 35), parole("ab", 5), parole("abcdefghi", 10), parole("abcdefghi", 2)});
        riga("a value wider than 3/4 of the page (147.75): 16 words beside its label, the rest below", 25,
             {"0.00 25.00 10g|Denominazione", "24.20 25.00 10|.×17", "54.80 25.00 10|" + parole("abcd", 16),
              "117.80 29.20 10|" + parole("abcd", 9), "y 35.40"},
             [](Impaginazione& p) { p.rigaEtichetta({"Denominazione"}, parole("abcd", 25), true); });
    }
    void primitive()
    {
        QFETCH(Stampa, stampa);
        SuperficieRegistrazione superficie;
        CambioPaginaNumerata regola;
        Impaginazione pagina{superficie, "MS Sans Serif", 197, 296, &regola};
        pagina.setNumeroPagina(9);
        pagina.setIntestazioneCorrente({"       Note"});
        stampa(pagina);
        QTEST(tracciaStampa(superficie) << QString("y %1").arg(pagina.yCorrente(), 0, 'f', 2), "attesa");
    }

    // Stretches of the report parted by "…", each from its first line, which appears once.
    void tratti_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<Riempi>("riempi");
        QTest::addColumn<QStringList>("attesa");
        const auto tratto = [](const char* nome, Modello m, const Riempi& riempi, const QStringList& attesa) {
            QTest::newRow(nome) << m << riempi << attesa;
        };
        tratto(
            "the one-tier first page, 1.0.b on its two given lines, the first wrapped", M, {},
            {"5.00 1.00 15|TAMREL - SCHEDA RIEPILOGATIVA DELL'OMBRISA v. 2.0",
             "80.14 10.00 12|MODELLO MONISTICO", "5.00 15.00 12|DATI GENERALI", "0.00 16.00 10|_×110", "…",
             "0.00 62.20 10g|(Nota 1.0.a) Requisiti di professionalità dei membri del comitato per il controllo "
             "sulla gestione",
             "175.40 62.20 10|.×10", "193.40 62.20 10|No",
             "0.00 68.40 10g|(Nota 1.0.b) Requisiti di indipendenza previsti da codici di comportamento di "
             "associazioni di categoria o di",
             "0.00 72.60 10g|società", "0.00 76.80 10g|di gestione di mercati, se previsti dallo statuto",
             "89.00 76.80 10|.×60",
             "0.00 83.00 10g|Numero di riunioni del comitato per il controllo sulla gestione"});
        const QString chiusura = "0.00 37.40 10g|Data di chiusura del bilancio (gg/mm/aaaa)";
        tratto(
            "an empty date is empty; the body starts at 11 under Riquadro III", T, {},
            {chiusura, "76.40 37.40 10|.×67", "0.00 43.60 10g|Indirizzo Referente", "…",
             "5.00 3.00 12|Riquadro III - Relazione per l'assemblea", "0.00 3.75 12|_×92",
             "0.00 11.00 10g|(Nota 10.a.1) L'indicazione se siano stati rispettati la legge e l'atto costitutivo",
             "150.20 11.00 10|.×26"});
        tratto("a date with the year only, 1.0.b answered No, 1.0.c ticked, the third count of Riquadro II",
               T,
               [](Questionario& q) {
                   q.setCampoGenerale(4, "2023");
                   q.setBox(80, Casella::NO, true);
                   q.setBox(81, Casella::SI, true);
                   q.setConteggioRiquadroII(2, "12");
               },
               {chiusura, "76.40 37.40 10|.×61", "186.20 37.40 10|//2023", "…", "0.00 72.60 10g|sindaci",
                "13.40 72.60 10|.×100", "193.40 72.60 10|No", "…", "0.00 116.00 10g|(Nota 1.0.c) ",
                "24.20 116.00 10|.×94", "193.40 116.00 10|Si", "…",
                "0.00 56.40 10g|Quante riunioni sono state svolte dal comitato nel corso dell'anno?",
                "121.40 56.40 10|.×40", "193.40 56.40 10|12"});
        tratto("the single box of 1.0.b has no caption to print", D,
               [](Questionario& q) { q.setBox(80, Casella::SI, true); },
               {"0.00 72.60 10g|legge", "9.80 72.60 10|.×104",
                "0.00 78.80 10g|Numero di riunioni del consiglio di sorveglianza"});
        // A member: a rule at yCorrente - 5, eleven label lines, a closing rule; empty rows print nothing.
        tratto("the president alone", T, [](Questionario& q) { q.membri().setCella(0, 1, "Anna Neri"); },
               {"0.00 98.60 10|_×110", "0.00 103.60 10g|Presidente", "18.80 103.60 10|.×90",
                "180.80 103.60 10|Anna Neri", "…", "0.00 116.00 10g|   Eletto dalle minor.", "…",
                "0.00 165.60 10g|   (Nota Pres.) Requisiti di professionalità", "80.00 165.60 10|.×63",
                "193.40 165.60 10|No", "0.00 166.80 10|_×110",
                "0.00 171.80 10g|Numero massimo di incarichi previsti dallo statuto"});
        // The third member starts at 240, and its tenth line (295.8 + 5 > 296) goes to page 2 under the
        // heading repeated. Attendance is captioned by its tooltip.
        tratto("the third member over the page break", T,
               [](Questionario& q) {
                   for (int r = 0; r < 3; ++r)
                       compilaMembroCompleto(q, r);
               },
               {"0.00 289.60 10g|   Numero presenze alle riunioni del consiglio d'amministrazione",
                "116.00 289.60 10|.×44", "195.20 289.60 10|2", "nuovaPagina", "180.60 2.00 10|Pagina 2",
                "5.00 3.00 12|DATI GENERALI", "0.00 3.75 12|_×92",
                "0.00 13.00 10g|   Numero presenze alle riunioni del comitato esecutivo",
                "99.80 13.00 10|.×53", "195.20 13.00 10|2"});
        // The notes: the members', then the groups' in page order. Note 12 is stale, behind a label that is
        // not red; 13 has text in both slots and the other one is kept. Question 31 has a note in the
        // one-tier model and closes its page 2, after 74; the hidden 69 has no visible label there. The last
        // note has 51 lines: the 50th would start at 295.1 and goes on over a further page.
        const Riempi note = [](Questionario& q) {
            const int requisiti = q.membri().layout().colonnaNascosta;
            q.membri().setCella(0, requisiti, "Revisore.");
            q.membri().setCella(2, requisiti, "Esperto contabile.");
            for (int i : {80, 11, 13, 31, 30, 74, 69})
                q.setSegnoNota(i, true);
            q.setNotaSI(80, "Condizioni statutarie.");
            q.setNotaSI(11, "Primo.\nSecondo.\r\nTerzo.");
            q.setNotaAltre(12, "Vecchia nota.");
            q.setNotaSI(13, "Slot Si.");
            q.setNotaAltre(13, "Altro slot.");
            q.setNotaAltre(30, "Testo.");
            q.setNotaAltre(74, "Testo.");
            QStringList righe;
            for (int i = 1; i <= 51; ++i)
                righe << QString("riga %1").arg(i);
            q.setNotaAltre(31, righe.join("\r\n"));
            q.setNotaAltre(69, righe.join("\r\n"));
        };
        const QStringList sezioneNote{"5.00 3.00 12|       Note",     "0.00 3.75 12|_×92",
                                      "5.00 13.00 10g|Nota Pres.",    "0.00 17.20 10|Revisore.",
                                      "5.00 22.10 10g|Nota Membro 3", "0.00 26.30 10|Esperto contabile.",
                                      "5.00 31.20 10g|Nota 1.0.b",    "0.00 35.40 10|Condizioni statutarie.",
                                      "5.00 40.30 10g|Nota 3.a",      "0.00 44.50 10|Primo.",
                                      "0.00 48.70 10|Secondo.",       "0.00 52.90 10|Terzo.",
                                      "5.00 57.80 10g|Nota 4.a",      "0.00 62.00 10|Altro slot.",
                                      "5.00 66.90 10g|Nota 8.f",      "0.00 71.10 10|Testo.",
                                      "5.00 76.00 10g|Nota 8.g",      "0.00 80.20 10|Testo."};
        const QStringList fine{"0.00 89.30 10|riga 1",  "…",   "0.00 290.90 10|riga 49",
                               "nuovaPagina",           "…",   "0.00 13.00 10|riga 50",
                               "0.00 17.20 10|riga 51", "fine"};
        tratto("notes, Tradizionale", T, note, sezioneNote + QStringList{"5.00 85.10 10g|Nota 10.w"} + fine);
        tratto("notes, Monistico", M, note, sezioneNote + QStringList{"5.00 85.10 10g|Nota 8.h"} + fine);
    }
    void tratti()
    {
        QFETCH(Modello, modello);
        QFETCH(Riempi, riempi);
        QFETCH(QStringList, attesa);
        const QStringList t = traccia(modello, riempi);
        for (const QString& tratto : attesa.join(u'\n').split("\n…\n")) {
            const QStringList righe = tratto.split(u'\n');
            QCOMPARE(t.mid(t.indexOf(righe.first()), righe.size()), righe);
        }
    }

    void sezioni_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QStringList>("intestazioni");
        QStringList sezioni{"DATI GENERALI", "Riquadro I - Ombrisa",
                            "Riquadro III - Relazione per l'assemblea", "       Note"};
        QTest::newRow("Dualistico") << D << sezioni;
        QTest::newRow("Monistico") << M << sezioni;
        sezioni.insert(2, "Riquadro II - Adesione al codice di autodisciplina");
        QTest::newRow("Tradizionale") << T << sezioni;
    }
    void sezioni()
    {
        // Every new page: "Pagina n" 2 units from the right edge, then the heading, repeated on continuation
        // pages; one end, the last line. Then the same report through the real surface into a PDF file.
        QFETCH(Modello, modello);
        QFETCH(QStringList, intestazioni);
        const Riempi riempi = [](Questionario& q) {
            compilaCompleto(q);
            q.setNotaSI(11, "Nessuna denuncia è pervenuta.\r\nSecondo paragrafo.");
        };
        const QStringList t = traccia(modello, riempi);
        QStringList trovate{t.at(2).section(u'|', 1)};
        for (qsizetype k = 0, numero = 1; (k = t.indexOf("nuovaPagina", k) + 1) > 0;) {
            const QString etichetta = "Pagina " + QString::number(++numero);
            QCOMPARE(t.value(k),
                     QString("%1 2.00 10|").arg(195 - 1.8 * etichetta.size(), 0, 'f', 2) + etichetta);
            const QString testata = t.value(k + 1).remove("5.00 3.00 12|"); // kept whole when not a heading
            if (trovate.last() != testata)
                trovate << testata;
        }
        QCOMPARE(trovate, intestazioni);
        QCOMPARE(t.indexOf("fine"), t.size() - 1);

        QVERIFY2(!QString(PDFTOTEXT).isEmpty(), "pdftotext non trovato: scripts/installa-dipendenze.sh");
        InterazioneFinta finta;
        Questionario q(modello, finta);
        riempi(q);
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath("scheda.pdf");
        QString errore;
        QVERIFY2(stampaSuPdf([&](SuperficieStampa& s) { return stampaQuestionario(q, s); },
                             q.profilo().titoloFinestra, percorso, &errore),
                 qPrintable(errore));
        QProcess pdftotext;
        pdftotext.start(PDFTOTEXT, {percorso, "-"});
        QVERIFY(pdftotext.waitForFinished() && pdftotext.exitCode() == 0);
        const QString testo = QString::fromUtf8(pdftotext.readAllStandardOutput());
        for (const QString& atteso :
             intestazioni + QStringList{"MODELLO " + nomeModello(modello).toUpper(), "Anna Neri",
                                        "Nessuna denuncia è pervenuta.\nSecondo paragrafo."})
            QVERIFY2(testo.contains(atteso.trimmed()), qPrintable(atteso));
        const QStringList pagine = testo.split(u'\f');
        QVERIFY(!pagine.at(0).contains("Pagina") && pagine.at(1).contains("Pagina 2") &&
                pagine.at(2).contains("Pagina 3"));
    }

    void guastoDellaStampante()
    {
        // A printer that fails after `limite` operations (before the first, in the first page header, in the
        // questions): the run ends at once and silently, not one operation after the failure; and a write
        // error of the file a real device writes to stops it too.
        struct Guasta : SuperficieRegistrazione
        {
            explicit Guasta(qsizetype limite) : limite(limite) {}
            bool inErrore() const override { return operazioni().size() >= limite; }
            qsizetype limite;
        };
        for (int limite : {0, 3, 200})
            QCOMPARE(traccia(T, compilaCompleto, Guasta(limite)).mid(limite), QStringList{"stampa fallita"});
        QFile pieno("/dev/full");
        QVERIFY(pieno.open(QIODevice::WriteOnly));
        InterazioneFinta finta;
        Questionario q(T, finta);
        compilaCompleto(q);
        QPdfWriter pdf(&pieno);
        SuperficiePittore superficie(pdf, &pieno);
        QVERIFY(!stampaQuestionario(q, superficie));
    }

    void pdfNonScritto_data()
    {
        QTest::addColumn<QString>("percorso"); // in a fresh folder
        QTest::addColumn<bool>("disegnoRiuscito");
        QTest::addColumn<QString>("errore"); // how the reason starts
        QTest::newRow("a missing folder")
            << "manca/scheda.pdf" << true << "impossibile creare il file nella cartella (";
        QTest::newRow("a folder") << "." << true << "il percorso indica una cartella";
        QTest::newRow("not a plain file") << "/dev/null" << true << "non è un file ordinario";
        QTest::newRow("a drawing that fails") << "scheda.pdf" << false << "stampa non riuscita";
    }
    void pdfNonScritto()
    {
        // Nothing is left at the path.
        QFETCH(QString, percorso);
        QFETCH(bool, disegnoRiuscito);
        QFETCH(QString, errore);
        QTemporaryDir cartella;
        percorso = QDir(cartella.path()).filePath(percorso);
        QString motivo;
        QVERIFY(!stampaSuPdf([&](SuperficieStampa&) { return disegnoRiuscito; }, {}, percorso, &motivo));
        QVERIFY2(motivo.startsWith(errore), qPrintable(motivo));
        QVERIFY(!QFileInfo(percorso).isFile());
    }
};

QTEST_MAIN(TestStampaQuestionario)
#include "tst_stampaquestionario.moc"
