#include "documento/controllo.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"
#include "support/questionariocompleto.h"

#include <QTest>
#include <functional>
#include <set>

using Preparazione = std::function<void(Questionario&)>;
Q_DECLARE_METATYPE(Modello)
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

// The moves of an unanswered question.
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

// The problems as the scripted port records the window's replay of them: "messaggio|title|text",
// "ripristina", "pagina|n", "focus|name".
QStringList registro(const QList<Problema>& problemi)
{
    QStringList righe;
    for (const Problema& p : problemi) {
        for (const Mossa& m : p.mosse) {
            switch (m.tipo) {
            case Mossa::Tipo::Messaggio:
                righe << QStringLiteral("messaggio|%1|%2").arg(p.messaggio.titolo, p.messaggio.testo);
                break;
            case Mossa::Tipo::Ripristino:
                righe << QStringLiteral("ripristina");
                break;
            case Mossa::Tipo::Pagina:
                righe << QStringLiteral("pagina|%1").arg(m.pagina);
                break;
            case Mossa::Tipo::Focus:
                righe << QStringLiteral("focus|%1").arg(m.controllo);
                break;
            }
        }
    }
    return righe;
}

struct Banco
{
    InterazioneFinta finta;
    Questionario q;

    explicit Banco(Modello modello, bool completo = true) : q(modello, finta)
    {
        finta.questionario = &q;
        if (completo)
            compilaCompleto(q);
    }
    QStringList problemi() const { return registro(controlloPrimaDellaGenerazione(q)); }
};

// An answer given without its note (the fixture's note, if any, goes).
void senzaNota(Questionario& q, int i, Casella casella)
{
    const Questionario::Caricamento caricamento(q);
    q.setBox(i, casella, true);
    if (casella != Casella::SI)
        q.setBox(i, Casella::SI, false);
    q.setSegnoNota(i, false);
}

void campi(Questionario& q, std::initializer_list<std::pair<int, const char*>> valori)
{
    const Questionario::Caricamento caricamento(q);
    for (auto [campo, testo] : valori)
        q.setCampoGenerale(campo, QString::fromUtf8(testo));
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
    void domandeENote_data();
    void domandeENote();
    void dateENumeri_data();
    void dateENumeri();
    void incarichi_data();
    void incarichi();
    void ordineESchedaVuota();
};

void TestControllo::completoPassa_data()
{
    QTest::addColumn<Modello>("modello");
    for (Modello m : tuttiIModelli)
        QTest::addRow("%s", qPrintable(nomeModello(m))) << m;
}

void TestControllo::completoPassa()
{
    QFETCH(Modello, modello);
    Banco b(modello);
    QCOMPARE(b.problemi(), QStringList());
    QCOMPARE(eseguiControllo(b.q), false);
    QCOMPARE(b.finta.registro, QStringList());
}

void TestControllo::campiGenerali_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("campo"); // -1: field 65 emptied by its "N/A" box
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
        QTest::addRow("%s, tax code of 10", nome.constData())
            << m << 1 << QStringLiteral("0123456789")
            << QStringLiteral(" che il codice fiscale della società sia di 11 caratteri ");
        QTest::addRow("%s, spaces are not empty", nome.constData())
            << m << 0 << QStringLiteral(" ") << QString();
        QTest::addRow("%s, e-mail not required", nome.constData()) << m << 7 << QString() << QString();
    }
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
    const QList<Problema> problemi = controlloPrimaDellaGenerazione(b.q);
    if (frase.isEmpty()) {
        QCOMPARE(registro(problemi), QStringList());
        return;
    }
    QCOMPARE(registro(problemi),
             QStringList({campoMancante(frase), "ripristina",
                          QStringLiteral("focus|TEXT_GENERALE_%1").arg(campo), "pagina|0"}));
    QCOMPARE(problemi.at(0).messaggio.pulsanti, Interazione::Pulsanti::Ok);
    QCOMPARE(problemi.at(0).messaggio.icona, Interazione::Icona::Critica);
}

void TestControllo::membri_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<Preparazione>("preparazione");
    QTest::addColumn<QString>("messaggio"); // empty: passes

    const auto cella = [](int riga, int colonna, const char* testo) {
        return [=](Questionario& q) { q.membri().setCella(riga, colonna, QString::fromUtf8(testo)); };
    };
    const auto quarto = [](int colonna, const char* testo) {
        return [=](Questionario& q) {
            QVERIFY(q.membri().aggiungiMembro());
            if (colonna > 0)
                q.membri().setCella(3, colonna, QString::fromUtf8(testo));
        };
    };
    for (Modello m : tuttiIModelli) {
        const QByteArray nome = nomeModello(m).toUtf8();
        const Preparazione dueRighe = [](Questionario& q) {
            for (int c = 1; c < q.membri().numeroColonne(); ++c)
                q.membri().setCella(2, c, QString());
        };
        // Both the count and the incomplete third row: the count is reported first.
        QTest::addRow("%s, two rows", nome.constData())
            << m << dueRighe
            << QStringLiteral("I %1 devono essere almeno tre.\nAll'elemento [3] mancano uno o più campi!")
                   .arg(attese(m).membri);
        QTest::addRow("%s, hidden column missing", nome.constData())
            << m << Preparazione(cella(0, m == Modello::Dualistico ? 10 : 11, ""))
            << QStringLiteral("All'elemento [Pres.] mancano uno o più campi!");
    }
    const Modello t = Modello::Tradizionale;
    QTest::newRow("[4] name only") << t << Preparazione(quarto(1, "Ugo Blu"))
                                   << QStringLiteral("All'elemento [4] mancano uno o più campi!");
    QTest::newRow("[4] a space") << t << Preparazione(quarto(4, " "))
                                 << QStringLiteral("All'elemento [4] mancano uno o più campi!");
    QTest::newRow("[4] tax code of 15")
        << t << Preparazione(quarto(2, "BLUGUO70A01F205"))
        << QStringLiteral("Il codice fiscale dell'elemento [4] deve essere di 16 caratteri");
    QTest::newRow("[4] empty passes") << t << Preparazione(quarto(0, "")) << QString();
    QTest::newRow("[2] tax code of 17")
        << t << Preparazione(cella(1, 2, "NRENNA70A41F205XY"))
        << QStringLiteral("Il codice fiscale dell'elemento [2] deve essere di 16 caratteri");
}

void TestControllo::membri()
{
    QFETCH(Modello, modello);
    QFETCH(Preparazione, preparazione);
    QFETCH(QString, messaggio);
    Banco b(modello);
    preparazione(b.q);
    QStringList attesi;
    for (const QString& m : messaggio.split(u'\n', Qt::SkipEmptyParts))
        attesi << QStringList{"ripristina", "focus|MSHFlexGrid1", "pagina|0",
                              QStringLiteral("messaggio|Errore|") + m};
    QCOMPARE(b.problemi(), attesi);
}

void TestControllo::domandeENote_data()
{
    completoPassa_data();
}

// Every question left unanswered, and every answer given without its note, one at a time.
void TestControllo::domandeENote()
{
    QFETCH(Modello, modello);
    const Attese& a = attese(modello);
    for (int i : a.conRisposta) {
        Banco b(modello);
        const int conteggio = b.q.profilo().domanda(i).campoConteggio;
        if (conteggio >= 0)
            b.q.setConteggioRiquadroII(conteggio, QString());
        b.q.setBox(i, Casella::SI, false);
        QCOMPARE(b.problemi(), senzaRispostaAttesa(b.q, i));
    }
    for (Casella casella : {Casella::SI, Casella::NO}) {
        const std::set<int>& richieste = casella == Casella::NO ? a.notaSuNO : a.notaSuSI;
        for (int i = 0; i <= 80; ++i) {
            Banco b(modello);
            const Domanda& d = b.q.profilo().domanda(i);
            if (!d.presente || !d.haCaselle() || (casella == Casella::NO && d.casellaSingola()))
                continue;
            senzaNota(b.q, i, casella);
            const int p = paginaAttesa(i);
            const QStringList attesi =
                richieste.count(i) == 0
                    ? QStringList()
                    : QStringList({QStringLiteral("messaggio|Errore|Verificare la <%1> nel %2\r\n")
                                           .arg(d.etichettaNota, didascalie[p]) +
                                       prima,
                                   QStringLiteral("pagina|%1").arg(p)});
            QVERIFY2(b.problemi() == attesi, qPrintable(QStringLiteral("%1 %2").arg(i).arg(int(casella))));
        }
    }
    if (modello == Modello::Tradizionale) {
        // A ticked box also answers a question that has a count.
        Banco b(modello);
        b.q.setConteggioRiquadroII(1, QString());
        b.q.setBox(38, Casella::NO, true);
        QCOMPARE(b.problemi(), QStringList());
    }
}

void TestControllo::dateENumeri_data()
{
    QTest::addColumn<QStringList>("date"); // day, month, year of the start of the office, then of the closing
    QTest::addColumn<QString>("campo33");
    QTest::addColumn<QString>("incarichi"); // offices of the president in listed companies
    QTest::addColumn<QStringList>("registro");

    const QStringList buone{"15", "04", "2022", "31", "12", "2023"};
    const QStringList focus34{dataErrata, "focus|TEXT_GENERALE_34"};
    const QStringList focus2{dataErrata, "focus|TEXT_GENERALE_2"};
    const QStringList nonNumerico33{"messaggio|Attenzione|Si è inserito un valore non numerico!",
                                    "focus|TEXT_GENERALE_33"};
    const QStringList nonNumerico5{
        "messaggio|Attenzione|Si è inserito un valore non numerico nel campo incarichi ricoperti!",
        "focus|MSHFlexGrid1"};
    const QString oltre =
        QStringLiteral("messaggio|Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0|Il valore "
                       "\"%1\" supera il massimo consentito (32767).");

    QTest::newRow("both wrong, start first, then a non-number")
        << QStringList{"31", "02", "2024", "29", "02", "2023"} << "x"
        << "2" << focus34 + focus2 + nonNumerico33;
    QTest::newRow("wrong, then the offices")
        << QStringList{"31", "04", "2022", "31", "12", "2023"} << "1"
        << "3" << focus34 + QStringList{domandaIncarichi, "focus|TEXT_GENERALE_33"};
    QTest::newRow("29/02/2024 and 29/02/2000") << QStringList{"29", "02", "2024", "29", "02", "2000"} << "5"
                                               << "2" << QStringList();
    QTest::newRow("29/02/1900") << QStringList{"15", "04", "2022", "29", "02", "1900"} << "5"
                                << "2" << focus2;
    // The file keeps the date as eight digits: a one-digit day or month would come back split wrongly.
    for (const auto& [nome, giorno, mese, anno] : {std::tuple{"one-digit day", "1", "02", "2024"},
                                                   {"month 13", "01", "13", "2024"},
                                                   {"day 00", "00", "01", "2024"},
                                                   {"year of 2", "01", "01", "24"},
                                                   {"year of 5", "01", "01", "02024"},
                                                   {"space", " 1", "01", "2024"},
                                                   {"sign", "+1", "01", "2024"},
                                                   {"empty", "", "", ""}})
        QTest::newRow(nome) << QStringList{giorno, mese, anno, "31", "12", "2023"} << "5"
                            << "2" << focus34;
    for (const char* v : {" 5", "5 ", "+5", "-1", "5.0", "1e3", "\u0665"})
        QTest::addRow("33 \"%s\"", v) << buone << QString::fromUtf8(v) << "2" << nonNumerico33;
    for (const char* v : {"x", " 2", "2.0"})
        QTest::addRow("offices \"%s\"", v) << buone << "5" << QString::fromUtf8(v) << nonNumerico5;
    QTest::newRow("leading zeros") << buone << "0005"
                                   << "02" << QStringList();
    QTest::newRow("32767") << buone << "32767"
                           << "32767" << QStringList();
    for (const char* v : {"32768", "99999999999999999999"})
        QTest::addRow("33 %s", v) << buone << QString::fromUtf8(v) << "2"
                                  << QStringList{oltre.arg(QString::fromUtf8(v))};
    QTest::newRow("offices 40000") << buone << "5"
                                   << "40000" << QStringList{oltre.arg(QStringLiteral("40000"))};
}

void TestControllo::dateENumeri()
{
    QFETCH(QStringList, date);
    QFETCH(QString, campo33);
    QFETCH(QString, incarichi);
    QFETCH(QStringList, registro);
    Banco b(Modello::Monistico);
    {
        const Questionario::Caricamento caricamento(b.q);
        const int campiData[] = {34, 35, 36, 2, 3, 4};
        for (int k = 0; k < 6; ++k)
            b.q.setCampoGenerale(campiData[k], date[k]);
        b.q.setCampoGenerale(33, campo33);
        b.q.membri().setCella(0, 5, incarichi);
    }
    const QList<Problema> problemi = finoAlPrimoProblema(controlloPrimaDellaGenerazione(b.q));
    QCOMPARE(::registro(problemi), registro);
    // Only a bad date lets the window's check go on; a number beyond 16 bits is an error of the command.
    for (const Problema& p : problemi) {
        QCOMPARE(p.ferma, !p.messaggio.testo.startsWith(u"Si è inserita una data"));
        if (p.messaggio.testo.contains(u"supera"))
            QCOMPARE(p.messaggio.icona, Interazione::Icona::Nessuna);
    }
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
    QTest::newRow("note already written")
        << t << riga2 << true << QStringList() << true << QStringList() << false;
    QTest::newRow("equal to the maximum")
        << t << QList<int>() << true << QStringList() << false << QStringList() << false;
}

// The window's check asks about note 1.0.c and may settle it on the spot.
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
    b.finta.registro.clear();

    QCOMPARE(eseguiControllo(b.q), problema);
    QCOMPARE(b.finta.registro, registro);
    if (!registro.isEmpty()) {
        QCOMPARE(b.finta.messaggi.at(0).pulsanti, Interazione::Pulsanti::SiNo);
        QCOMPARE(b.finta.messaggi.at(0).icona, Interazione::Icona::Esclamazione);
    }
    const bool notaPresente = !testiNota.isEmpty() || notaGiaScritta;
    QCOMPARE(b.q.segnoNota(81), notaPresente);
    QCOMPARE(b.q.casella(81, Casella::SI), notaPresente);
}

// The steps in their order: the first problem is the one the window shows, an empty questionnaire has them
// all, and a check that asks nothing reports the offices as the missing note 1.0.c.
void TestControllo::ordineESchedaVuota()
{
    {
        Banco b(Modello::Tradizionale);
        campi(b.q, {{64, ""}, {34, ""}});
        b.q.membri().setCella(0, 1, QString());
        b.q.setBox(78, Casella::SI, false);
        senzaNota(b.q, 3, Casella::SI);
        const QList<Problema> primi = finoAlPrimoProblema(controlloPrimaDellaGenerazione(b.q));
        QCOMPARE(registro(primi).first(),
                 campoMancante(" il numero di riunioni del consiglio d'amministrazione "));
        QCOMPARE(primi.size(), 1);
    }
    for (Modello modello : tuttiIModelli) {
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
        QCOMPARE(registro(controlloPrimaDellaGenerazione(b.q)).filter(QStringLiteral("messaggio|")), attesi);
    }
    Banco b(Modello::Dualistico);
    b.q.setCampoGenerale(33, QStringLiteral("2"));
    b.q.membri().setCella(0, 5, QStringLiteral("3"));
    b.q.membri().setCella(1, 5, QStringLiteral("x"));
    b.q.membri().setCella(2, 5, QStringLiteral("4"));
    senzaNota(b.q, 7, Casella::NO);
    QCOMPARE(
        registro(senzaDomande(controlloPrimaDellaGenerazione(b.q), b.q.profilo())),
        QStringList(
            {QStringLiteral("messaggio|Errore|Verificare la <Nota 2.a> nel Riquadro I [1/2]\r\n") + prima,
             "pagina|1", manca10c, "pagina|0",
             "messaggio|Attenzione|Si è inserito un valore non numerico nel campo incarichi ricoperti!",
             "focus|MSHFlexGrid1", manca10c, "pagina|0"}));
}

QTEST_GUILESS_MAIN(TestControllo)
#include "tst_controllo.moc"
