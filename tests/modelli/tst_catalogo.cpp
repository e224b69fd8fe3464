#include "modelli/profilomodello.h"

#include <QTest>
#include <set>

Q_DECLARE_METATYPE(Modello)

namespace {

std::set<int> intervallo(int da, int a)
{
    std::set<int> s;
    for (int i = da; i <= a; ++i)
        s.insert(i);
    return s;
}

std::set<int> unione(std::initializer_list<std::set<int>> parti)
{
    std::set<int> s;
    for (const auto& p : parti)
        s.insert(p.begin(), p.end());
    return s;
}

QList<int> ordine(const ProfiloModello& p, int pagina)
{
    QList<int> indici;
    for (const RigaPagina& r : p.catalogo.pagine[pagina].righe)
        indici.append(r.indice);
    return indici;
}

const QString rientro(48, u' ');

} // namespace

class TestCatalogo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void domandePresenti_data();
    void domandePresenti();
    void ordineDellePagine_data();
    void ordineDellePagine();
    void testiConSpaziatureDaConservare_data();
    void testiConSpaziatureDaConservare();
    void etichetteNota_data();
    void etichetteNota();
    void caselle_data();
    void caselle();
    void pagine();
    void numeriEtichetteRiquadro();
    void paginaDiOgniDomanda_data();
    void paginaDiOgniDomanda();
};

void TestCatalogo::domandePresenti_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<std::set<int>>("presenti");
    QTest::addColumn<std::set<int>>("nascoste");
    QTest::newRow("tradizionale") << Modello::Tradizionale << intervallo(0, 81) << std::set<int>{75, 76};
    QTest::newRow("dualistico")
        << Modello::Dualistico
        << unione({intervallo(0, 30), intervallo(48, 70), {72, 73, 74, 77, 78}, intervallo(79, 81)})
        << std::set<int>{69};
    QTest::newRow("monistico") << Modello::Monistico
                               << unione(
                                      {intervallo(0, 31), intervallo(48, 74), {77, 78}, intervallo(79, 81)})
                               << std::set<int>{69};
}

void TestCatalogo::domandePresenti()
{
    QFETCH(Modello, modello);
    QFETCH(std::set<int>, presenti);
    QFETCH(std::set<int>, nascoste);
    const ProfiloModello& p = profilo(modello);
    for (int i = 0; i < numeroIndici; ++i) {
        const Domanda& d = p.domanda(i);
        QCOMPARE(d.indice, i);
        QVERIFY2(d.presente == (presenti.count(i) > 0), qPrintable(QString::number(i)));
        QVERIFY2(d.nascosta == (nascoste.count(i) > 0), qPrintable(QString::number(i)));
    }
    // Every shown question stands on exactly one page row; hidden ones keep a row that is never shown.
    std::multiset<int> inRiga;
    for (const PaginaCatalogo& pagina : p.catalogo.pagine) {
        for (const RigaPagina& r : pagina.righe) {
            if (!r.eIntestazione())
                inRiga.insert(r.indice);
        }
    }
    for (int i = 0; i < 79; ++i)
        QCOMPARE(int(inRiga.count(i)), presenti.count(i) ? 1 : 0);
}

void TestCatalogo::ordineDellePagine_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("pagina");
    QTest::addColumn<QList<int>>("attesi"); // -1 is a heading

    const QList<int> pagina1{72, -1, 0, 1, 2, 3, -1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    const QList<int> pagina2Trad{15, 16, 17, 18, 19, 20, 21, 22, 73, 23, 24, 25, 26, 27, 28, 29, 30, 31, 74};
    const QList<int> pagina4{77, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61};
    for (Modello m : tuttiIModelli) {
        const QByteArray nome = nomeModello(m).toLatin1();
        QTest::newRow(nome + " page 1") << m << 1 << pagina1;
        QTest::newRow(nome + " page 4") << m << 4 << pagina4;
    }
    QTest::newRow("Tradizionale page 2") << Modello::Tradizionale << 2 << pagina2Trad;
    QTest::newRow("Dualistico page 2")
        << Modello::Dualistico << 2
        << QList<int>{15, 16, 17, 18, 19, 20, 21, 22, 73, 23, 24, 25, 26, 27, 28, 29, 30, 74};
    QTest::newRow("Monistico page 2")
        << Modello::Monistico << 2
        << QList<int>{15, 16, 17, 18, 19, 20, 21, 22, 73, 23, 24, 25, 26, 27, 28, 29, 30, 74, 31};
    QTest::newRow("Tradizionale page 3")
        << Modello::Tradizionale << 3
        << QList<int>{32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 76, 75};
    QTest::newRow("Dualistico page 3") << Modello::Dualistico << 3 << QList<int>{};
    QTest::newRow("Monistico page 3") << Modello::Monistico << 3 << QList<int>{};
    QTest::newRow("Tradizionale page 5")
        << Modello::Tradizionale << 5 << QList<int>{62, 63, 64, 65, 66, 67, 78, 68, 69, 70, 71};
    QTest::newRow("Dualistico page 5")
        << Modello::Dualistico << 5 << QList<int>{62, 63, 64, 65, 66, 67, 78, 68, 69, 70};
    QTest::newRow("Monistico page 5")
        << Modello::Monistico << 5 << QList<int>{62, 63, 64, 65, 66, 67, 78, 68, 69, 70, 71};
}

void TestCatalogo::ordineDellePagine()
{
    QFETCH(Modello, modello);
    QFETCH(int, pagina);
    QFETCH(QList<int>, attesi);
    QCOMPARE(ordine(profilo(modello), pagina), attesi);
}

void TestCatalogo::testiConSpaziatureDaConservare_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("testo");

    for (Modello m : tuttiIModelli) {
        const QByteArray nome = nomeModello(m).toLatin1();
        QTest::newRow(nome + " 0") << m << 0 << rientro + QStringLiteral("società infragruppo");
        QTest::newRow(nome + " 1") << m << 1 << rientro + QStringLiteral("parti correlate");
        QTest::newRow(nome + " 2") << m << 2 << rientro + QStringLiteral("terzi");
        QTest::newRow(nome + " 4") << m << 4 << rientro + QStringLiteral("Sono di natura commerciale?");
        QTest::newRow(nome + " 5") << m << 5 << rientro + QStringLiteral("Sono di natura finanziaria?");
        QTest::newRow(nome + " 20")
            << m << 20
            << QStringLiteral(
                   "Sono state individuate eventuali azioni correttive intraprese o da intraprendere per "
                   "migliorare la struttura amministrativa  della società?");
        QTest::newRow(nome + " 30") << m << 30
                                    << QStringLiteral("Sono stati rilevati omissioni, fatti censurabili o "
                                                      "irregolarità  nel corso dell'attività di vigilanza?");
        QTest::newRow(nome + " 57")
            << m << 57
            << QStringLiteral(
                   "Le indicazioni sulla presenza ovvero sull'assenza di denunce ex art. 2408 c.c., sulle "
                   "eventuali  iniziative intraprese e sui relativi esiti?");
        QTest::newRow(nome + " 68")
            << m << 68
            << QStringLiteral(
                   "Gli eventuali aspetti rilevanti  emersi nel corso delle riunioni tenutesi con i "
                   "revisori in virtù di quanto previsto dall'art. 150 del TUF?");
        QTest::newRow(nome + " 7")
            << m << 7
            << QStringLiteral(
                   "L'informativa resa dagli amministratori nella relazione sulla gestione rispetto alle "
                   "indicazioni fornite dalla Tamrel risulta:");
        QTest::newRow(nome + " 69")
            << m << 69
            << QStringLiteral(
                   "L'indicazione sull'adesione al codice di autodisciplina del Comitato per la Corporate "
                   "Governance delle società quotate?");
    }
    const QString s19 =
        QStringLiteral("E' stata ritenuta adeguata la struttura amministrativa%1della società ai fini "
                       "del rispetto dei principi di corretta amministrazione?");
    QTest::newRow("Tradizionale 19") << Modello::Tradizionale << 19 << s19.arg(QStringLiteral("  "));
    QTest::newRow("Monistico 19") << Modello::Monistico << 19 << s19.arg(QStringLiteral("  "));
    QTest::newRow("Dualistico 19") << Modello::Dualistico << 19 << s19.arg(QStringLiteral(" "));
    QTest::newRow("Monistico 73")
        << Modello::Monistico << 73
        << QStringLiteral(
               "Il comitato per il controllo sulla gestione,o un suo componente appositamente delegato, "
               "ha scambiato informazioni con i corrispondenti organi delle controllate, ai sensi "
               "dell'art. 151-ter, comma 4 del TUF?");
    QTest::newRow("Tradizionale 16 quotes")
        << Modello::Tradizionale << 16
        << QStringLiteral(
               "Più in generale, a seguito del coinvolgimento del collegio sindacale nella valutazione "
               "dell'indipendenza della società di revisione (come previsto dal documento \"Principi di "
               "indipendenza del Revisore\" raccomandato dalla Tamrel il 5 ottobre 2005 e, in "
               "particolare, dal punto 4.5.2.2 e successive \"circostanze specifiche\") sono emersi "
               "aspetti critici in materia d'indipendenza e sono state individuate eventuali iniziative "
               "intraprese o da intraprendere al riguardo?");
    QTest::newRow("Monistico 31")
        << Modello::Monistico << 31
        << QStringLiteral(
               "Al comitato per il controllo sulla gestione sono stati affidati ulteriori compiti, ai "
               "sensi dell'art. 2409-octiesdecies, comma 5, lett. c) del codice civile?");
    QTest::newRow("Tradizionale 31")
        << Modello::Tradizionale << 31
        << QStringLiteral(
               "E' stato necessario presentare all'assemblea le proposte così come previsto dall'art. "
               "153, c.2, del D.Lgs. 58/98?");
    QTest::newRow("Monistico 71")
        << Modello::Monistico << 71
        << QStringLiteral(
               "I risultati di eventuali ulteriori compiti affidati al comitato per il controllo sulla "
               "gestione, ai sensi dell'art. 2409 octiesdecies, comma 5, lett. c) del codice civile");
    QTest::newRow("Dualistico 74") << Modello::Dualistico << 74
                                   << QStringLiteral(
                                          "Il consiglio di sorveglianza si è avvalso dei poteri di "
                                          "convocazione dell'assemblea o del consiglio di gestione?");
    QTest::newRow("Tradizionale 75 hidden") << Modello::Tradizionale << 75 << QString();
    QTest::newRow("Tradizionale 76 hidden") << Modello::Tradizionale << 76 << QString();
}

void TestCatalogo::testiConSpaziatureDaConservare()
{
    QFETCH(Modello, modello);
    QFETCH(int, indice);
    QFETCH(QString, testo);
    QCOMPARE(profilo(modello).domanda(indice).testo, testo);
}

void TestCatalogo::etichetteNota_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("didascalia");
    QTest::addColumn<bool>("visibile");

    for (Modello m : tuttiIModelli) {
        const QByteArray nome = nomeModello(m).toLatin1();
        QTest::newRow(nome + " 72") << m << 72 << QStringLiteral("Nota 0.a") << true;
        QTest::newRow(nome + " 4 none") << m << 4 << QStringLiteral("NO") << false;
        QTest::newRow(nome + " 48") << m << 48 << QStringLiteral("Nota 10.a.2") << true;
        QTest::newRow(nome + " 66") << m << 66 << QStringLiteral("Nota 10.t") << true;
        QTest::newRow(nome + " 78") << m << 78 << QStringLiteral("Nota 10.u.1") << true;
        QTest::newRow(nome + " 79") << m << 79 << QStringLiteral("Nota 1.0.a") << true;
        QTest::newRow(nome + " 80") << m << 80 << QStringLiteral("Nota 1.0.b") << true;
        QTest::newRow(nome + " 81") << m << 81 << QStringLiteral("Nota 1.0.c") << true;
    }
    QTest::newRow("Tradizionale 31 none") << Modello::Tradizionale << 31 << QStringLiteral("NO") << false;
    QTest::newRow("Monistico 31") << Modello::Monistico << 31 << QStringLiteral("Nota 8.h") << true;
    QTest::newRow("Tradizionale 43") << Modello::Tradizionale << 43 << QStringLiteral("Nota 9.a") << true;
    QTest::newRow("Tradizionale 75 hidden") << Modello::Tradizionale << 75 << QString() << false;
    QTest::newRow("Tradizionale 76 hidden") << Modello::Tradizionale << 76 << QString() << false;
    QTest::newRow("Tradizionale 69") << Modello::Tradizionale << 69 << QStringLiteral("Nota 10.w") << true;
    QTest::newRow("Dualistico 69 hidden")
        << Modello::Dualistico << 69 << QStringLiteral("Nota 10.w") << false;
    QTest::newRow("Monistico 69 hidden") << Modello::Monistico << 69 << QStringLiteral("Nota 10.w") << false;
    QTest::newRow("Tradizionale 71 none") << Modello::Tradizionale << 71 << QStringLiteral("NO") << false;
    QTest::newRow("Monistico 71") << Modello::Monistico << 71 << QStringLiteral("Nota 10.y") << true;
}

void TestCatalogo::etichetteNota()
{
    QFETCH(Modello, modello);
    QFETCH(int, indice);
    QFETCH(QString, didascalia);
    QFETCH(bool, visibile);
    const Domanda& d = profilo(modello).domanda(indice);
    QCOMPARE(d.etichettaNota, didascalia);
    QCOMPARE(d.etichettaNotaVisibile, visibile);
}

void TestCatalogo::caselle_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("si");
    QTest::addColumn<QString>("no");
    QTest::addColumn<bool>("na");
    QTest::addColumn<int>("conteggio");

    for (Modello m : tuttiIModelli) {
        const QByteArray nome = nomeModello(m).toLatin1();
        QTest::newRow(nome + " 7") << m << 7 << QStringLiteral("Adeguata") << QStringLiteral("Inadeguata")
                                   << false << -1;
        QTest::newRow(nome + " 6") << m << 6 << QStringLiteral("Si") << QStringLiteral("No") << true << -1;
        QTest::newRow(nome + " 72") << m << 72 << QStringLiteral("Si") << QStringLiteral("No") << false << -1;
        QTest::newRow(nome + " 79") << m << 79 << QString() << QString() << false << -1;
        QTest::newRow(nome + " 81") << m << 81 << QString() << QString() << false << -1;
    }
    QTest::newRow("Tradizionale 80") << Modello::Tradizionale << 80 << QStringLiteral("Si")
                                     << QStringLiteral("No") << false << -1;
    QTest::newRow("Dualistico 80") << Modello::Dualistico << 80 << QString() << QString() << false << -1;
    QTest::newRow("Monistico 80") << Modello::Monistico << 80 << QString() << QString() << false << -1;
    QTest::newRow("Tradizionale 71") << Modello::Tradizionale << 71 << QStringLiteral("Si")
                                     << QStringLiteral("No") << true << -1;
    QTest::newRow("Monistico 71") << Modello::Monistico << 71 << QStringLiteral("Si") << QStringLiteral("No")
                                  << false << -1;
    QTest::newRow("Tradizionale 34") << Modello::Tradizionale << 34 << QString() << QString() << false << 0;
    QTest::newRow("Tradizionale 38") << Modello::Tradizionale << 38 << QString() << QString() << false << 1;
    QTest::newRow("Tradizionale 40") << Modello::Tradizionale << 40 << QString() << QString() << false << 2;
    QTest::newRow("Tradizionale 36") << Modello::Tradizionale << 36 << QStringLiteral("Si")
                                     << QStringLiteral("No") << true << -1;
}

void TestCatalogo::caselle()
{
    QFETCH(Modello, modello);
    QFETCH(int, indice);
    QFETCH(QString, si);
    QFETCH(QString, no);
    QFETCH(bool, na);
    QFETCH(int, conteggio);
    const Domanda& d = profilo(modello).domanda(indice);
    QCOMPARE(d.didascaliaSI, si);
    QCOMPARE(d.didascaliaNO, no);
    QCOMPARE(d.offreNA, na);
    QCOMPARE(d.campoConteggio, conteggio);
}

void TestCatalogo::pagine()
{
    const QStringList didascalie{QStringLiteral("Dati Generali"),      QStringLiteral("Riquadro I [1/2]"),
                                 QStringLiteral("Riquadro I [2/2]"),   QStringLiteral("Riquadro II"),
                                 QStringLiteral("Riquadro III [1/2]"), QStringLiteral("Riquadro III [2/2]")};
    for (Modello m : tuttiIModelli) {
        const auto& pagine = profilo(m).catalogo.pagine;
        for (int p = 0; p < numeroPagine; ++p)
            QCOMPARE(pagine[p].didascalia, didascalie[p]);
        QCOMPARE(pagine[1].intestazione, QStringLiteral("Riquadro I [1/2] - OMBRISA"));
        QCOMPARE(pagine[5].intestazione, QStringLiteral("Riquadro III [2/2] - RELAZIONE PER L'ASSEMBLEA"));
        QCOMPARE(pagine[4].testoIniziale, QStringLiteral("La relazione contiene:"));
        QCOMPARE(pagine[1].righe[1].intestazione,
                 QStringLiteral("La società ha effettuato operazioni atipiche o inusuali con:"));
        QCOMPARE(
            pagine[1].righe[6].intestazione,
            QStringLiteral("Sono state effettuate altre operazioni infragruppo e con parti correlate aventi "
                           "natura ordinaria o ricorrente"));
        QCOMPARE(pagine[3].applicabile, m == Modello::Tradizionale);
    }
    QCOMPARE(profilo(Modello::Tradizionale).catalogo.pagine[3].intestazione,
             QStringLiteral("Riquadro II - ADESIONE AL CODICE DI AUTODISCIPLINA"));
}

void TestCatalogo::numeriEtichetteRiquadro()
{
    const auto& righe = profilo(Modello::Tradizionale).catalogo.pagine[1].righe;
    QCOMPARE(righe[1].numeroEtichetta, 0);
    QCOMPARE(righe[6].numeroEtichetta, 5);
    QCOMPARE(numeroEtichettaDomanda(0), 1);
    QCOMPARE(numeroEtichettaDomanda(3), 4);
    QCOMPARE(numeroEtichettaDomanda(4), 6);
    QCOMPARE(numeroEtichettaDomanda(78), 80);
    // No two rows of a model share a label.
    for (Modello m : tuttiIModelli) {
        std::set<int> visti;
        for (const PaginaCatalogo& pagina : profilo(m).catalogo.pagine) {
            for (const RigaPagina& r : pagina.righe)
                QVERIFY(visti.insert(r.numeroEtichetta).second);
        }
    }
}

void TestCatalogo::paginaDiOgniDomanda_data()
{
    QTest::addColumn<Modello>("modello");
    for (Modello m : tuttiIModelli)
        QTest::newRow(nomeModello(m).toLatin1()) << m;
}

void TestCatalogo::paginaDiOgniDomanda()
{
    QFETCH(Modello, modello);
    const ProfiloModello& p = profilo(modello);
    for (int i = 0; i < numeroIndici; ++i) {
        const Domanda& d = p.domanda(i);
        if (!d.presente)
            continue;
        QCOMPARE(d.pagina, paginaDiIndice(i));
        // The check's messages name the page the question stands on.
        QCOMPARE(p.paginaPerMessaggi(i), paginaDiIndice(i));
    }
    QCOMPARE(paginaDiIndice(72), 1);
    QCOMPARE(paginaDiIndice(74), 2);
    QCOMPARE(paginaDiIndice(75), 3);
    QCOMPARE(paginaDiIndice(77), 4);
    QCOMPARE(paginaDiIndice(78), 5);
    QCOMPARE(paginaDiIndice(80), 0);
}

QTEST_APPLESS_MAIN(TestCatalogo)
#include "tst_catalogo.moc"
