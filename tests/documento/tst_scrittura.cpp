// The writer, checked by position in the written file with a walker that shares nothing with it.
#include "documento/documentoxml.h"
#include "documento/scrittura.h"
#include "modelli/posizionifile.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"
#include "support/percorsixml.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Modello)

namespace {

const QString cartellaModelli = QStringLiteral(DATI_TEST "/../../templates");

// The questions of each section node of the file, element by element, written out from the file layout
// (-1: an element no question uses).
QList<int> da(int primo, int ultimo)
{
    QList<int> indici;
    for (int i = primo; i <= ultimo; ++i)
        indici << i;
    return indici;
}

QList<QList<int>> sezioni(Modello m)
{
    switch (m) {
    case Modello::Tradizionale:
        return {QList<int>{72} + da(0, 22) + QList<int>{73} + da(23, 31) + QList<int>{74},
                QList<int>{32, 33, 34, 75} + da(35, 42) + QList<int>{76} + da(43, 47),
                QList<int>{77} + da(48, 67) + QList<int>{78} + da(68, 71)};
    case Modello::Dualistico:
        return {QList<int>{72} + da(0, 22) + QList<int>{73} + da(23, 30) + QList<int>{74},
                QList<int>{77} + da(48, 67) + QList<int>{78, 68, -1, 70}};
    case Modello::Monistico:
        break;
    }
    return {QList<int>{72} + da(0, 22) + QList<int>{73} + da(23, 30) + QList<int>{74, 31},
            QList<int>{77} + da(48, 67) + QList<int>{78, 68, -1, 70, 71}};
}

// Children of a member element with the column each holds ("3/1": child 1 of child 3).
using Figli = QList<QPair<QString, int>>;
Figli figliMembro(Modello m)
{
    Figli f{{"0", 1}, {"1", 2}, {"2", 3}, {"3/0", 4}, {"3/1", 5}, {"3/2", 6}, {"5", 7}, {"6", 8}, {"7", 9}};
    if (m == Modello::Dualistico)
        return f << qMakePair(QStringLiteral("4"), 10);
    return f << qMakePair(QStringLiteral("4"), 11) << qMakePair(QStringLiteral("8"), 10);
}

QStringList nomiMembro(Modello m)
{
    QStringList nomi{"Nome", "CodiceFiscale", "ElettoMinoranze", "IncarichiRicoperti",
                     QStringLiteral("RequisitiProfessionalitàInPossesso")};
    switch (m) {
    case Modello::Tradizionale:
        return nomi << "NumeroPresenzeRiunioniCollegioSindacale"
                    << "NumeroPresenzeAssemblee"
                    << "NumeroPresenzeRiunioniConsiglioAmministrazione"
                    << "NumeroPresenzeRiunioniComitatoEsecutivo";
    case Modello::Dualistico:
        return nomi << "NumeroPresenzeRiunioniConsiglioSorveglianza"
                    << "NumeroPresenzeAssemblee"
                    << "NumeroPresenzeRiunioniConsiglioGestione";
    case Modello::Monistico:
        break;
    }
    return nomi << "NumeroPresenzeRiunioniComitatoControlloGestione"
                << "NumeroPresenzeAssemblee"
                << "NumeroPresenzeRiunioniConsiglioAmministrazione"
                << "NumeroPresenzeRiunioniComitatoEsecutivo";
}

QString notaSI(int i)
{
    return QStringLiteral("[SI:%1] <&> \"è\"\r\nseconda riga").arg(i);
}
QString notaAltre(int i)
{
    return QStringLiteral("[ALTRE:%1] ü\r\n").arg(i);
}

// Answer of question i in a given turn: SI, NO, NA, none in turn; notes both, only noteAltre, none.
Risposta rispostaDi(int i, int turno)
{
    static const Risposta ciclo[] = {Risposta::SI, Risposta::NO, Risposta::NA, Risposta::Nessuna};
    return ciclo[(i + turno) % 4];
}

struct Banco
{
    InterazioneFinta finta;
    Questionario q;
    QTemporaryDir cartella;
    explicit Banco(Modello m) : q(m, finta) {}
    QString file() const { return cartella.filePath(QStringLiteral("scheda.xml")); }
    FileXml scrivi()
    {
        scriviFile(q, file());
        return FileXml::daFile(file());
    }
};

// Everything filled with distinct values, boxes set directly, without the answer rules.
void compila(Questionario& q, int turno)
{
    const Questionario::Caricamento caricamento(q);
    for (int campo : q.profilo().campiGenerali())
        q.setCampoGenerale(campo, QStringLiteral("campo %1 «è» <&>").arg(campo));
    const bool breve = turno % 2;
    q.setCampoGenerale(2, breve ? "1" : "31");
    q.setCampoGenerale(3, breve ? "2" : "12");
    q.setCampoGenerale(4, "2023");
    q.setCampoGenerale(34, "01");
    q.setCampoGenerale(35, "07");
    q.setCampoGenerale(36, breve ? "" : "2021");
    q.setRiunioniNA(breve);
    for (int i = 0; i < numeroIndici; ++i) {
        const Risposta r = rispostaDi(i, turno);
        q.setBox(i, Casella::SI, r == Risposta::SI);
        q.setBox(i, Casella::NO, r == Risposta::NO);
        q.setBox(i, Casella::NA, r == Risposta::NA);
        if ((i + turno) % 3 == 0)
            q.setNotaSI(i, notaSI(i));
        if ((i + turno) % 3 != 2)
            q.setNotaAltre(i, notaAltre(i));
    }
    for (int k = 0; k < 3; ++k)
        q.setConteggioRiquadroII(k, QString::number(10 + k));
}

} // namespace

class TestScrittura : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { impostaCartellaProgramma(cartellaModelli); }
    void datiGenerali_data();
    void datiGenerali();
    void domande_data() { datiGenerali_data(); }
    void domande();
    void membri_data();
    void membri();
    void questionarioVuoto_data();
    void questionarioVuoto();
    void modelloDifettoso_data();
    void modelloDifettoso();
};

void TestScrittura::datiGenerali_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("turno");
    for (Modello m : tuttiIModelli)
        for (int turno = 0; turno < 4; ++turno)
            QTest::addRow("%s %d", qPrintable(nomeModello(m)), turno) << m << turno;
}

void TestScrittura::datiGenerali()
{
    QFETCH(Modello, modello);
    QFETCH(int, turno);
    Banco b(modello);
    compila(b.q, turno);
    const FileXml f = b.scrivi();
    QVERIFY(f.caricato());
    QVERIFY(f.contenuto().startsWith(R"(<?xml version="1.0" encoding="UTF-8"?>)"));
    QVERIFY(!f.contenuto().contains(">\n<"));
    const bool breve = turno % 2;

    QCOMPARE(f.valore("G/0"), "campo 0 «è» <&>");
    QCOMPARE(f.valore("G/1"), "campo 1 «è» <&>");
    QCOMPARE(f.valore("G/2"), breve ? "122023" : "31122023");
    QCOMPARE(f.valore("G/3/0"), "campo 5 «è» <&>");
    QCOMPARE(f.valore("G/3/1"), "campo 6 «è» <&>");
    QCOMPARE(f.valore("G/3/2"), "campo 7 «è» <&>");
    QCOMPARE(f.valore("G/5/0"), "campo 62 «è» <&>");
    QCOMPARE(f.valore("G/5/1"), "campo 63 «è» <&>");
    QCOMPARE(f.valore("G/5/2"), "campo 64 «è» <&>");
    if (modello == Modello::Dualistico) {
        QCOMPARE(f.numeroFigli("G/5"), 3);
    } else {
        QCOMPARE(f.valore("G/5/3"), breve ? "0" : "campo 65 «è» <&>");
        QCOMPARE(f.attributo("G/5/3"), breve ? "true" : "false");
    }

    // 79 and 80: value and note only, the one-tier model with 80 first; NO only for the traditional 80.
    const int primo = modello == Modello::Monistico ? 80 : 79;
    const int secondo = modello == Modello::Monistico ? 79 : 80;
    const QList<std::pair<QString, int>> requisiti{{"G/4/0/0", primo}, {"G/4/1/0", secondo}};
    for (const auto& [posizione, i] : requisiti) {
        const Risposta r = rispostaDi(i, turno);
        const bool no = r == Risposta::NO && i == 80 && modello == Modello::Tradizionale;
        QCOMPARE(f.valore(posizione + "/1/0"), r == Risposta::SI ? "SI" : no ? "NO" : "");
        QCOMPARE(f.valore(posizione + "/1/1"), r == Risposta::SI ? b.q.notaSI(i) : QString());
        QCOMPARE(f.valore(posizione + "/0"), QString());
        QCOMPARE(f.valore(posizione + "/2") + f.valore(posizione + "/3"), QString());
    }
    QCOMPARE(f.attributo("G/4/0/0/1/1"), modello == Modello::Monistico ? "Nota 1.0.b" : "Nota 1.0.a");

    // The control body: field 33, the start date and question 81 after the president.
    QCOMPARE(f.numeroFigli("C"), 4);
    QCOMPARE(f.valore("C/1"), "campo 33 «è» <&>");
    QCOMPARE(f.valore("C/2"), breve ? "0107" : "01072021");
    const bool si81 = rispostaDi(81, turno) == Risposta::SI;
    QCOMPARE(f.valore("C/3/1/0"), si81 ? "SI" : "");
    QCOMPARE(f.valore("C/3/1/1"), si81 ? b.q.notaSI(81) : QString());
}

// Every element of every section node, in order: the question's text, answer, note, caption and numbers.
void TestScrittura::domande()
{
    QFETCH(Modello, modello);
    QFETCH(int, turno);
    Banco b(modello);
    compila(b.q, turno);
    const FileXml f = b.scrivi();
    const ProfiloModello& p = b.q.profilo();

    const QList<QList<int>> attese = sezioni(modello);
    QCOMPARE(f.numeroFigli("A"), attese.size());
    QList<int> scritte;
    for (int s = 0; s < attese.size(); ++s) {
        QCOMPARE(f.numeroFigli(QStringLiteral("A/%1").arg(s)), attese[s].size());
        for (int e = 0; e < attese[s].size(); ++e) {
            const int i = attese[s][e];
            const QString q = QStringLiteral("A/%1/%2").arg(s).arg(e);
            if (i < 0) { // left as the template has it
                QCOMPARE(f.valore(q) + f.attributo(q + "/1/1"), QString());
                continue;
            }
            scritte << i;
            // Q/2 the section ("2" only in the traditional model), Q/3 the element's number; in the two-tier
            // and one-tier models the questions after the unused element keep the number they would have
            // had without it.
            QCOMPARE(f.valore(q + "/2"), QString::number(modello == Modello::Tradizionale ? s + 1
                                                         : s == 0                         ? 1
                                                                                          : 3));
            QCOMPARE(f.valore(q + "/3"),
                     QString::number(modello != Modello::Tradizionale && s == 1 && e >= 24 ? e : e + 1));
            const bool soloNumeri = modello == Modello::Tradizionale && (i == 75 || i == 76);
            QCOMPARE(f.valore(q + "/0"), soloNumeri ? QString() : p.domanda(i).testo);
            if (soloNumeri) {
                QCOMPARE(f.valore(q + "/1"), QString());
                continue;
            }
            QString valore;
            switch (rispostaDi(i, turno)) {
            case Risposta::SI:
                valore = i == 7 ? "Adeguata" : "SI";
                break;
            case Risposta::NO:
                valore = i == 7 ? "Inadeguata" : "NO";
                break;
            case Risposta::NA:
                valore = "NA";
                break;
            case Risposta::Nessuna:
                break;
            }
            const int conteggio = QList<int>{34, 38, 40}.indexOf(i);
            if (modello == Modello::Tradizionale && conteggio >= 0)
                valore = QString::number(10 + conteggio);
            QCOMPARE(f.valore(q + "/1/0"), valore);
            const QString nota = (i + turno) % 3 == 0   ? notaSI(i)
                                 : (i + turno) % 3 == 1 ? notaAltre(i)
                                                        : QString();
            QCOMPARE(f.valore(q + "/1/1"), nota);
            QCOMPARE(f.attributo(q + "/1/1"), p.domanda(i).etichettaNota);
        }
    }
    QCOMPARE(f.valore("A/0/1/0"), QString(48, u' ') + "società infragruppo");
    QCOMPARE(f.attributo("A/0/8/1/1"), "Nota 2.a");
    // Nothing else carries a question's note.
    for (int i = 0; i < 79; ++i) {
        if (scritte.contains(i))
            continue;
        QVERIFY2(!f.contenuto().contains(QStringLiteral("[SI:%1]").arg(i).toUtf8()),
                 qPrintable(QString::number(i)));
        QVERIFY2(!f.contenuto().contains(QStringLiteral("[ALTRE:%1]").arg(i).toUtf8()),
                 qPrintable(QString::number(i)));
    }
}

void TestScrittura::membri_data()
{
    QTest::addColumn<Modello>("modello");
    for (Modello m : tuttiIModelli)
        QTest::newRow(qPrintable(nomeModello(m))) << m;
}

void TestScrittura::membri()
{
    QFETCH(Modello, modello);
    Banco b(modello);
    TabellaMembri& t = b.q.membri();
    while (t.numeroMembri() < 6)
        QVERIFY(t.aggiungiMembro());
    const int requisiti = modello == Modello::Dualistico ? 10 : 11;
    const int segno = requisiti + 1;
    const int ultima = requisiti;
    for (int c = 1; c <= ultima; ++c) {
        t.setCella(0, c, QStringLiteral("p%1").arg(c));
        t.setCella(1, c, QStringLiteral("r1c%1 <&>").arg(c));
    }
    t.setCella(1, 3, "si");
    t.setCella(0, requisiti, "requisiti\r\ndel presidente");
    t.setCella(3, requisiti, "solo requisiti");
    t.setCella(4, 1, "   ");
    for (int r = 0; r < 6; ++r)
        t.setCella(r, segno, "SEGNO-MAI-SCRITTO");
    b.q.setCampoGenerale(33, "4");
    const FileXml f = b.scrivi();

    // Rows 1, 3 and 4 follow the president in table order; the empty rows 2 and 5 leave nothing.
    QCOMPARE(f.numeroFigli("C"), 7);
    QCOMPARE(f.valore("C/-3"), "4");
    QCOMPARE(f.valore("C/4"), "4");
    const QStringList posizioni{"C/0/0", "C/1", "C/2", "C/3"};
    const QList<int> righe{0, 1, 3, 4};
    for (int k = 0; k < posizioni.size(); ++k) {
        const QString m = posizioni[k];
        QCOMPARE(f.nome(m), posizioniFile(modello).nomeMembro);
        QCOMPARE(f.nomiFigli(m), nomiMembro(modello));
        QCOMPARE(f.nomiFigli(m + "/3"), QStringList({"SocietaDelGruppo", "SocietaQuotate", "AltreSocieta"}));
        QCOMPARE(f.numeroAttributi(m), 0);
        for (const auto& [figlio, colonna] : figliMembro(modello)) {
            QString atteso = t.cella(righe[k], colonna);
            if (colonna == 3)
                atteso = atteso.toUpper();
            QCOMPARE(f.valore(m + "/" + figlio), atteso);
        }
    }
    QCOMPARE(f.valore("C/1/2"), "SI");
    QCOMPARE(f.valore("C/2/4"), "solo requisiti");
    QCOMPARE(f.valore("C/3/0"), "   ");
    QCOMPARE(f.valore("C/0/0/4"), "requisiti\r\ndel presidente");
    QVERIFY(!f.contenuto().contains("SEGNO-MAI-SCRITTO"));
}

void TestScrittura::questionarioVuoto_data()
{
    membri_data();
}

// The template with empty values: C keeps its four children and the president's element is emptied.
void TestScrittura::questionarioVuoto()
{
    QFETCH(Modello, modello);
    Banco b(modello);
    const FileXml f = b.scrivi();
    QCOMPARE(f.numeroFigli("C"), 4);
    QCOMPARE(f.valore("G"), QString());
    QCOMPARE(f.valore("C"), QString());
    const int sezioni = f.numeroFigli("A");
    for (int s = 0; s < sezioni; ++s)
        for (int e = 0; e < f.numeroFigli(QStringLiteral("A/%1").arg(s)); ++e)
            QCOMPARE(f.valore(QStringLiteral("A/%1/%2/1").arg(s).arg(e)), QString());
}

void TestScrittura::modelloDifettoso_data()
{
    QTest::addColumn<QString>("modifica");
    QTest::addColumn<bool>("fallisce");
    QTest::newRow("modello assente") << "assente" << true;
    QTest::newRow("non ben formato") << "troncato" << true;
    QTest::newRow("ultima domanda di A/2 mancante") << "R/0/0/2/2/25" << true;
    QTest::newRow("figlio 8 del presidente mancante") << "R/0/0/1/0/0/8" << true;
    QTest::newRow("C/3 mancante") << "R/0/0/1/3" << true;
    QTest::newRow("G con quattro figli") << "R/0/0/0/5,R/0/0/0/4" << false;
}

// A template that lacks an addressed node stops the writer; the target file keeps its old bytes.
void TestScrittura::modelloDifettoso()
{
    QFETCH(QString, modifica);
    QFETCH(bool, fallisce);
    QTemporaryDir cartella;
    QFile originale(cartellaModelli + "/SchedaOrganiSociali_base_trad.dat");
    QVERIFY(originale.open(QIODevice::ReadOnly));
    QByteArray modello = originale.readAll();
    if (modifica == "troncato")
        modello.truncate(modello.size() / 2);
    else if (modifica != "assente")
        for (const QString& percorso : modifica.split(u','))
            modello = senzaElemento(modello, percorso);
    if (modifica != "assente") {
        QFile nuovo(cartella.filePath("SchedaOrganiSociali_base_trad.dat"));
        QVERIFY(nuovo.open(QIODevice::WriteOnly));
        nuovo.write(modello);
    }
    const QString destinazione = cartella.filePath("esistente.xml");
    {
        QFile vecchio(destinazione);
        QVERIFY(vecchio.open(QIODevice::WriteOnly));
        vecchio.write("vecchio contenuto");
    }

    impostaCartellaProgramma(cartella.path());
    InterazioneFinta finta;
    Questionario q(Modello::Tradizionale, finta);
    QString errore;
    try {
        scriviFile(q, destinazione);
    } catch (const ErroreXml& e) {
        errore = e.descrizione();
    }
    impostaCartellaProgramma(cartellaModelli);

    const FileXml f = FileXml::daFile(destinazione);
    if (!fallisce) {
        QCOMPARE(errore, QString());
        QCOMPARE(f.numeroFigli("G"), 4);
        return;
    }
    QVERIFY(!errore.isEmpty());
    if (modifica == "assente")
        QCOMPARE(errore, "Manca il modello SchedaOrganiSociali_base_trad.dat: lo si cerca nella cartella del "
                         "programma, " +
                             QDir::toNativeSeparators(cartella.path()) + ".");
    QCOMPARE(f.contenuto(), QByteArray("vecchio contenuto"));
}

QTEST_GUILESS_MAIN(TestScrittura)
#include "tst_scrittura.moc"
