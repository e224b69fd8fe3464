#include "documento/controllo.h"
#include "documento/erroreoperazione.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"
#include "support/questionariocompleto.h"

#include <QTest>
#include <functional>
#include <set>
#include <utility>

using Preparazione = std::function<void(Questionario&)>;
Q_DECLARE_METATYPE(Modello)
Q_DECLARE_METATYPE(ModoControllo)
Q_DECLARE_METATYPE(Preparazione)

namespace {

const QString prima = QStringLiteral("prima di passare alla generazione del file.");
const QString dataErrata = QStringLiteral("messaggio|Attenzione|Si è inserita una data non corretta!");
const QString domandaIncarichi = QStringLiteral(
    "messaggio|Attenzione|Il numero massimo di incarichi previsti dallo statuto\rè inferiore agli incarichi "
    "ricoperti.\rE' necessario compilare la nota 1.0.c.\rSi desidera compilare tale nota adesso?");
const QString manca10c =
    QStringLiteral("messaggio|Errore|Verificare la <Nota 1.0.c> nel Dati Generali\r\n") + prima;
const QStringList didascalie{QStringLiteral("Dati Generali"),      QStringLiteral("Riquadro I [1/2]"),
                             QStringLiteral("Riquadro I [2/2]"),   QStringLiteral("Riquadro II"),
                             QStringLiteral("Riquadro III [1/2]"), QStringLiteral("Riquadro III [2/2]")};

std::set<int> con(std::initializer_list<int> singoli,
                  std::initializer_list<std::pair<int, int>> intervalli = {})
{
    std::set<int> s(singoli);
    for (auto [da, a] : intervalli)
        for (int i = da; i <= a; ++i)
            s.insert(i);
    return s;
}

// What the check must do in each model, written out independently of the program's own tables.
struct Attese
{
    QString membri; // the members heading, lowered
    QString frase62, frase64;
    bool campo65;
    QString casella79, casella80;
    std::set<int> conRisposta;        // reported when unanswered
    std::set<int> notaSuSI, notaSuNO; // answers that need a note (note labels reading "NO" left out)
};

const Attese& attese(Modello m)
{
    static const Attese tabella[] = {
        {"membri effettivi del collegio sindacale", " il numero di riunioni del collegio sindacale ",
         " il numero di riunioni del consiglio d'amministrazione ", true,
         "Materie e settori strettamente attinenti quello dell'impresa",
         "Eventuali condizioni aggiuntive per la sussistenza dei requisisti di professionalità dei sindaci",
         con({}, {{0, 74}, {77, 80}}),
         con({0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 30, 43, 74, 76, 79, 80}),
         con({6, 7, 15, 20, 22, 24, 26, 28, 72, 75, 77, 78}, {{48, 70}})},
        {"membri effettivi del consiglio di sorveglianza",
         " il numero di riunioni del consiglio di sorveglianza ",
         " il numero di riunioni del consiglio di gestione ", false,
         "Requisiti di professionalità dei consiglieri di sorveglianza",
         "Requisiti di indipendenza, cause di ineleggibilità e decadenze ulteriori rispetto a quelli di legge",
         con({70}, {{0, 30}, {48, 68}, {72, 74}, {77, 80}}),
         con({0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 30, 74, 79, 80}),
         con({6, 7, 15, 16, 20, 22, 24, 26, 28, 70, 72, 77, 78}, {{48, 68}})},
        {"membri effettivi del comitato per il controllo sulla gestione",
         " il numero di riunioni del comitato per il controllo sulla gestione ",
         " il numero di riunioni del consiglio d'amministrazione ", true,
         "Requisiti di professionalità dei membri del comitato per il controllo sulla gestione",
         "Requisiti di indipendenza previsti da codici di comportamento di associazioni di categoria o di società "
         "di gestione di mercati, se previsti dallo statuto",
         con({70, 71}, {{0, 31}, {48, 68}, {72, 74}, {77, 80}}),
         con({0, 1, 2, 3, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 30, 31, 74, 79, 80}),
         con({6, 7, 15, 16, 20, 22, 24, 26, 28, 70, 71, 72, 77, 78}, {{48, 68}})},
    };
    return tabella[static_cast<int>(m)];
}

int paginaAttesa(int i)
{
    if (i <= 14 || i == 72)
        return 1;
    if (i <= 31 || i == 73 || i == 74)
        return 2;
    if (i <= 47 || i == 75 || i == 76)
        return 3;
    if (i <= 61 || i == 77)
        return 4;
    return i <= 71 || i == 78 ? 5 : 0;
}

QString testoAtteso(const Questionario& q, int i)
{
    const QString operazioni =
        QStringLiteral("La società ha effettuato operazioni atipiche o inusuali con: ");
    const QString ricorrenti =
        QStringLiteral("Sono state effettuate altre operazioni infragruppo e con parti "
                       "correlate aventi natura ordinaria o ricorrente ");
    switch (i) {
    case 0:
        return operazioni + QStringLiteral("società infragruppo");
    case 1:
        return operazioni + QStringLiteral("parti correlate");
    case 2:
        return operazioni + QStringLiteral("terzi");
    case 4:
        return ricorrenti + QStringLiteral("Sono di natura commerciale?");
    case 5:
        return ricorrenti + QStringLiteral("Sono di natura finanziaria?");
    case 79:
        return attese(q.modello()).casella79;
    case 80:
        return attese(q.modello()).casella80;
    default:
        return q.profilo().domanda(i).testo; // no other text starts with spaces
    }
}

// The port calls of an unanswered question.
QStringList senzaRispostaAttesa(const Questionario& q, int i)
{
    const QString messaggio = QStringLiteral("messaggio|Errore|Verificare la domanda nel ") +
                              didascalie[paginaAttesa(i)] + QStringLiteral("\r\n<") + testoAtteso(q, i) +
                              QStringLiteral(">\r\n") + prima;
    const QString pagina = QStringLiteral("pagina|%1").arg(paginaAttesa(i));
    const int conteggio = i == 34 ? 0 : i == 38 ? 1 : i == 40 ? 2 : -1;
    if (q.modello() == Modello::Tradizionale && conteggio >= 0)
        return {QStringLiteral("focus|TEXT_%1").arg(conteggio), messaggio, pagina};
    return {messaggio, pagina, QStringLiteral("ripristina"), QStringLiteral("focus|Check_SI_%1").arg(i)};
}

QString campoMancante(const QString& frase)
{
    return QStringLiteral("messaggio|Errore|Verificare nel riquadro Dati Generali") + frase + prima;
}

struct Banco
{
    InterazioneFinta finta;
    Questionario q;

    explicit Banco(Modello modello, bool completo = true) : q(modello, finta)
    {
        finta.questionario = &q;
        if (completo)
            completa();
    }

    void completa() { compilaCompleto(q); }
    void compilaMembro(int r) { compilaMembroCompleto(q, r); }

    bool controlla(ModoControllo modo = ModoControllo::PrimoProblema)
    {
        finta.registro.clear();
        finta.messaggi.clear();
        return modo == ModoControllo::PrimoProblema ? controlloPrimaDellaGenerazione(q)
                                                    : controlloPrimaDellaGenerazione(q, modo);
    }
};

void aggiungiMembro(Questionario& q)
{
    QVERIFY(q.membri().aggiungiMembro());
}

// An answer given without its note (the fixture's note, if any, goes).
void senzaNota(Questionario& q, int i, Casella casella)
{
    q.setCaricamento(true);
    q.setBox(i, casella, true);
    if (casella != Casella::SI)
        q.setBox(i, Casella::SI, false);
    q.setSegnoNota(i, false);
    q.setCaricamento(false);
}

} // namespace

class TestControllo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completoPassa_data();
    void completoPassa();
    void campiGenerali_data();
    void campiGenerali();
    void membri_data();
    void membri();
    void domandaSenzaRisposta_data();
    void domandaSenzaRisposta();
    void notaRichiesta_data();
    void notaRichiesta();
    void date_data();
    void date();
    void numeri_data();
    void numeri();
    void incarichi_data();
    void incarichi();
    void primoProblemaVince_data();
    void primoProblemaVince();
    void tuttiIProblemiSuSchedaVuota_data();
    void tuttiIProblemiSuSchedaVuota();
    void tuttiIProblemiNonChiede();
};

void TestControllo::completoPassa_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<ModoControllo>("modo");
    for (Modello m : tuttiIModelli) {
        QTest::addRow("%s", qPrintable(nomeModello(m))) << m << ModoControllo::PrimoProblema;
        QTest::addRow("%s, all problems", qPrintable(nomeModello(m))) << m << ModoControllo::TuttiIProblemi;
    }
}

void TestControllo::completoPassa()
{
    QFETCH(Modello, modello);
    QFETCH(ModoControllo, modo);
    Banco b(modello);
    QCOMPARE(b.controlla(modo), false);
    QCOMPARE(b.finta.registro, QStringList());
}

void TestControllo::campiGenerali_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("campo");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("frase"); // empty: passes

    for (Modello m : tuttiIModelli) {
        const Attese& a = attese(m);
        QList<std::pair<int, QString>> vuoti{{0, " la denominazione della società "},
                                             {1, " il codice fiscale della società "},
                                             {5, " l'indirizzo del referente "},
                                             {6, " il telefono del referente "},
                                             {33, " il numero massimo di incarichi previsti dallo statuto "},
                                             {62, a.frase62},
                                             {63, " il numero di assemblee "},
                                             {64, a.frase64}};
        if (a.campo65)
            vuoti.append({65, " il numero di riunioni del comitato esecutivo "});
        const QByteArray nome = nomeModello(m).toUtf8();
        for (const auto& [campo, frase] : vuoti)
            QTest::addRow("%s, %d empty", nome.constData(), campo) << m << campo << QString() << frase;
        const QString lunghezza = QStringLiteral(" che il codice fiscale della società sia di 11 caratteri ");
        QTest::addRow("%s, tax code of 10", nome.constData())
            << m << 1 << QStringLiteral("0123456789") << lunghezza;
        QTest::addRow("%s, tax code of 12", nome.constData())
            << m << 1 << QStringLiteral("012345678901") << lunghezza;
        QTest::addRow("%s, spaces are not empty", nome.constData())
            << m << 0 << QStringLiteral(" ") << QString();
        QTest::addRow("%s, e-mail not required", nome.constData()) << m << 7 << QString() << QString();
    }
    // -1: field 65 emptied by its "N/A" box.
    QTest::newRow("Tradizionale, 65 N/A") << Modello::Tradizionale << -1 << QString() << QString();
    QTest::newRow("Monistico, 65 N/A") << Modello::Monistico << -1 << QString() << QString();
}

void TestControllo::campiGenerali()
{
    QFETCH(Modello, modello);
    QFETCH(int, campo);
    QFETCH(QString, valore);
    QFETCH(QString, frase);
    Banco b(modello);
    if (campo < 0)
        b.q.setRiunioniNA(true);
    else
        b.q.setCampoGenerale(campo, valore);
    QCOMPARE(b.controlla(), !frase.isEmpty());
    if (frase.isEmpty()) {
        QCOMPARE(b.finta.registro, QStringList());
        return;
    }
    QCOMPARE(b.finta.registro,
             QStringList({campoMancante(frase), "ripristina",
                          QStringLiteral("focus|TEXT_GENERALE_%1").arg(campo), "pagina|0"}));
    QCOMPARE(b.finta.messaggi.at(0).pulsanti, Interazione::Pulsanti::Ok);
    QCOMPARE(b.finta.messaggi.at(0).icona, Interazione::Icona::Critica);
}

void TestControllo::membri_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<Preparazione>("preparazione");
    QTest::addColumn<QString>("messaggio"); // empty: passes

    const auto cella = [](int riga, int colonna, const char* testo) {
        return [=](Questionario& q) { q.membri().setCella(riga, colonna, QString::fromUtf8(testo)); };
    };
    for (Modello m : tuttiIModelli) {
        const QByteArray nome = nomeModello(m).toUtf8();
        const Preparazione dueRighe = [](Questionario& q) {
            for (int c = 1; c < q.membri().numeroColonne(); ++c)
                q.membri().setCella(2, c, QString());
        };
        QTest::addRow("%s, two rows", nome.constData())
            << m << dueRighe << QStringLiteral("I %1 devono essere almeno tre.").arg(attese(m).membri);
        QTest::addRow("%s, hidden column missing", nome.constData())
            << m << Preparazione(cella(0, m == Modello::Dualistico ? 10 : 11, ""))
            << QStringLiteral("All'elemento [Pres.] mancano uno o più campi!");
    }
    const Modello t = Modello::Tradizionale;
    QTest::newRow("[4] name only") << t << Preparazione([](Questionario& q) {
        aggiungiMembro(q);
        q.membri().setCella(3, 1, QStringLiteral("Ugo Blu"));
    }) << QStringLiteral("All'elemento [4] mancano uno o più campi!");
    QTest::newRow("[4] name, tax code of 15") << t << Preparazione([](Questionario& q) {
        aggiungiMembro(q);
        q.membri().setCella(3, 1, QStringLiteral("Ugo Blu"));
        q.membri().setCella(3, 2, QStringLiteral("BLUGUO70A01F205"));
    }) << QStringLiteral("Il codice fiscale dell'elemento [4] deve essere di 16 caratteri");
    QTest::newRow("[4] a space") << t << Preparazione([](Questionario& q) {
        aggiungiMembro(q);
        q.membri().setCella(3, 4, QStringLiteral(" "));
    }) << QStringLiteral("All'elemento [4] mancano uno o più campi!");
    QTest::newRow("[4] empty passes") << t << Preparazione(aggiungiMembro) << QString();
    QTest::newRow("[2] tax code of 17")
        << t << Preparazione(cella(1, 2, "NRENNA70A41F205XY"))
        << QStringLiteral("Il codice fiscale dell'elemento [2] deve essere di 16 caratteri");
    QTest::newRow("[3] without minorities")
        << t << Preparazione(cella(2, 3, "")) << QStringLiteral("All'elemento [3] mancano uno o più campi!");
}

void TestControllo::membri()
{
    QFETCH(Modello, modello);
    QFETCH(Preparazione, preparazione);
    QFETCH(QString, messaggio);
    Banco b(modello);
    preparazione(b.q);
    QCOMPARE(b.controlla(), !messaggio.isEmpty());
    if (messaggio.isEmpty())
        QCOMPARE(b.finta.registro, QStringList());
    else
        QCOMPARE(b.finta.registro, QStringList({"ripristina", "focus|MSHFlexGrid1", "pagina|0",
                                                QStringLiteral("messaggio|Errore|") + messaggio}));
}

void TestControllo::domandaSenzaRisposta_data()
{
    QTest::addColumn<Modello>("modello");
    for (Modello m : tuttiIModelli)
        QTest::addRow("%s", qPrintable(nomeModello(m))) << m;
}

void TestControllo::domandaSenzaRisposta()
{
    QFETCH(Modello, modello);
    for (int i : attese(modello).conRisposta) {
        Banco b(modello);
        const int conteggio = b.q.profilo().domanda(i).campoConteggio;
        if (conteggio >= 0)
            b.q.setConteggioRiquadroII(conteggio, QString());
        b.q.setBox(i, Casella::SI, false);
        QVERIFY2(b.controlla(), qPrintable(QString::number(i)));
        QCOMPARE(b.finta.registro, senzaRispostaAttesa(b.q, i));
    }
    if (modello == Modello::Tradizionale) {
        // A ticked box also answers a question that has a count.
        Banco b(modello);
        b.q.setConteggioRiquadroII(1, QString());
        b.q.setBox(38, Casella::NO, true);
        QCOMPARE(b.controlla(), false);
    }
}

void TestControllo::notaRichiesta_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<bool>("suNO");
    for (Modello m : tuttiIModelli) {
        QTest::addRow("%s, SI", qPrintable(nomeModello(m))) << m << false;
        QTest::addRow("%s, NO", qPrintable(nomeModello(m))) << m << true;
    }
}

void TestControllo::notaRichiesta()
{
    QFETCH(Modello, modello);
    QFETCH(bool, suNO);
    const std::set<int>& richieste = suNO ? attese(modello).notaSuNO : attese(modello).notaSuSI;
    for (int i = 0; i <= 80; ++i) {
        Banco b(modello);
        const Domanda& d = b.q.profilo().domanda(i);
        if (!d.presente || !d.haCaselle() || (suNO && d.casellaSingola()))
            continue;
        senzaNota(b.q, i, suNO ? Casella::NO : Casella::SI);
        const bool richiesta = richieste.count(i) > 0;
        QVERIFY2(b.controlla() == richiesta, qPrintable(QString::number(i)));
        if (!richiesta)
            continue;
        const int p = paginaAttesa(i);
        QCOMPARE(b.finta.registro,
                 QStringList({QStringLiteral("messaggio|Errore|Verificare la <%1> nel %2\r\n")
                                      .arg(d.etichettaNota, didascalie[p]) +
                                  prima,
                              QStringLiteral("pagina|%1").arg(p)}));
    }
}

void TestControllo::date_data()
{
    QTest::addColumn<QStringList>("inizio");   // day, month, year of the start of the office
    QTest::addColumn<QStringList>("chiusura"); // ... of the closing date
    QTest::addColumn<QString>("campo33");
    QTest::addColumn<QStringList>("registro");

    const QStringList buona{"15", "04", "2022"};
    const QStringList focus34{dataErrata, "focus|TEXT_GENERALE_34"};
    const QStringList focus2{dataErrata, "focus|TEXT_GENERALE_2"};
    QTest::newRow("both wrong, start first")
        << QStringList{"31", "02", "2024"} << QStringList{"29", "02", "2023"} << "5" << focus34 + focus2;
    QTest::newRow("both wrong, then a non-number")
        << QStringList{"31", "02", "2024"} << QStringList{"", "", ""} << "x"
        << focus34 + focus2 +
               QStringList{"messaggio|Attenzione|Si è inserito un valore non numerico!",
                           "focus|TEXT_GENERALE_33"};
    QTest::newRow("wrong, then the offices")
        << QStringList{"31", "04", "2022"} << buona << "1"
        << focus34 + QStringList{domandaIncarichi, "nota|81", manca10c, "pagina|0"};
    QTest::newRow("29/02/2024") << QStringList{"29", "02", "2024"} << buona << "5" << QStringList();
    QTest::newRow("29/02/2000") << buona << QStringList{"29", "02", "2000"} << "5" << QStringList();
    QTest::newRow("29/02/1900") << buona << QStringList{"29", "02", "1900"} << "5" << focus2;
    // The file keeps the date as eight digits: a one-digit day or month would come back split wrongly.
    QTest::newRow("one-digit day") << QStringList{"1", "02", "2024"} << buona << "5" << focus34;
    QTest::newRow("one-digit month") << buona << QStringList{"15", "4", "2024"} << "5" << focus2;
    QTest::newRow("month 13") << QStringList{"01", "13", "2024"} << buona << "5" << focus34;
    QTest::newRow("day 00") << QStringList{"00", "01", "2024"} << buona << "5" << focus34;
    QTest::newRow("year of 2") << QStringList{"01", "01", "24"} << buona << "5" << focus34;
    QTest::newRow("year of 5") << QStringList{"01", "01", "02024"} << buona << "5" << focus34;
    QTest::newRow("day of 3") << QStringList{"001", "01", "2024"} << buona << "5" << focus34;
    QTest::newRow("space") << QStringList{" 1", "01", "2024"} << buona << "5" << focus34;
    QTest::newRow("sign") << QStringList{"+1", "01", "2024"} << buona << "5" << focus34;
    QTest::newRow("empty day") << buona << QStringList{"", "01", "2024"} << "5" << focus2;
}

void TestControllo::date()
{
    QFETCH(QStringList, inizio);
    QFETCH(QStringList, chiusura);
    QFETCH(QString, campo33);
    QFETCH(QStringList, registro);
    Banco b(Modello::Tradizionale);
    b.q.setCaricamento(true);
    for (int k = 0; k < 3; ++k) {
        b.q.setCampoGenerale(34 + k, inizio[k]);
        b.q.setCampoGenerale(2 + k, chiusura[k]);
    }
    b.q.setCampoGenerale(33, campo33);
    b.q.setCaricamento(false);
    QCOMPARE(b.controlla(), !registro.isEmpty());
    QCOMPARE(b.finta.registro, registro);
    if (!registro.isEmpty())
        QCOMPARE(b.finta.messaggi.at(0).icona, Interazione::Icona::Critica);
}

void TestControllo::numeri_data()
{
    QTest::addColumn<QString>("campo33");
    QTest::addColumn<QString>("incarichi"); // offices of the president in listed companies
    QTest::addColumn<QStringList>("registro");
    QTest::addColumn<QString>("errore"); // the description of the error of the run

    const QStringList nonNumerico33{"messaggio|Attenzione|Si è inserito un valore non numerico!",
                                    "focus|TEXT_GENERALE_33"};
    const QStringList nonNumerico5{
        "messaggio|Attenzione|Si è inserito un valore non numerico nel campo incarichi ricoperti!",
        "focus|MSHFlexGrid1"};
    for (const char* v : {"x", " 5", "5 ", "+5", "-1", "5.0", "5,0", "1e3", "\u0665"})
        QTest::addRow("33 \"%s\"", v) << QString::fromUtf8(v) << "2" << nonNumerico33 << QString();
    for (const char* v : {"x", " 2", "+2", "2.0"})
        QTest::addRow("offices \"%s\"", v) << "5" << QString::fromUtf8(v) << nonNumerico5 << QString();
    QTest::newRow("leading zeros") << "0005"
                                   << "02" << QStringList() << QString();
    QTest::newRow("33 at 32767") << "32767"
                                 << "32767" << QStringList() << QString();
    const QString oltre = QStringLiteral("Il valore \"%1\" supera il massimo consentito (32767).");
    for (const char* v : {"32768", "40000", "99999999999999999999"})
        QTest::addRow("33 %s", v) << QString::fromUtf8(v) << "2" << QStringList()
                                  << oltre.arg(QString::fromUtf8(v));
    QTest::newRow("offices 40000") << "5"
                                   << "40000" << QStringList() << oltre.arg(QStringLiteral("40000"));
}

void TestControllo::numeri()
{
    QFETCH(QString, campo33);
    QFETCH(QString, incarichi);
    QFETCH(QStringList, registro);
    QFETCH(QString, errore);
    Banco b(Modello::Monistico);
    b.q.setCampoGenerale(33, campo33);
    b.q.membri().setCella(0, 5, incarichi);
    try {
        QCOMPARE(b.controlla(), !registro.isEmpty());
        QVERIFY2(errore.isEmpty(), "no error of the run");
    } catch (const ErroreOperazione& e) {
        QCOMPARE(e.descrizione(), errore);
        QCOMPARE(QString::fromUtf8(e.what()), errore);
    }
    QCOMPARE(b.finta.registro, registro);
}

void TestControllo::incarichi_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QList<int>>(
        "righe"); // rows whose offices in listed companies are 3, over a maximum of 2
    QTest::addColumn<bool>("si");
    QTest::addColumn<QStringList>("testiNota");
    QTest::addColumn<bool>("notaGiaScritta");
    QTest::addColumn<QStringList>("registro");
    QTest::addColumn<bool>("problema");

    const QString focus33 = QStringLiteral("focus|TEXT_GENERALE_33");
    const QStringList vuota{domandaIncarichi, "nota|81", manca10c, "pagina|0"};
    const QStringList scritta{domandaIncarichi, "nota|81"};
    const QList<int> riga2{1};
    for (Modello m : tuttiIModelli) {
        const QByteArray nome = nomeModello(m).toUtf8();
        QTest::addRow("%s, No", nome.constData()) << m << riga2 << false << QStringList() << false
                                                  << QStringList{domandaIncarichi, focus33} << true;
        QTest::addRow("%s, Yes, note left empty", nome.constData())
            << m << riga2 << true << QStringList() << false << vuota << true;
        QTest::addRow("%s, Yes, note written", nome.constData())
            << m << riga2 << true << QStringList{"Statuto."} << false << scritta << false;
    }
    const Modello t = Modello::Tradizionale;
    QTest::newRow("two rows, asked once")
        << t << QList<int>{0, 2} << true << QStringList{"Statuto."} << false << scritta << false;
    QTest::newRow("No at the first row") << t << QList<int>{0, 2} << false << QStringList() << false
                                         << QStringList{domandaIncarichi, focus33} << true;
    QTest::newRow("note already written")
        << t << riga2 << true << QStringList() << true << QStringList() << false;
    QTest::newRow("equal to the maximum")
        << t << QList<int>() << true << QStringList() << false << QStringList() << false;
}

void TestControllo::incarichi()
{
    QFETCH(Modello, modello);
    QFETCH(QList<int>, righe);
    QFETCH(bool, si);
    QFETCH(QStringList, testiNota);
    QFETCH(bool, notaGiaScritta);
    QFETCH(QStringList, registro);
    QFETCH(bool, problema);
    Banco b(modello);
    b.q.setCampoGenerale(33, QStringLiteral("2"));
    for (int r : righe)
        b.q.membri().setCella(r, 5, QStringLiteral("3"));
    if (notaGiaScritta) {
        b.finta.testiNota.enqueue(QStringLiteral("Statuto."));
        b.q.tickSI(81);
    }
    b.finta.testiNota.append(testiNota);
    b.finta.risposteMessaggi.enqueue(si ? Interazione::Esito::Si : Interazione::Esito::No);

    QCOMPARE(b.controlla(), problema);
    QCOMPARE(b.finta.registro, registro);
    if (!registro.isEmpty()) {
        QCOMPARE(b.finta.messaggi.at(0).pulsanti, Interazione::Pulsanti::SiNo);
        QCOMPARE(b.finta.messaggi.at(0).icona, Interazione::Icona::Esclamazione);
    }
    const bool notaPresente = !testiNota.isEmpty() || notaGiaScritta;
    QCOMPARE(b.q.segnoNota(81), notaPresente);
    QCOMPARE(b.q.casella(81, Casella::SI), notaPresente);
}

void TestControllo::primoProblemaVince_data()
{
    QTest::addColumn<bool>("completo");
    QTest::addColumn<Preparazione>("preparazione");
    QTest::addColumn<QString>("messaggio");

    QTest::newRow("tax code of 10, the fields after it empty") << false << Preparazione([](Questionario& q) {
        q.setCampoGenerale(0, QStringLiteral("Alfa S.p.A."));
        q.setCampoGenerale(1, QStringLiteral("0123456789"));
    }) << campoMancante(" che il codice fiscale della società sia di 11 caratteri ");
    QTest::newRow("field before members") << true << Preparazione([](Questionario& q) {
        q.setCampoGenerale(64, QString());
        q.membri().setCella(0, 1, QString());
    }) << campoMancante(" il numero di riunioni del consiglio d'amministrazione ");
    QTest::newRow("members before questions") << true << Preparazione([](Questionario& q) {
        q.membri().setCella(0, 1, QString());
        q.setBox(0, Casella::SI, false);
    }) << QStringLiteral("messaggio|Errore|All'elemento [Pres.] mancano uno o più campi!");
    QTest::newRow("note of 3 before answer of 5") << true << Preparazione([](Questionario& q) {
        q.setBox(5, Casella::SI, false);
        senzaNota(q, 3, Casella::SI);
    }) << QStringLiteral("messaggio|Errore|Verificare la <Nota 1.d> nel Riquadro I [1/2]\r\n") + prima;
    QTest::newRow("questions before dates")
        << true << Preparazione([](Questionario& q) {
               q.setCampoGenerale(34, QString());
               q.setBox(78, Casella::SI, false);
           })
        << QStringLiteral(
               "messaggio|Errore|Verificare la domanda nel Riquadro III [2/2]\r\n<Eventuali aspetti "
               "rilevanti emersi nei contatti con i corrispondenti organi delle controllate>\r\n") +
               prima;
}

void TestControllo::primoProblemaVince()
{
    QFETCH(bool, completo);
    QFETCH(Preparazione, preparazione);
    QFETCH(QString, messaggio);
    Banco b(Modello::Tradizionale, completo);
    preparazione(b.q);
    QVERIFY(b.controlla());
    QCOMPARE(b.finta.chiamate("messaggio"), QStringList{messaggio});
}

void TestControllo::tuttiIProblemiSuSchedaVuota_data()
{
    domandaSenzaRisposta_data();
}

void TestControllo::tuttiIProblemiSuSchedaVuota()
{
    QFETCH(Modello, modello);
    const Attese& a = attese(modello);
    Banco b(modello, false);

    QStringList attesi;
    for (const char* frase : {" la denominazione della società ", " il codice fiscale della società ",
                              " l'indirizzo del referente ", " il telefono del referente ",
                              " il numero massimo di incarichi previsti dallo statuto "})
        attesi << campoMancante(QString::fromUtf8(frase));
    attesi << campoMancante(a.frase62) << campoMancante(" il numero di assemblee ")
           << campoMancante(a.frase64);
    if (a.campo65)
        attesi << campoMancante(" il numero di riunioni del comitato esecutivo ");
    attesi << QStringLiteral("messaggio|Errore|I %1 devono essere almeno tre.").arg(a.membri);
    for (const char* riga : {"Pres.", "2", "3"})
        attesi << QStringLiteral("messaggio|Errore|All'elemento [%1] mancano uno o più campi!").arg(riga);
    for (int i : a.conRisposta)
        attesi << senzaRispostaAttesa(b.q, i).filter(QStringLiteral("messaggio|"));
    attesi << dataErrata << dataErrata;

    QVERIFY(b.controlla(ModoControllo::TuttiIProblemi));
    QCOMPARE(b.finta.chiamate("messaggio"), attesi);
    // Every one of these problems takes the focus to its place.
    QCOMPARE(b.finta.chiamate("focus").size(), attesi.size());
}

void TestControllo::tuttiIProblemiNonChiede()
{
    Banco b(Modello::Dualistico);
    b.q.setCampoGenerale(33, QStringLiteral("2"));
    b.q.membri().setCella(0, 5, QStringLiteral("3"));
    b.q.membri().setCella(1, 5, QStringLiteral("x"));
    b.q.membri().setCella(2, 5, QStringLiteral("4"));
    senzaNota(b.q, 7, Casella::NO);
    QVERIFY(b.controlla(ModoControllo::TuttiIProblemi));
    QCOMPARE(
        b.finta.registro,
        QStringList(
            {QStringLiteral("messaggio|Errore|Verificare la <Nota 2.a> nel Riquadro I [1/2]\r\n") + prima,
             "pagina|1", manca10c, "pagina|0",
             "messaggio|Attenzione|Si è inserito un valore non numerico nel campo incarichi ricoperti!",
             "focus|MSHFlexGrid1", manca10c, "pagina|0"}));
}

QTEST_GUILESS_MAIN(TestControllo)
#include "tst_controllo.moc"
