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
        for (const QString& parte : sezione.split(u' ')) {
            for (int i = parte.section(u'-', 0, 0).toInt(); i <= parte.section(u'-', -1).toInt(); ++i)
                risultato.last() << (parte == u"x" ? -1 : i);
        }
    }
    return risultato;
}

// Children of a member element ("3/1": child 1 of child 3) with the column each holds, and their names.
QList<std::pair<QString, int>> figliMembro(Modello m)
{
    QList<std::pair<QString, int>> f{{"0", 1},   {"1", 2}, {"2", 3}, {"3/0", 4}, {"3/1", 5},
                                     {"3/2", 6}, {"5", 7}, {"6", 8}, {"7", 9}};
    if (m == Modello::Dualistico)
        return f << std::pair{QStringLiteral("4"), 10};
    return f << std::pair{QStringLiteral("4"), 11} << std::pair{QStringLiteral("8"), 10};
}

QStringList nomiMembro(Modello m)
{
    // The attendance counts follow the five children every model has.
    const char* const presenze[] = {
        "NumeroPresenzeRiunioniCollegioSindacale NumeroPresenzeAssemblee "
        "NumeroPresenzeRiunioniConsiglioAmministrazione NumeroPresenzeRiunioniComitatoEsecutivo",
        "NumeroPresenzeRiunioniConsiglioSorveglianza NumeroPresenzeAssemblee NumeroPresenzeRiunioniConsiglioGestione",
        "NumeroPresenzeRiunioniComitatoControlloGestione NumeroPresenzeAssemblee "
        "NumeroPresenzeRiunioniConsiglioAmministrazione NumeroPresenzeRiunioniComitatoEsecutivo"};
    return QStringList{"Nome", "CodiceFiscale", "ElettoMinoranze", "IncarichiRicoperti",
                       "RequisitiProfessionalitàInPossesso"} +
           QString::fromLatin1(presenze[int(m)]).split(u' ');
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
    FileXml scrivi()
    {
        scriviFile(q, cartella.filePath(QStringLiteral("scheda.xml")));
        return FileXml::daFile(cartella.filePath(QStringLiteral("scheda.xml")));
    }
};

// Everything filled with distinct values, boxes set directly, without the answer rules.
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
    void compilato_data();
    void compilato();
    void membri_data();
    void membri();
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
    Banco b(modello);
    compila(b.q, turno);
    const FileXml f = b.scrivi();
    const ProfiloModello& p = b.q.profilo();
    QVERIFY(f.contenuto().startsWith(R"(<?xml version="1.0" encoding="UTF-8"?>)"));
    QVERIFY(!f.contenuto().contains(">\n<"));
    const bool breve = turno % 2;
    const auto campo = [](int i) { return QStringLiteral("campo %1 «è» <&>").arg(i); };

    const std::pair<const char*, int> campi[] = {{"G/0", 0},    {"G/1", 1},    {"G/3/0", 5},
                                                 {"G/3/1", 6},  {"G/3/2", 7},  {"G/5/0", 62},
                                                 {"G/5/1", 63}, {"G/5/2", 64}, {"C/1", 33}};
    for (auto [posizione, i] : campi)
        QCOMPARE(f.valore(posizione), campo(i));
    QCOMPARE(f.valore("G/2"), breve ? "122023" : "31122023");
    QCOMPARE(f.valore("C/2"), breve ? "0107" : "01072021");
    if (modello == Modello::Dualistico) {
        QCOMPARE(f.numeroFigli("G/5"), 3);
    } else {
        QCOMPARE(f.valore("G/5/3"), breve ? "0" : campo(65));
        QCOMPARE(f.attributo("G/5/3"), breve ? "true" : "false");
    }
    // 79 and 80: value and note only, the one-tier model with 80 first; NO only for the traditional 80. The
    // control body ends with field 33, the start date and question 81.
    const int primo = modello == Modello::Monistico ? 80 : 79,
              secondo = modello == Modello::Monistico ? 79 : 80;
    for (const auto& [posizione, i] :
         {std::pair{QStringLiteral("G/4/0/0"), primo}, {"G/4/1/0", secondo}, {"C/3", 81}}) {
        const Risposta r = rispostaDi(i, turno);
        const bool no = r == Risposta::NO && i == 80 && modello == Modello::Tradizionale;
        QCOMPARE(f.valore(posizione + "/1/0"), r == Risposta::SI ? "SI" : no ? "NO" : "");
        QCOMPARE(f.valore(posizione + "/1/1"), r == Risposta::SI ? b.q.notaSI(i) : QString());
        QCOMPARE(f.valore(posizione + "/0") + f.valore(posizione + "/2") + f.valore(posizione + "/3"),
                 QString());
    }
    QCOMPARE(f.attributo("G/4/0/0/1/1"), modello == Modello::Monistico ? "Nota 1.0.b" : "Nota 1.0.a");
    QCOMPARE(f.numeroFigli("C"), 4);

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
            const int nota = (i + turno) % 3;
            QCOMPARE(f.valore(q + "/1/1"), nota == 0 ? notaSI(i) : nota == 1 ? notaAltre(i) : QString());
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

// Empty, the template's values are emptied and C keeps its four children. Rows 1, 3 and 4 follow the
// president in table order; the empty rows 2 and 5 leave nothing, and the requisiti marks are never written.
void TestScrittura::membri()
{
    QFETCH(Modello, modello);
    Banco b(modello);
    const FileXml vuoto = b.scrivi();
    QCOMPARE(vuoto.numeroFigli("C"), 4);
    QCOMPARE(vuoto.valore("G"), QString());
    QCOMPARE(vuoto.valore("C"), QString());
    for (int s = 0; s < vuoto.numeroFigli("A"); ++s)
        for (int e = 0; e < vuoto.numeroFigli(QStringLiteral("A/%1").arg(s)); ++e)
            QCOMPARE(vuoto.valore(QStringLiteral("A/%1/%2/1").arg(s).arg(e)), QString());

    TabellaMembri& t = b.q.membri();
    while (t.numeroMembri() < 6)
        QVERIFY(t.aggiungiMembro());
    const int requisiti = modello == Modello::Dualistico ? 10 : 11;
    for (int c = 1; c <= requisiti; ++c) {
        t.setCella(0, c, QStringLiteral("p%1").arg(c));
        t.setCella(1, c, QStringLiteral("r1c%1 <&>").arg(c));
    }
    t.setCella(1, 3, "si");
    t.setCella(0, requisiti, "requisiti\r\ndel presidente");
    t.setCella(3, requisiti, "solo requisiti");
    t.setCella(4, 1, "   ");
    for (int r = 0; r < 6; ++r)
        t.setCella(r, requisiti + 1, "SEGNO-MAI-SCRITTO");
    b.q.setCampoGenerale(33, "4");
    const FileXml f = b.scrivi();

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
            const QString cella = t.cella(righe[k], colonna);
            QCOMPARE(f.valore(m + "/" + figlio), colonna == 3 ? cella.toUpper() : cella);
        }
    }
    QCOMPARE(f.valore("C/1/2"), "SI");
    QCOMPARE(f.valore("C/2/4"), "solo requisiti");
    QCOMPARE(f.valore("C/3/0"), "   ");
    QCOMPARE(f.valore("C/0/0/4"), "requisiti\r\ndel presidente");
    QVERIFY(!f.contenuto().contains("SEGNO-MAI-SCRITTO"));
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
    QFile nuovo(cartella.filePath("SchedaOrganiSociali_base_trad.dat"));
    QVERIFY(modifica == "assente" || (nuovo.open(QIODevice::WriteOnly) && nuovo.write(modello) > 0));
    nuovo.close();
    const QString destinazione = cartella.filePath("esistente.xml");
    QFile vecchio(destinazione);
    QVERIFY(vecchio.open(QIODevice::WriteOnly) && vecchio.write("vecchio contenuto") > 0);
    vecchio.close();

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
    if (!fallisce)
        QCOMPARE(f.numeroFigli("G"), 4);
    else
        QCOMPARE(f.contenuto(), QByteArray("vecchio contenuto"));
    if (modifica == "assente")
        QCOMPARE(errore, "Manca il modello SchedaOrganiSociali_base_trad.dat: lo si cerca nella cartella del "
                         "programma, " +
                             QDir::toNativeSeparators(cartella.path()) + ".");
}

QTEST_GUILESS_MAIN(TestScrittura)
#include "tst_scrittura.moc"
