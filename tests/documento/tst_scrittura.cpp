// The writer, checked by position in the written file with a walker that shares nothing with it.
#include "documento/documentoxml.h"
#include "documento/scrittura.h"
#include "modelli/posizionifile.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"
#include "support/percorsixml.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Modello)

namespace {

const QString cartellaModelli = QStringLiteral(DATI_TEST "/../../templates");

// The questions of each section node of the file, element by element, written out from the file layout:
// section nodes separated by '|', "48-67" the questions 48 to 67, "x" an element no question uses.
QList<QList<int>> sezioni(Modello m)
{
    const char* const disposizione[] = {"72 0-22 73 23-31 74|32 33 34 75 35-42 76 43-47|77 48-67 78 68-71",
                                        "72 0-22 73 23-30 74|77 48-67 78 68 x 70",
                                        "72 0-22 73 23-30 74 31|77 48-67 78 68 x 70 71"};
    QList<QList<int>> risultato;
    for (const QString& sezione : QString::fromLatin1(disposizione[int(m)]).split(u'|')) {
        risultato.append(QList<int>());
        for (const QString& parte : sezione.split(u' '))
            for (int i = parte.section(u'-', 0, 0).toInt(); i <= parte.section(u'-', -1).toInt(); ++i)
                risultato.last() << (parte == u"x" ? -1 : i);
    }
    return risultato;
}

// The leaves of a member element in the file's order ("3/1": child 1 of child 3), and the column each holds.
const QStringList foglieMembro{"0", "1", "2", "3/0", "3/1", "3/2", "4", "5", "6", "7", "8"};
QList<int> colonneMembro(Modello m)
{
    return m == Modello::Dualistico ? QList<int>{1, 2, 3, 4, 5, 6, 10, 7, 8, 9}
                                    : QList<int>{1, 2, 3, 4, 5, 6, 11, 7, 8, 9, 10};
}

// A member element's name, then its children's names: five every model has, then the attendance counts.
QStringList nomiMembro(Modello m)
{
    const char* const elemento[] = {"MembroCollegioSindacale", "MembroConsiglioSorveglianza",
                                    "MembroControlloGestione"};
    const char* const presenze[] = {
        "NumeroPresenzeRiunioniCollegioSindacale NumeroPresenzeAssemblee "
        "NumeroPresenzeRiunioniConsiglioAmministrazione NumeroPresenzeRiunioniComitatoEsecutivo",
        "NumeroPresenzeRiunioniConsiglioSorveglianza NumeroPresenzeAssemblee NumeroPresenzeRiunioniConsiglioGestione",
        "NumeroPresenzeRiunioniComitatoControlloGestione NumeroPresenzeAssemblee "
        "NumeroPresenzeRiunioniConsiglioAmministrazione NumeroPresenzeRiunioniComitatoEsecutivo"};
    const QString comuni = QStringLiteral(
        "Nome CodiceFiscale ElettoMinoranze IncarichiRicoperti RequisitiProfessionalitàInPossesso");
    return QStringList{elemento[int(m)]} + comuni.split(u' ') +
           QString::fromLatin1(presenze[int(m)]).split(u' ');
}

// Question i's notes, with characters the file must escape.
QString nota(bool si, int i)
{
    return (si ? QStringLiteral("[SI:%1] <&> \"è\"\r\nseconda riga") : QStringLiteral("[ALTRE:%1] ü\r\n"))
        .arg(i);
}

// Answer of question i in a given turn: SI, NO, NA, none in turn; notes both, only noteAltre, none.
Risposta rispostaDi(int i, int turno)
{
    static const Risposta ciclo[] = {Risposta::SI, Risposta::NO, Risposta::NA, Risposta::Nessuna};
    return ciclo[(i + turno) % 4];
}

// Everything filled with distinct values, boxes set directly, without the answer rules. Six member rows:
// rows 2 and 5 empty, row 4 with blanks only (not empty), and a requisiti mark in every row.
void compila(Questionario& q, int turno)
{
    const Questionario::Caricamento caricamento(q);
    for (int campo : q.profilo().campiGenerali())
        q.setCampoGenerale(campo, QStringLiteral("campo %1 «è» <&>").arg(campo));
    const bool breve = turno % 2;
    const QStringList date = breve ? QStringList{"1", "2", "2023", "01", "07", ""}
                                   : QStringList{"31", "12", "2023", "01", "07", "2021"};
    for (int k = 0; k < 6; ++k)
        q.setCampoGenerale(QList<int>{2, 3, 4, 34, 35, 36}[k], date[k]);
    q.setRiunioniNA(breve);
    for (int i = 0; i < numeroIndici; ++i) {
        const Risposta r = rispostaDi(i, turno);
        q.setBox(i, Casella::SI, r == Risposta::SI);
        q.setBox(i, Casella::NO, r == Risposta::NO);
        q.setBox(i, Casella::NA, r == Risposta::NA);
        if ((i + turno) % 3 == 0)
            q.setNotaSI(i, nota(true, i));
        if ((i + turno) % 3 != 2)
            q.setNotaAltre(i, nota(false, i));
    }
    for (int k = 0; k < 3; ++k)
        q.setConteggioRiquadroII(k, QString::number(10 + k));

    TabellaMembri& t = q.membri();
    while (t.numeroMembri() < 6)
        QVERIFY(t.aggiungiMembro());
    const int requisiti = q.modello() == Modello::Dualistico ? 10 : 11;
    for (int c = 1; c <= requisiti; ++c)
        for (int r : {0, 1})
            t.setCella(r, c, QStringLiteral("r%1c%2 <&>").arg(r).arg(c));
    t.setCella(1, 3, "si");
    t.setCella(0, requisiti, "requisiti\r\ndel presidente");
    t.setCella(3, requisiti, "solo requisiti");
    t.setCella(4, 1, "   ");
    for (int r = 0; r < 6; ++r)
        t.setCella(r, requisiti + 1, "SEGNO-MAI-SCRITTO");
}

} // namespace

class TestScrittura : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { impostaCartellaProgramma(cartellaModelli); }
    void compilato_data();
    void compilato();
    void modelloDifettoso_data();
    void modelloDifettoso();
};

void TestScrittura::compilato_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("turno");
    for (Modello m : tuttiIModelli)
        for (int turno = 0; turno < 4; ++turno)
            QTest::addRow("%s %d", qPrintable(nomeModello(m)), turno) << m << turno;
}

// Every position of a filled questionnaire: the general data, the control body, then every element of every
// section node in order, with the question's text, answer, note, caption and numbers.
void TestScrittura::compilato()
{
    QFETCH(Modello, modello);
    QFETCH(int, turno);
    InterazioneFinta finta;
    Questionario questionario(modello, finta);
    compila(questionario, turno);
    const FileXml f = fileScritto(questionario);
    const ProfiloModello& p = questionario.profilo();
    QVERIFY(f.contenuto().startsWith(R"(<?xml version="1.0" encoding="UTF-8"?>)"));
    QVERIFY(!f.contenuto().contains(">\n<"));
    const bool breve = turno % 2;
    const auto campo = [](int i) { return QStringLiteral("campo %1 «è» <&>").arg(i); };

    const std::pair<const char*, int> campi[] = {{"G/0", 0},    {"G/1", 1},    {"G/3/0", 5},
                                                 {"G/3/1", 6},  {"G/3/2", 7},  {"G/5/0", 62},
                                                 {"G/5/1", 63}, {"G/5/2", 64}, {"C/-3", 33}};
    for (auto [posizione, i] : campi)
        QCOMPARE(f.valore(posizione), campo(i));
    QCOMPARE(f.valore("G/2"), breve ? "122023" : "31122023");
    QCOMPARE(f.valore("C/-2"), breve ? "0107" : "01072021");
    QCOMPARE(f.numeroFigli("G/5"), modello == Modello::Dualistico ? 3 : 4);
    if (modello != Modello::Dualistico)
        QCOMPARE(f.valore("G/5/3") + u'|' + f.attributo("G/5/3"), breve ? "0|true" : campo(65) + "|false");
    // 79 and 80: value and note only, the one-tier model with 80 first; NO only for the traditional 80. The
    // control body ends with field 33, the start date and question 81.
    const int primo = modello == Modello::Monistico ? 80 : 79,
              secondo = modello == Modello::Monistico ? 79 : 80;
    for (const auto& [posizione, i] :
         {std::pair{QStringLiteral("G/4/0/0"), primo}, {"G/4/1/0", secondo}, {"C/-1", 81}}) {
        const Risposta r = rispostaDi(i, turno);
        const bool no = r == Risposta::NO && i == 80 && modello == Modello::Tradizionale;
        QCOMPARE(f.valore(posizione + "/1/0"), r == Risposta::SI ? "SI" : no ? "NO" : "");
        QCOMPARE(f.valore(posizione + "/1/1"),
                 r == Risposta::SI && (i + turno) % 3 == 0 ? nota(true, i) : "");
        QCOMPARE(f.valore(posizione + "/0") + f.valore(posizione + "/2") + f.valore(posizione + "/3"),
                 QString());
    }
    QCOMPARE(f.attributo("G/4/0/0/1/1"), modello == Modello::Monistico ? "Nota 1.0.b" : "Nota 1.0.a");

    // The members: rows 1, 3 and 4 follow the president in table order, the empty rows leave nothing, the
    // requisiti marks are never written.
    QCOMPARE(f.numeroFigli("C"), 7);
    const QStringList membri{"C/0/0", "C/1", "C/2", "C/3"};
    const QList<int> righe{0, 1, 3, 4};
    for (int k = 0; k < membri.size(); ++k) {
        QCOMPARE(QStringList(f.nome(membri[k])) + f.nomiFigli(membri[k]), nomiMembro(modello));
        QCOMPARE(f.nomiFigli(membri[k] + "/3"),
                 QStringList({"SocietaDelGruppo", "SocietaQuotate", "AltreSocieta"}));
        QCOMPARE(f.numeroAttributi(membri[k]), 0);
        const QList<int> colonne = colonneMembro(modello);
        for (int c = 0; c < colonne.size(); ++c) {
            const QString cella = questionario.membri().cella(righe[k], colonne[c]);
            QCOMPARE(f.valore(membri[k] + "/" + foglieMembro[c]), colonne[c] == 3 ? cella.toUpper() : cella);
        }
    }
    QCOMPARE(f.valore("C/1/2"), "SI");
    QCOMPARE(f.valore("C/0/0/4"), "requisiti\r\ndel presidente");
    QVERIFY(!f.contenuto().contains("SEGNO-MAI-SCRITTO"));

    const QList<QList<int>> attese = sezioni(modello);
    QCOMPARE(f.numeroFigli("A"), attese.size());
    for (int s = 0; s < attese.size(); ++s) {
        QCOMPARE(f.numeroFigli(QStringLiteral("A/%1").arg(s)), attese[s].size());
        for (int e = 0; e < attese[s].size(); ++e) {
            const int i = attese[s][e];
            const QString q = QStringLiteral("A/%1/%2").arg(s).arg(e);
            if (i < 0) { // left as the template has it
                QCOMPARE(f.valore(q) + f.attributo(q + "/1/1"), QString());
                continue;
            }
            // Q/2 the section ("2" only in the traditional model), Q/3 the element's number; in the two-tier
            // and one-tier models the questions after the unused element keep the number they would have
            // had without it.
            const bool tradizionale = modello == Modello::Tradizionale;
            QCOMPARE(f.valore(q + "/2"), QString::number(tradizionale ? s + 1 : s == 0 ? 1 : 3));
            QCOMPARE(f.valore(q + "/3"), QString::number(!tradizionale && s == 1 && e >= 24 ? e : e + 1));
            const bool soloNumeri = tradizionale && (i == 75 || i == 76);
            QCOMPARE(f.valore(q + "/0"), soloNumeri ? QString() : p.domanda(i).testo);
            if (soloNumeri) {
                QCOMPARE(f.valore(q + "/1"), QString());
                continue;
            }
            const Risposta r = rispostaDi(i, turno);
            QString valore = r == Risposta::SI   ? (i == 7 ? "Adeguata" : "SI")
                             : r == Risposta::NO ? (i == 7 ? "Inadeguata" : "NO")
                             : r == Risposta::NA ? "NA"
                                                 : "";
            if (const int conteggio = QList<int>{34, 38, 40}.indexOf(i); tradizionale && conteggio >= 0)
                valore = QString::number(10 + conteggio);
            QCOMPARE(f.valore(q + "/1/0"), valore);
            const int n = (i + turno) % 3;
            QCOMPARE(f.valore(q + "/1/1"), n == 2 ? QString() : nota(n == 0, i));
            QCOMPARE(f.attributo(q + "/1/1"), p.domanda(i).etichettaNota);
        }
    }
    QCOMPARE(f.valore("A/0/1/0"), QString(48, u' ') + "società infragruppo");
    QCOMPARE(f.attributo("A/0/8/1/1"), "Nota 2.a");
}

void TestScrittura::modelloDifettoso_data()
{
    QTest::addColumn<QByteArray>("modello"); // empty: no template at all
    QTest::addColumn<bool>("fallisce");
    const QByteArray buono =
        FileXml::daFile(cartellaModelli + "/SchedaOrganiSociali_base_trad.dat").contenuto();
    QTest::newRow("modello assente") << QByteArray() << true;
    QTest::newRow("non ben formato") << buono.left(buono.size() / 2) << true;
    QTest::newRow("ultima domanda di A/2 mancante") << senzaElemento(buono, "R/0/0/2/2/25") << true;
    QTest::newRow("figlio 8 del presidente mancante") << senzaElemento(buono, "R/0/0/1/0/0/8") << true;
    QTest::newRow("C/3 mancante") << senzaElemento(buono, "R/0/0/1/3") << true;
    QTest::newRow("G con quattro figli")
        << senzaElemento(senzaElemento(buono, "R/0/0/0/5"), "R/0/0/0/4") << false;
}

// A template that lacks an addressed node stops the writer; the target file keeps its old bytes.
void TestScrittura::modelloDifettoso()
{
    QFETCH(QByteArray, modello);
    QFETCH(bool, fallisce);
    QTemporaryDir cartella;
    const QString destinazione = cartella.filePath("esistente.xml");
    QVERIFY(modello.isEmpty() ||
            salvaContenuto(cartella.filePath("SchedaOrganiSociali_base_trad.dat"), modello));
    QVERIFY(salvaContenuto(destinazione, "vecchio contenuto"));

    impostaCartellaProgramma(cartella.path());
    InterazioneFinta finta;
    QString errore;
    try {
        scriviFile(Questionario(Modello::Tradizionale, finta), destinazione);
    } catch (const ErroreXml& e) {
        errore = e.descrizione();
    }
    impostaCartellaProgramma(cartellaModelli);

    const FileXml f = FileXml::daFile(destinazione);
    QCOMPARE(errore.isEmpty(), !fallisce);
    QCOMPARE(fallisce ? f.contenuto() : QByteArray::number(f.numeroFigli("G")),
             fallisce ? "vecchio contenuto" : "4");
    if (modello.isEmpty())
        QCOMPARE(errore, "Manca il modello SchedaOrganiSociali_base_trad.dat: lo si cerca nella cartella del "
                         "programma, " +
                             QDir::toNativeSeparators(cartella.path()) + ".");
}

QTEST_GUILESS_MAIN(TestScrittura)
#include "tst_scrittura.moc"
