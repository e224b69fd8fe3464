// The report traced with the fixed metric (see tst_impaginazione): at size 10 a character is 1.8 units wide,
// a line 4.2 units high; a label line takes 6.2 units, a one-line question 4.9.
#include "questionario/questionario.h"
#include "stampa/stampaquestionario.h"
#include "stampa/superficieregistrazione.h"
#include "support/interazionefinta.h"
#include "support/questionariocompleto.h"
#include "support/tracciastampa.h"

#include <QTest>

using Caselle = QMap<int, int>; // question index -> Casella

namespace {

// Fills a questionnaire as a file would, the editing rules silent.
template <typename Riempi> void compila(Questionario& q, Riempi riempi)
{
    const Questionario::Caricamento caricamento(q);
    riempi(q);
}

QStringList traccia(const Questionario& q)
{
    SuperficieRegistrazione superficie;
    if (!stampaQuestionario(q, superficie))
        return {"stampa fallita"};
    return tracciaStampa(superficie);
}

// Bold body lines at x = 0 from "y|text".
QStringList inGrassetto(const QStringList& righe)
{
    QStringList linee;
    for (const QString& r : righe)
        linee << "0.00 " + r.section(u'|', 0, 0) + " 10g|" + r.section(u'|', 1);
    return linee;
}

// A printer that takes `limite` operations, then fails.
class StampanteGuasta : public SuperficieRegistrazione
{
public:
    explicit StampanteGuasta(int limite) : m_limite(limite) {}
    bool inErrore() const override { return operazioni().size() >= m_limite; }

private:
    int m_limite;
};

} // namespace

class TestStampaQuestionario : public QObject
{
    Q_OBJECT

    InterazioneFinta m_finta;

private Q_SLOTS:
    void primaPagina_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QString>("rigaModello");
        QTest::addColumn<QStringList>("etichette"); // the bold lines of page 1 from 62.2 on
        QTest::newRow("Tradizionale")
            << Modello::Tradizionale << "76.90 10.00 12|MODELLO TRADIZIONALE"
            << QStringList{
                   "62.20|(Nota 1.0.a) Materie e settori strettamente attinenti quello dell'impresa",
                   "68.40|(Nota 1.0.b) Eventuali condizioni aggiuntive per la sussistenza dei requisisti di "
                   "professionalità dei",
                   "72.60|sindaci",
                   "78.80|Numero di riunioni del collegio sindacale",
                   "85.00|Numero di assemblee",
                   "91.20|Numero di riunioni del consiglio d'amministrazione",
                   "97.40|Numero di riunioni del comitato esecutivo",
                   "103.60|Numero massimo di incarichi previsti dallo statuto",
                   "109.80|Data inizio incarico (gg/mm/aaaa)",
                   "116.00|(Nota 1.0.c) "};
        // The one-tier label of 1.0.b is printed on its two given lines; the first, 116 characters, still
        // wraps.
        QTest::newRow("Monistico")
            << Modello::Monistico << "80.14 10.00 12|MODELLO MONISTICO"
            << QStringList{
                   "62.20|(Nota 1.0.a) Requisiti di professionalità dei membri del comitato per il "
                   "controllo sulla gestione",
                   "68.40|(Nota 1.0.b) Requisiti di indipendenza previsti da codici di comportamento di "
                   "associazioni di categoria o di",
                   "72.60|società",
                   "76.80|di gestione di mercati, se previsti dallo statuto",
                   "83.00|Numero di riunioni del comitato per il controllo sulla gestione",
                   "89.20|Numero di assemblee",
                   "95.40|Numero di riunioni del consiglio d'amministrazione",
                   "101.60|Numero di riunioni del comitato esecutivo",
                   "107.80|Numero massimo di incarichi previsti dallo statuto",
                   "114.00|Data inizio incarico (gg/mm/aaaa)",
                   "120.20|(Nota 1.0.c) "};
    }
    void primaPagina()
    {
        QFETCH(Modello, modello);
        QFETCH(QString, rigaModello);
        QFETCH(QStringList, etichette);
        const QStringList t = traccia(Questionario(modello, m_finta));
        QCOMPARE(t.mid(0, 4),
                 (QStringList{"5.00 1.00 15|TAMREL - SCHEDA RIEPILOGATIVA DELL'OMBRISA v. 2.0", rigaModello,
                              "5.00 15.00 12|DATI GENERALI", "0.00 16.00 10|_×110"}));
        // The first six lines are the company and the referent; no member is filled, so no rule follows the
        // counts.
        QCOMPARE(t.mid(0, t.indexOf("nuovaPagina")).filter(" 10g|").mid(6), inGrassetto(etichette));
    }

    void valori_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QStringList>("data"); // closing date: day, month, year
        QTest::addColumn<Caselle>("caselle");
        QTest::addColumn<QStringList>("attesa"); // from the label on
        const QString chiusura = "0.00 37.40 10g|Data di chiusura del bilancio (gg/mm/aaaa)";
        const Modello t = Modello::Tradizionale;
        QTest::newRow("a date with nothing in it is empty")
            << t << QStringList{"", "", ""} << Caselle{}
            << QStringList{chiusura, "76.40 37.40 10|.×67", "0.00 43.60 10g|Indirizzo Referente"};
        QTest::newRow("a date with the year only")
            << t << QStringList{"", "", "2023"} << Caselle{}
            << QStringList{chiusura, "76.40 37.40 10|.×61", "186.20 37.40 10|//2023"};
        QTest::newRow("1.0.b answered No")
            << t << QStringList{"", "", ""} << Caselle{{80, int(Casella::NO)}}
            << QStringList{"0.00 72.60 10g|sindaci", "13.40 72.60 10|.×100", "193.40 72.60 10|No"};
        QTest::newRow("1.0.c ticked")
            << t << QStringList{"", "", ""} << Caselle{{81, int(Casella::SI)}}
            << QStringList{"0.00 116.00 10g|(Nota 1.0.c) ", "24.20 116.00 10|.×94", "193.40 116.00 10|Si"};
        QTest::newRow("the single box of 1.0.b has no caption to print")
            << Modello::Dualistico << QStringList{"", "", ""} << Caselle{{80, int(Casella::SI)}}
            << QStringList{"0.00 72.60 10g|legge", "9.80 72.60 10|.×104",
                           "0.00 78.80 10g|Numero di riunioni del consiglio di sorveglianza"};
    }
    void valori()
    {
        QFETCH(Modello, modello);
        QFETCH(QStringList, data);
        QFETCH(Caselle, caselle);
        QFETCH(QStringList, attesa);
        Questionario q(modello, m_finta);
        compila(q, [&](Questionario& q) {
            for (int i = 0; i < 3; ++i)
                q.setCampoGenerale(2 + i, data.at(i));
            for (auto [indice, casella] : caselle.asKeyValueRange())
                q.setBox(indice, static_cast<Casella>(casella), true);
        });
        QCOMPARE(tracciaDa(traccia(q), attesa.first().section(u'|', 1), 3), attesa);
    }

    void soloIlPresidente()
    {
        Questionario q(Modello::Tradizionale, m_finta);
        compila(q, [](Questionario& q) { q.membri().setCella(0, 1, "Anna Neri"); });
        const QStringList t = traccia(q);
        QCOMPARE(tracciaDa(t, "Presidente", 3),
                 (QStringList{"0.00 103.60 10g|Presidente", "18.80 103.60 10|.×90",
                              "180.80 103.60 10|Anna Neri"}));
        // A rule at yCorrente - 5, eleven label lines (captions, attendance by their full tooltip), a closing
        // rule; the two empty rows print nothing.
        const qsizetype inizio = t.indexOf("0.00 98.60 10|_×110");
        const qsizetype fine =
            t.indexOf("0.00 171.80 10g|Numero massimo di incarichi previsti dallo statuto");
        const QStringList blocco = t.mid(inizio, fine - inizio).filter(QRegularExpression(" 10g\\||\\|_"));
        QCOMPARE(blocco.size(), 13);
        QCOMPARE(blocco.last(), "0.00 166.80 10|_×110");
        QCOMPARE(blocco.at(3), "0.00 116.00 10g|   Eletto dalle minor.");
        QCOMPARE(blocco.at(9),
                 "0.00 153.20 10g|   Numero presenze alle riunioni del consiglio d'amministrazione");
        QCOMPARE(tracciaDa(t, "   (Nota Pres.) Requisiti di professionalità", 3),
                 (QStringList{"0.00 165.60 10g|   (Nota Pres.) Requisiti di professionalità",
                              "80.00 165.60 10|.×63", "193.40 165.60 10|No"}));
    }

    void cambioPaginaNeiMembri()
    {
        // Each member takes 11 lines of 6.2 units from y 103.6: the third starts at 240, and its tenth line
        // (295.8 + 5 > 296) goes to page 2 under the heading repeated.
        Questionario q(Modello::Tradizionale, m_finta);
        for (int r = 0; r < 3; ++r)
            compilaMembroCompleto(q, r);
        const QStringList t = traccia(q);
        QCOMPARE(
            t.mid(t.indexOf("180.60 2.00 10|Pagina 2") - 4, 15),
            (QStringList{"0.00 289.60 10g|   Numero presenze alle riunioni del consiglio d'amministrazione",
                         "116.00 289.60 10|.×44", "195.20 289.60 10|2", "nuovaPagina",
                         "180.60 2.00 10|Pagina 2", "5.00 3.00 12|DATI GENERALI", "0.00 3.75 12|_×92",
                         "0.00 13.00 10g|   Numero presenze alle riunioni del comitato esecutivo",
                         "99.80 13.00 10|.×53", "195.20 13.00 10|2",
                         "0.00 19.20 10g|   (Nota Membro 3) Requisiti di professionalità",
                         "85.40 19.20 10|.×60", "193.40 19.20 10|Si", "0.00 20.40 10|_×110",
                         "0.00 25.40 10g|Numero massimo di incarichi previsti dallo statuto"}));
    }

    void sezioni_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QStringList>("intestazioni");
        QTest::newRow("Tradizionale")
            << Modello::Tradizionale
            << QStringList{"DATI GENERALI", "Riquadro I - Ombrisa",
                           "Riquadro II - Adesione al codice di autodisciplina",
                           "Riquadro III - Relazione per l'assemblea", "       Note"};
        for (Modello m : {Modello::Dualistico, Modello::Monistico})
            QTest::newRow(qPrintable(nomeModello(m)))
                << m
                << QStringList{"DATI GENERALI", "Riquadro I - Ombrisa",
                               "Riquadro III - Relazione per l'assemblea", "       Note"};
    }
    void sezioni()
    {
        QFETCH(Modello, modello);
        const QStringList t = traccia(Questionario(modello, m_finta));
        QStringList intestazioni;
        int pagine = 1;
        for (qsizetype k = 0; k < t.size(); ++k) {
            const QString testo = t.at(k).section(u'|', 1);
            if (t.at(k).startsWith("5.00 ") && t.at(k).contains(" 12|") && !intestazioni.endsWith(testo))
                intestazioni << testo;
            if (t.at(k) != "nuovaPagina")
                continue;
            // Every new page: its number 2 units from the right edge, then the heading.
            const QString numero = "Pagina " + QString::number(++pagine);
            QCOMPARE(t.value(k + 1),
                     QString("%1 2.00 10|").arg(197 - 1.8 * numero.size() - 2, 0, 'f', 2) + numero);
            QVERIFY(t.value(k + 2).startsWith("5.00 3.00 12|"));
        }
        QTEST(intestazioni, "intestazioni");
        QCOMPARE(t.count("fine"), 1);
        QCOMPARE(t.last(), "fine");
        // The body starts at 11 under Riquadro III, at 13 under the other headings.
        QCOMPARE(
            tracciaDa(
                t, "(Nota 10.a.1) L'indicazione se siano stati rispettati la legge e l'atto costitutivo", 2)
                .last(),
            "150.20 11.00 10|.×26");
    }

    void conteggiRiquadroII()
    {
        Questionario q(Modello::Tradizionale, m_finta);
        compila(q, [](Questionario& q) {
            q.setConteggioRiquadroII(0, "4");
            q.setConteggioRiquadroII(2, "12");
        });
        const QStringList t = traccia(q);
        const QString quante = "Quante riunioni sono state svolte dal comitato nel corso dell'anno?";
        QCOMPARE(
            tracciaDa(t,
                      "Quante riunioni sono state svolte dal comitato per il controllo interno nel corso "
                      "dell'anno?",
                      3)
                .mid(1),
            (QStringList{"166.40 27.00 10|.×16", "195.20 27.00 10|4"}));
        QCOMPARE(tracciaDa(t, "E' stato istituito il comitato per la remunerazione?", 5).mid(2),
                 (QStringList{"0.00 56.40 10g|" + quante, "121.40 56.40 10|.×40", "193.40 56.40 10|12"}));
    }

    void sezioneNote_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QStringList>("attesa");
        const QStringList note{"5.00 13.00 10g|Nota Pres.",    "0.00 17.20 10|Revisore.",
                               "5.00 22.10 10g|Nota Membro 3", "0.00 26.30 10|Esperto contabile.",
                               "5.00 31.20 10g|Nota 1.0.b",    "0.00 35.40 10|Condizioni statutarie.",
                               "5.00 40.30 10g|Nota 3.a",      "0.00 44.50 10|Primo.",
                               "0.00 48.70 10|Secondo.",       "0.00 52.90 10|Terzo.",
                               "5.00 57.80 10g|Nota 4.a",      "0.00 62.00 10|Altro slot.",
                               "5.00 66.90 10g|Nota 8.f",      "0.00 71.10 10|Testo.",
                               "5.00 76.00 10g|Nota 8.g",      "0.00 80.20 10|Testo."};
        QTest::newRow("Tradizionale")
            << Modello::Tradizionale
            << note + QStringList{"5.00 85.10 10g|Nota 10.w", "0.00 89.30 10|Testo.", "fine"};
        // Question 31 has a note here and closes page 2, after 74; the hidden 69 has no visible label.
        QTest::newRow("Monistico") << Modello::Monistico
                                   << note + QStringList{"5.00 85.10 10g|Nota 8.h", "0.00 89.30 10|Testo.",
                                                         "fine"};
    }
    void sezioneNote()
    {
        QFETCH(Modello, modello);
        Questionario q(modello, m_finta);
        compila(q, [](Questionario& q) {
            const int requisiti = q.membri().layout().colonnaNascosta;
            q.membri().setCella(0, requisiti, "Revisore.");
            q.membri().setCella(2, requisiti, "Esperto contabile.");
            for (int i : {80, 11, 13, 31, 30, 74, 69})
                q.setSegnoNota(i, true);
            q.setNotaSI(80, "Condizioni statutarie.");
            q.setNotaSI(11, "Primo.\nSecondo.\r\nTerzo.");
            q.setNotaAltre(12, "Vecchia nota."); // stale, behind a label that is not red
            q.setNotaSI(13, "Slot Si.");         // both slots hold text: the other one is kept
            q.setNotaAltre(13, "Altro slot.");
            for (int i : {31, 30, 74, 69})
                q.setNotaAltre(i, "Testo.");
        });
        const QStringList t = traccia(q);
        const qsizetype inizio = t.indexOf("5.00 3.00 12|       Note");
        QCOMPARE(t.at(inizio + 1), "0.00 3.75 12|_×92");
        QTEST(t.mid(inizio + 2), "attesa");
    }

    void cambioPaginaInUnaNota()
    {
        // From 17.2, 66 lines fit (the last at 290.2); the 67th would start at 294.4.
        QStringList paragrafi;
        for (int i = 1; i <= 70; ++i)
            paragrafi << QString("riga %1").arg(i);
        Questionario q(Modello::Dualistico, m_finta);
        compila(q, [&](Questionario& q) { q.membri().setCella(0, 10, paragrafi.join("\r\n")); });
        const QStringList t = traccia(q);
        const qsizetype note = t.indexOf("5.00 3.00 12|       Note");
        const QString seguente =
            "Pagina " + QString::number(t.at(note - 1).section("Pagina ", 1).toInt() + 1);
        QCOMPARE(t.at(note + 2), "5.00 13.00 10g|Nota Pres.");
        QCOMPARE(
            t.mid(note + 68),
            (QStringList{"0.00 290.20 10|riga 66", "nuovaPagina",
                         QString("%1 2.00 10|").arg(197 - 1.8 * seguente.size() - 2, 0, 'f', 2) + seguente,
                         "5.00 3.00 12|       Note", "0.00 3.75 12|_×92", "0.00 13.00 10|riga 67",
                         "0.00 17.20 10|riga 68", "0.00 21.40 10|riga 69", "0.00 25.60 10|riga 70", "fine"}));
    }

    void guastoDellaStampante_data()
    {
        QTest::addColumn<int>("limite");
        QTest::newRow("before the first operation") << 0;
        QTest::newRow("in the first page header") << 3;
        QTest::newRow("in the questions") << 200;
    }
    void guastoDellaStampante()
    {
        // The run ends at once and silently: not one operation after the failure, no end of document.
        QFETCH(int, limite);
        Questionario q(Modello::Tradizionale, m_finta);
        compilaCompleto(q);
        StampanteGuasta stampante(limite);
        QVERIFY(!stampaQuestionario(q, stampante));
        QCOMPARE(stampante.operazioni().size(), limite);
        QVERIFY(!tracciaStampa(stampante).contains("fine"));
        QVERIFY(m_finta.registro.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStampaQuestionario)
#include "tst_stampaquestionario.moc"
