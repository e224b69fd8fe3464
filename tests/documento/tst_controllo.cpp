#include "documento/controllo.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"
#include "support/questionariocompleto.h"

#include <QTest>
#include <set>

Q_DECLARE_METATYPE(Modello)

namespace {

const QString prima = "prima di passare alla generazione del file.";
const QString dataErrata = "messaggio|Attenzione|Si è inserita una data non corretta!";
const QString domandaIncarichi =
    "messaggio|Attenzione|Il numero massimo di incarichi previsti dallo statuto\rè inferiore agli incarichi "
    "ricoperti.\rE' necessario compilare la nota 1.0.c.\rSi desidera compilare tale nota adesso?";
const QString manca10c = "messaggio|Errore|Verificare la <Nota 1.0.c> nel Dati Generali\r\n" + prima;
const QStringList didascalie{"Dati Generali", "Riquadro I [1/2]",   "Riquadro I [2/2]",
                             "Riquadro II",   "Riquadro III [1/2]", "Riquadro III [2/2]"};

std::set<int> indici(const char* testo)
{
    std::set<int> s;
    for (const QString& parte : QString::fromLatin1(testo).split(u' '))
        for (int i = parte.section(u'-', 0, 0).toInt(); i <= parte.section(u'-', -1).toInt(); ++i)
            s.insert(i);
    return s;
}

// What the check must do in each model, written out independently of the program's own tables.
struct Attese
{
    QString membri, frase62, frase64; // the members heading, lowered; how fields 62 and 64 are named
    std::set<int> conRisposta;        // reported when unanswered
    std::set<int> notaSuSI, notaSuNO; // answers that need a note (note labels reading "NO" left out)
};

const Attese& attese(Modello m)
{
    static const Attese tabella[] = {
        {"membri effettivi del collegio sindacale", " il numero di riunioni del collegio sindacale ",
         " il numero di riunioni del consiglio d'amministrazione ", indici("0-74 77-80"),
         indici("0-3 11-16 18 20 22 24 26 28 30 43 74 76 79 80"),
         indici("6 7 15 20 22 24 26 28 48-70 72 75 77 78")},
        {"membri effettivi del consiglio di sorveglianza",
         " il numero di riunioni del consiglio di sorveglianza ",
         " il numero di riunioni del consiglio di gestione ", indici("0-30 48-68 70 72-74 77-80"),
         indici("0-3 11-16 18 20 22 24 26 28 30 74 79 80"),
         indici("6 7 15 16 20 22 24 26 28 48-68 70 72 77 78")},
        {"membri effettivi del comitato per il controllo sulla gestione",
         " il numero di riunioni del comitato per il controllo sulla gestione ",
         " il numero di riunioni del consiglio d'amministrazione ", indici("0-31 48-68 70-74 77-80"),
         indici("0-3 11-16 18 20 22 24 26 28 30 31 74 79 80"),
         indici("6 7 15 16 20 22 24 26 28 48-68 70-72 77 78")},
    };
    return tabella[static_cast<int>(m)];
}

// The page of each question; 72 to 78 are the hidden rows and headings, 79 and 80 on the general page.
int paginaAttesa(int i)
{
    return i >= 72 ? "122334500"[i - 72] - '0' : i <= 14 ? 1 : i <= 31 ? 2 : i <= 47 ? 3 : i <= 61 ? 4 : 5;
}

// How the unanswered message names a question: under its heading, or by its text or the box's label.
QString testoAtteso(const Questionario& q, int i)
{
    const QString operazioni = "La società ha effettuato operazioni atipiche o inusuali con: ",
                  ricorrenti = "Sono state effettuate altre operazioni infragruppo e con parti correlate "
                               "aventi natura ordinaria o ricorrente ";
    const QStringList sotto{
        "società infragruppo",        "parti correlate", "terzi", "", "Sono di natura commerciale?",
        "Sono di natura finanziaria?"};
    if (i >= 79)
        return i == 79 ? q.profilo().etichettaCasella79 : q.profilo().etichettaCasella80;
    if (i <= 5 && i != 3)
        return (i < 3 ? operazioni : ricorrenti) + sotto[i];
    return q.profilo().domanda(i).testo; // no other text starts with spaces
}

QStringList campoMancante(int campo, const QString& frase)
{
    return {"messaggio|Errore|Verificare nel riquadro Dati Generali" + frase + prima, "ripristina",
            QStringLiteral("focus|TEXT_GENERALE_%1").arg(campo), "pagina|0"};
}

QStringList allaTabella(const QString& testo)
{
    return {"ripristina", "focus|MSHFlexGrid1", "pagina|0", "messaggio|Errore|" + testo};
}

// Every problem of an empty questionnaire, in order: each unanswered question named as the window shows it.
QStringList questionarioVuoto(const Questionario& q)
{
    const Modello m = q.modello();
    const QStringList frasi = (" la denominazione della società ; il codice fiscale della società ;"
                               " l'indirizzo del referente ; il telefono del referente ;"
                               " il numero massimo di incarichi previsti dallo statuto ;" +
                               attese(m).frase62 + "; il numero di assemblee ;" + attese(m).frase64 +
                               "; il numero di riunioni del comitato esecutivo ")
                                  .split(u';');
    const int campi[] = {0, 1, 5, 6, 33, 62, 63, 64, 65};
    QStringList attesi;
    for (int k = 0; k < (m == Modello::Dualistico ? 8 : 9); ++k) // no committee in the two-tier model
        attesi << campoMancante(campi[k], frasi[k]);
    attesi << allaTabella("I " + attese(m).membri + " devono essere almeno tre.");
    for (const char* riga : {"Pres.", "2", "3"})
        attesi << allaTabella(QStringLiteral("All'elemento [%1] mancano uno o più campi!").arg(riga));
    for (int i : attese(m).conRisposta) {
        const QString messaggio = "messaggio|Errore|Verificare la domanda nel " +
                                  didascalie[paginaAttesa(i)] + "\r\n<" + testoAtteso(q, i) + ">\r\n" + prima;
        const QString pagina = QStringLiteral("pagina|%1").arg(paginaAttesa(i));
        // A meeting count gets the focus first.
        const int conteggio = i == 34 ? 0 : i == 38 ? 1 : i == 40 ? 2 : -1;
        if (m == Modello::Tradizionale && conteggio >= 0)
            attesi << QStringLiteral("focus|TEXT_%1").arg(conteggio) << messaggio << pagina;
        else
            attesi << messaggio << pagina << "ripristina" << QStringLiteral("focus|Check_SI_%1").arg(i);
    }
    return attesi << dataErrata << "focus|TEXT_GENERALE_34" << dataErrata << "focus|TEXT_GENERALE_2";
}

// The problems as the scripted port records the window's replay of them.
QStringList registro(const QList<Problema>& problemi)
{
    QStringList righe;
    for (const Problema& p : problemi)
        for (const Mossa& m : p.mosse)
            righe << (m.tipo == Mossa::Tipo::Messaggio
                          ? "messaggio|" + p.messaggio.titolo + u'|' + p.messaggio.testo
                      : m.tipo == Mossa::Tipo::Ripristino ? QStringLiteral("ripristina")
                      : m.tipo == Mossa::Tipo::Pagina     ? QStringLiteral("pagina|%1").arg(m.pagina)
                                                          : "focus|" + m.controllo);
    return righe;
}

// Changes to a complete questionnaire, ';' between them: "33=x" a general field, "m1.5=3" a member's cell
// (the table grows to the row), "m2=" a member's row emptied, "na" the "N/A" box of field 65, "c1=" a meeting
// count, "s3" or "n7" question 3 or 7 answered SI or NO without its note; "vuoto" alone: nothing filled in.
struct Banco
{
    InterazioneFinta finta;
    Questionario q;

    Banco(Modello modello, const QString& modifiche) : q(modello, finta)
    {
        finta.questionario = &q;
        if (modifiche == u"vuoto")
            return;
        compilaCompleto(q);
        const Questionario::Caricamento caricamento(q);
        for (const QString& m : modifiche.split(u';', Qt::SkipEmptyParts)) {
            const QString chiave = m.section(u'=', 0, 0), valore = m.section(u'=', 1);
            const QChar tipo = chiave.front().isDigit() ? u'#' : chiave.front();
            const int n = chiave.mid(tipo == u'#' ? 0 : 1).section(u'.', 0, 0).toInt();
            if (chiave == u"na") {
                q.setRiunioniNA(true);
            } else if (tipo == u'#') {
                q.setCampoGenerale(n, valore);
            } else if (tipo == u'c') {
                q.setConteggioRiquadroII(n, valore);
            } else if (tipo != u'm') {
                q.setBox(n, Casella::SI, tipo == u's');
                q.setBox(n, Casella::NO, tipo == u'n');
                q.setSegnoNota(n, false);
            } else {
                while (q.membri().numeroMembri() <= n)
                    QVERIFY(q.membri().aggiungiMembro());
                for (int c = 1; c < q.membri().numeroColonne(); ++c)
                    if (!chiave.contains(u'.') || chiave.section(u'.', 1).toInt() == c)
                        q.membri().setCella(n, c, valore);
            }
        }
    }
};

} // namespace

class TestControllo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void problemi_data();
    void problemi();
};

void TestControllo::problemi_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QString>("modifiche"); // to a complete questionnaire, as Banco takes them
    QTest::addColumn<QStringList>("registro");
    // "": as far as the first problem that stops the check; "tutti": every problem, with the question about
    // note 1.0.c as its missing note; "no", "vuota", "scritta", "prima": the window's check, see below.
    QTest::addColumn<QString>("vista");

    const auto riga = [](const QString& nome, Modello m, const QString& modifiche,
                         const QStringList& registro, const char* vista = "") {
        QTest::newRow(qPrintable(nome)) << m << modifiche << registro << vista;
    };
    const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
    for (Modello m : tuttiIModelli) {
        const QString nome = nomeModello(m);
        Banco vuoto(m, "vuoto");
        riga(nome + ", empty", m, "vuoto", questionarioVuoto(vuoto.q), "tutti");
        riga(nome + ", complete", m, "", {}, "vuota");
        riga(nome + ", hidden column missing", m,
             m == D ? "m0.10=" : "m0.11=", allaTabella("All'elemento [Pres.] mancano uno o più campi!"));
        // Every answer given without its note, one at a time.
        for (QChar casella : {u's', u'n'}) {
            const std::set<int>& richieste = casella == u'n' ? attese(m).notaSuNO : attese(m).notaSuSI;
            for (int i = 0; i <= 80; ++i) {
                const Domanda& d = vuoto.q.profilo().domanda(i);
                if (!d.presente || !d.haCaselle() || (casella == u'n' && d.casellaSingola()))
                    continue;
                const int p = paginaAttesa(i);
                const QStringList nota{QStringLiteral("messaggio|Errore|Verificare la <%1> nel %2\r\n%3")
                                           .arg(d.etichettaNota, didascalie[p], prima),
                                       QStringLiteral("pagina|%1").arg(p)};
                riga(nome + ", " + casella + QString::number(i), m, casella + QString::number(i),
                     richieste.count(i) ? nota : QStringList(), "tutti");
            }
        }
    }
    riga("tax code of 10", D, "1=0123456789",
         campoMancante(1, " che il codice fiscale della società sia di 11 caratteri "));
    riga("spaces are not empty", M, "0= ", {});
    riga("65 N/A", T, "na", {});
    riga("a ticked box answers a question with a count", T, "c1=;n38", {});

    // Both the count and the incomplete third row: the count comes first.
    riga("two rows", T, "m2=",
         allaTabella("I " + attese(T).membri + " devono essere almeno tre.") +
             allaTabella("All'elemento [3] mancano uno o più campi!"),
         "tutti");
    riga("[4] a space", T, "m3.4= ", allaTabella("All'elemento [4] mancano uno o più campi!"));
    riga("[4] empty passes", T, "m3=", {});
    const QString codice = "Il codice fiscale dell'elemento [%1] deve essere di 16 caratteri";
    riga("[4] tax code of 15", T, "m3.2=BLUGUO70A01F205", allaTabella(codice.arg(4)));
    riga("[2] tax code of 17", T, "m1.2=NRENNA70A41F205XY", allaTabella(codice.arg(2)));

    // The start of the office is 34-36, the closing of the accounts 2-4; "m0.5" holds the president's offices
    // in listed companies, 33 their maximum.
    const QStringList focus34{dataErrata, "focus|TEXT_GENERALE_34"},
        focus2{dataErrata, "focus|TEXT_GENERALE_2"};
    const QStringList nonNumerico33{"messaggio|Attenzione|Si è inserito un valore non numerico!",
                                    "focus|TEXT_GENERALE_33"};
    const QStringList nonNumerico5{
        "messaggio|Attenzione|Si è inserito un valore non numerico nel campo incarichi ricoperti!",
        "focus|MSHFlexGrid1"};
    const QString oltre =
        "messaggio|Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0|Il valore \"%1\" supera "
        "il massimo consentito (32767).";
    riga("both dates wrong, start first, then a non-number", M, "34=31;35=02;36=2024;2=29;3=02;4=2023;33=x",
         focus34 + focus2 + nonNumerico33);
    riga("29/02/2024 and 29/02/2000", M, "34=29;35=02;36=2024;2=29;3=02;4=2000", {});
    riga("29/02/1900", M, "2=29;3=02;4=1900", focus2);
    // The file keeps the date as eight digits: a one-digit day or month would come back split wrongly.
    for (const char* data : {"34=1", "35=13", "34=00", "36=24", "36=02024", "34= 1", "34=+1", "34=;35=;36="})
        riga(data, M, data, focus34);
    for (const char* v : {" 5", "5 ", "+5", "-1", "5.0", "1e3", "\u0665"})
        riga(QStringLiteral("33=\"%1\"").arg(v), M, "33=" + QString::fromUtf8(v), nonNumerico33);
    for (const char* v : {"x", " 2", "2.0"})
        riga(QStringLiteral("offices \"%1\"").arg(v), M, QStringLiteral("m0.5=") + v, nonNumerico5);
    riga("leading zeros", M, "33=0005;m0.5=02", {});
    riga("32767", M, "33=32767;m0.5=32767", {});
    for (const char* v : {"33=32768", "33=99999999999999999999", "m0.5=40000"})
        riga(v, M, v, {oltre.arg(QString(v).section(u'=', 1))});
    riga("every problem once", D, "33=2;m0.5=3;m1.5=x;m2.5=4;n7",
         {"messaggio|Errore|Verificare la <Nota 2.a> nel Riquadro I [1/2]\r\n" + prima, "pagina|1", manca10c,
          "pagina|0", nonNumerico5[0], nonNumerico5[1], manca10c, "pagina|0"},
         "tutti");

    // The window's check, the offices over a maximum of 2.
    const QStringList scritta{domandaIncarichi, "nota|81"};
    for (Modello m : tuttiIModelli)
        riga(nomeModello(m) + ", Yes, note left empty", m, "33=2;m1.5=3",
             scritta + QStringList{manca10c, "pagina|0"}, "vuota");
    riga("No", D, "33=2;m1.5=3", {domandaIncarichi, "focus|TEXT_GENERALE_33"}, "no");
    riga("two rows, asked once", M, "33=2;m0.5=3;m2.5=3", scritta, "scritta");
    riga("note already written", T, "33=2;m1.5=3", {}, "prima");
    riga("equal to the maximum", T, "33=2", {}, "vuota");
}

// Only a bad date lets the check go on; a number beyond 16 bits is an error of the command. The window asks
// about note 1.0.c and may settle it on the spot; it stops on the answer No and on a note left empty.
void TestControllo::problemi()
{
    QFETCH(Modello, modello);
    QFETCH(QString, modifiche);
    QFETCH(QStringList, registro);
    QFETCH(QString, vista);
    Banco b(modello, modifiche);
    const QList<Problema> problemi = controlloPrimaDellaGenerazione(b.q);
    for (const Problema& p : problemi) {
        QCOMPARE(p.ferma, !p.messaggio.testo.startsWith(u"Si è inserita una data"));
        QCOMPARE(p.messaggio.pulsanti,
                 p.domandaNota81 ? Interazione::Pulsanti::SiNo : Interazione::Pulsanti::Ok);
        QCOMPARE(p.messaggio.icona, p.messaggio.testo.contains(u"supera") ? Interazione::Icona::Nessuna
                                    : p.domandaNota81                     ? Interazione::Icona::Esclamazione
                                                                          : Interazione::Icona::Critica);
    }
    if (vista.isEmpty() || vista == "tutti") {
        QCOMPARE(::registro(vista.isEmpty() ? finoAlPrimoProblema(problemi)
                                            : senzaDomande(problemi, b.q.profilo())),
                 registro);
        return;
    }
    // Answered No, or Yes with the editor closed empty or with a text; or the note written before.
    const bool notaPresente = vista == "prima" || vista == "scritta";
    if (notaPresente)
        b.finta.testiNota.enqueue("Statuto.");
    if (vista == "prima")
        b.q.tickSI(81);
    b.finta.risposteMessaggi.enqueue(vista == "no" ? Interazione::Esito::No : Interazione::Esito::Si);
    b.finta.registro.clear();
    QCOMPARE(eseguiControllo(b.q), vista == "no" || registro.contains(manca10c));
    QCOMPARE(b.finta.registro, registro);
    QCOMPARE(b.q.segnoNota(81), notaPresente);
    QCOMPARE(b.q.casella(81, Casella::SI), notaPresente);
}

QTEST_GUILESS_MAIN(TestControllo)
#include "tst_controllo.moc"
