#include "documento/documentoxml.h"
#include "support/dispositivochefallisce.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using Operazione = std::function<void(DocumentoXml&)>;
Q_DECLARE_METATYPE(Operazione)
Q_DECLARE_METATYPE(DispositivoCheFallisce::Fallimento)

namespace {

NodoXml percorri(NodoXml nodo, const QList<int>& posizioni)
{
    for (int p : posizioni)
        nodo = nodo.figlio(p);
    return nodo;
}

QByteArray salvato(const DocumentoXml& documento)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    documento.salva(buffer);
    return buffer.data();
}

QByteArray contenutoFile(const QString& percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<illeggibile>");
}

bool scriviFile(const QString& percorso, const QByteArray& contenuto)
{
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(contenuto) == contenuto.size();
}

// The description of the ErroreXml the call raises, or a marker when it raises nothing.
QString erroreDi(const std::function<void()>& chiamata)
{
    try {
        chiamata();
    } catch (const ErroreXml& errore) {
        return errore.descrizione();
    }
    return QStringLiteral("<nessun errore>");
}

// A 65000-character note made of lines joined by CR LF.
QString notaLunga()
{
    QString nota;
    for (int riga = 0; nota.size() < 65000; ++riga)
        nota += QStringLiteral("Riga %1 della nota, con à è ì ò ù e \"virgolette\" <&>\r\n").arg(riga);
    nota.truncate(65000);
    return nota;
}

const QByteArray moduloNota = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<r>\n  <Valore/>\n  <Nota etichetta=\"\"/>\n</r>\n";

#ifdef Q_OS_UNIX
// Lets files grow only up to `limite` bytes, as a full disk does, while it lives.
class LimiteDimensioneFile
{
public:
    explicit LimiteDimensioneFile(rlim_t limite)
    {
        getrlimit(RLIMIT_FSIZE, &m_precedente);
        m_segnale = std::signal(SIGXFSZ, SIG_IGN);
        rlimit nuovo = m_precedente;
        nuovo.rlim_cur = limite;
        setrlimit(RLIMIT_FSIZE, &nuovo);
    }
    ~LimiteDimensioneFile()
    {
        setrlimit(RLIMIT_FSIZE, &m_precedente);
        std::signal(SIGXFSZ, m_segnale);
    }

private:
    rlimit m_precedente{};
    void (*m_segnale)(int) = nullptr;
};
#endif

} // namespace

class TestDocumentoXml : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void caratteriVietati_data();
    void caratteriVietati();
    void posizioni_data();
    void posizioni();
    void testoLetto_data();
    void testoLetto();
    void setTesto_data();
    void setTesto();
    void inserisciEAggiungi_data();
    void inserisciEAggiungi();
    void elementoCreatoMaiInserito();
    void primoAttributo();
    void errori_data();
    void errori();
    void salvataggioCompatto();
    void andataERitorno_data();
    void andataERitorno();
    void nomeAccentato();
    void ingressiRotti_data();
    void ingressiRotti();
    void ingressiAccettati_data();
    void ingressiAccettati();
    void caricaDaPercorso_data();
    void caricaDaPercorso();
    void dispositivoCheFallisce_data();
    void dispositivoCheFallisce();
    void salvataggioFallitoLasciaIlFile_data();
    void salvataggioFallitoLasciaIlFile();
    void cartellaNonScrivibile_data();
    void cartellaNonScrivibile();
};

void TestDocumentoXml::posizioni_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QList<int>>("posizioni");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("fratelli");

    QTest::newRow("rientri") << QByteArray("<r>\n  <a/>\n  <b>\n    <c/>\n  </b>\n</r>\n") << QList<int>{1, 0}
                             << "c" << 1;
    QTest::newRow("commenti e istruzioni")
        << QByteArray("<r><!-- a --><a/><?pi x?><b/><!-- c --></r>") << QList<int>{1} << "b" << 2;
    QTest::newRow("testo tra elementi")
        << QByteArray("<r>uno<a/>due<b/>tre</r>") << QList<int>{1} << "b" << 2;
    QTest::newRow("CDATA tra elementi")
        << QByteArray("<r><![CDATA[ ]]><a/><![CDATA[x]]><b/></r>") << QList<int>{1} << "b" << 2;
    QTest::newRow("commenti e istruzioni dopo la radice")
        << QByteArray("<?xml version=\"1.0\"?>\n<!-- prima -->\n<r><a/></r>\n<!-- dopo --><?fine?>\n")
        << QList<int>{0} << "a" << 1;
    QTest::newRow("nome accentato") << QByteArray("<r><x/><RequisitiProfessionalitàInPossesso/></r>")
                                    << QList<int>{1} << QStringLiteral("RequisitiProfessionalitàInPossesso")
                                    << 2;
}

void TestDocumentoXml::posizioni()
{
    QFETCH(QByteArray, xml);
    QFETCH(QList<int>, posizioni);
    QFETCH(QString, nome);
    QFETCH(int, fratelli);

    DocumentoXml documento;
    QVERIFY2(documento.caricaDaByte(xml), qPrintable(documento.erroreCaricamento()));
    QCOMPARE(documento.radice().nome(), "r");
    const NodoXml nodo = percorri(documento.radice(), posizioni);
    QCOMPARE(nodo.nome(), nome);

    const NodoXml padre = percorri(documento.radice(), posizioni.mid(0, posizioni.size() - 1));
    QCOMPARE(padre.numeroFigli(), fratelli);
    QVERIFY(padre.primoFiglio() == padre.figlio(0));
    QVERIFY(padre.ultimoFiglio() == padre.figlio(fratelli - 1));
}

void TestDocumentoXml::testoLetto_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("testo");

    QTest::newRow("discendenti in ordine")
        << QByteArray("<r>x<b>y<c>z</c></b><![CDATA[<w>]]></r>") << "xyz<w>";
    QTest::newRow("commenti esclusi") << QByteArray("<r>x<!--no-->y<?pi no?></r>") << "xy";
    QTest::newRow("rientri non contano") << QByteArray("<r>\n  <b>x</b>\n  <b>y</b>\n</r>") << "xy";
    QTest::newRow("riferimenti") << QByteArray("<r>&lt;&amp;&gt;&#233;&#x20AC;</r>") << "<&>é€";
    QTest::newRow("solo spazi") << QByteArray("<r>   </r>") << "   ";
    QTest::newRow("vuoto") << QByteArray("<r/>") << "";
}

void TestDocumentoXml::testoLetto()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, testo);

    DocumentoXml documento;
    QVERIFY2(documento.caricaDaByte(xml), qPrintable(documento.erroreCaricamento()));
    QCOMPARE(documento.radice().testo(), testo);
}

void TestDocumentoXml::setTesto_data()
{
    QTest::addColumn<QString>("nuovo");
    QTest::addColumn<QByteArray>("atteso");

    QTest::newRow("sostituisce il contenuto misto")
        << "nuovo" << QByteArray("<r><a k=\"v\">nuovo</a><b/></r>");
    QTest::newRow("vuoto lascia il nodo vuoto") << "" << QByteArray("<r><a k=\"v\"/><b/></r>");
    QTest::newRow("caratteri speciali")
        << "<&>\"'" << QByteArray("<r><a k=\"v\">&lt;&amp;&gt;\"'</a><b/></r>");
}

void TestDocumentoXml::setTesto()
{
    QFETCH(QString, nuovo);
    QFETCH(QByteArray, atteso);

    DocumentoXml documento;
    QVERIFY(documento.caricaDaByte("<r><a k=\"v\">x<b>y</b><!--c-->z<![CDATA[w]]></a><b/></r>"));
    NodoXml a = documento.radice().figlio(0);
    a.setTesto(nuovo);
    QCOMPARE(a.testo(), nuovo);
    QCOMPARE(a.numeroFigli(), 0);
    QCOMPARE(salvato(documento), atteso);
}

void TestDocumentoXml::inserisciEAggiungi_data()
{
    QTest::addColumn<int>("riferimento"); // -1: append
    QTest::addColumn<QString>("ordine");

    QTest::newRow("prima del primo") << 0 << "n a b c";
    QTest::newRow("prima del secondo") << 1 << "a n b c";
    QTest::newRow("prima dell'ultimo") << 2 << "a b n c";
    QTest::newRow("in coda") << -1 << "a b c n";
}

void TestDocumentoXml::inserisciEAggiungi()
{
    QFETCH(int, riferimento);
    QFETCH(QString, ordine);

    DocumentoXml documento;
    QVERIFY(documento.caricaDaByte("<r>\n <a/>\n <b/>\n <c/>\n</r>"));
    NodoXml radice = documento.radice();
    NodoXml nuovo = documento.creaElemento(QStringLiteral("n"));
    const NodoXml inserito =
        riferimento < 0 ? radice.aggiungi(nuovo) : radice.inserisciPrima(nuovo, radice.figlio(riferimento));
    QVERIFY(inserito == nuovo);

    QStringList nomi;
    for (int i = 0; i < radice.numeroFigli(); ++i)
        nomi << radice.figlio(i).nome();
    QCOMPARE(nomi.join(u' '), ordine);

    // The handle obtained at creation still addresses the element in its new place.
    nuovo.aggiungi(documento.creaElemento(QStringLiteral("figlio"))).setTesto(QStringLiteral("t"));
    QCOMPARE(radice.figlio(ordine.split(u' ').indexOf(u"n")).testo(), "t");
    QVERIFY(salvato(documento).contains("<n><figlio>t</figlio></n>"));
}

void TestDocumentoXml::elementoCreatoMaiInserito()
{
    DocumentoXml documento;
    QVERIFY(documento.caricaDaByte("<r><a/></r>"));
    const NodoXml orfano = documento.creaElemento(QStringLiteral("orfano"));
    QCOMPARE(orfano.nome(), "orfano");
    QCOMPARE(erroreDi([&] { orfano.primoAttributo(); }),
             "Attributo mancante: <orfano> in ElementiNonInseriti/0 non ha attributi");
    QCOMPARE(documento.radice().nome(), "r");
    QCOMPARE(salvato(documento), QByteArray("<r><a/></r>"));
}

void TestDocumentoXml::primoAttributo()
{
    DocumentoXml documento;
    QVERIFY(documento.caricaDaByte("<r><a x=\"1\" y=\"2\"/></r>"));
    NodoXml a = documento.radice().figlio(0);
    QCOMPARE(a.primoAttributo(), "1");
    a.setPrimoAttributo(QStringLiteral("Nota 1.a"));
    QCOMPARE(a.primoAttributo(), "Nota 1.a");
    QCOMPARE(salvato(documento), QByteArray("<r><a x=\"Nota 1.a\" y=\"2\"/></r>"));
}

void TestDocumentoXml::errori_data()
{
    QTest::addColumn<Operazione>("operazione");
    QTest::addColumn<QString>("errore");

    QTest::newRow("figlio oltre l'ultimo")
        << Operazione([](DocumentoXml& d) { d.radice().figlio(2); })
        << "Nodo mancante alla posizione 2 di <r> in r (figli presenti: 2)";
    QTest::newRow("figlio in posizione negativa")
        << Operazione([](DocumentoXml& d) { d.radice().figlio(1).figlio(-1); })
        << "Nodo mancante alla posizione -1 di <b> in r/1 (figli presenti: 1)";
    QTest::newRow("primo figlio di una foglia")
        << Operazione([](DocumentoXml& d) { d.radice().figlio(0).primoFiglio(); })
        << "Nodo mancante alla posizione 0 di <a> in r/0 (figli presenti: 0)";
    QTest::newRow("ultimo figlio di una foglia")
        << Operazione([](DocumentoXml& d) { d.radice().figlio(1).figlio(0).ultimoFiglio(); })
        << "Nodo mancante: <c> in r/1/0 non ha figli";
    QTest::newRow("lettura di un attributo mancante")
        << Operazione([](DocumentoXml& d) { d.radice().figlio(1).primoAttributo(); })
        << "Attributo mancante: <b> in r/1 non ha attributi";
    QTest::newRow("scrittura di un attributo mancante")
        << Operazione([](DocumentoXml& d) { d.radice().figlio(1).setPrimoAttributo(QStringLiteral("x")); })
        << "Attributo mancante: <b> in r/1 non ha attributi";
    QTest::newRow("nodo nullo") << Operazione([](DocumentoXml&) { NodoXml().testo(); }) << "Nodo inesistente";
    QTest::newRow("inserimento di un nodo nullo")
        << Operazione([](DocumentoXml& d) { d.radice().aggiungi(NodoXml()); }) << "Nodo inesistente";
    QTest::newRow("riferimento che non è un figlio") << Operazione([](DocumentoXml& d) {
        NodoXml r = d.radice();
        r.inserisciPrima(d.creaElemento(QStringLiteral("n")), r.figlio(1).figlio(0));
    }) << "<c> non è figlio di <r> in r: impossibile inserire <n> prima di esso";
    QTest::newRow("antenato dentro un discendente")
        << Operazione([](DocumentoXml& d) { d.radice().figlio(1).figlio(0).aggiungi(d.radice().figlio(1)); })
        << "Impossibile aggiungere <b> a <c> (r/1/0)";
    QTest::newRow("elemento di un altro documento") << Operazione([](DocumentoXml& d) {
        DocumentoXml altro;
        d.radice().aggiungi(altro.creaElemento(QStringLiteral("estraneo")));
    }) << "Impossibile aggiungere <estraneo> a <r> (r)";
    QTest::newRow("nome con spazio") << Operazione([](DocumentoXml& d) {
        d.creaElemento(QStringLiteral("due parole"));
    }) << "Nome di elemento non valido: \"due parole\"";
    QTest::newRow("nome vuoto") << Operazione([](DocumentoXml& d) { d.creaElemento(QString()); })
                                << "Nome di elemento non valido: \"\"";
    QTest::newRow("documento mai caricato") << Operazione([](DocumentoXml&) { DocumentoXml().radice(); })
                                            << "Il documento è vuoto: manca l'elemento radice";
    QTest::newRow("dispositivo non aperto") << Operazione([](DocumentoXml& d) {
        QBuffer chiuso;
        d.salva(chiuso);
    }) << "Impossibile scrivere il documento: il dispositivo non è aperto in scrittura";
}

void TestDocumentoXml::errori()
{
    QFETCH(Operazione, operazione);
    QFETCH(QString, errore);

    const QByteArray xml = "<r><a k=\"v\">x</a><b><c/></b></r>";
    DocumentoXml documento;
    QVERIFY(documento.caricaDaByte(xml));
    QCOMPARE(erroreDi([&] { operazione(documento); }), errore);
    QCOMPARE(salvato(documento), xml); // a failed operation changes nothing
}

void TestDocumentoXml::salvataggioCompatto()
{
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("scheda.xml"));
    QVERIFY(scriviFile(percorso, "contenuto precedente, più lungo del documento che lo sostituirà"));

    DocumentoXml documento;
    QVERIFY(documento.caricaDaByte("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- modello -->\r\n<r>\r\n"
                                   "  <a k=\"1\">x</a>\r\n  <b>\r\n    <c/>\r\n  </b>\r\n</r>\r\n"));
    documento.salva(percorso);
    QCOMPARE(
        contenutoFile(percorso),
        QByteArray(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!-- modello --><r><a k=\"1\">x</a><b><c/></b></r>"));
}

void TestDocumentoXml::andataERitorno_data()
{
    QTest::addColumn<QString>("testo");

    QTest::newRow("solo spazi") << "   ";
    QTest::newRow("nota di 65000 caratteri con CR LF") << notaLunga();
    QTest::newRow("CR LF, LF e CR isolati") << "a\r\nb\nc\rd";
    QTest::newRow("solo un a capo") << "\r\n";
    QTest::newRow("spazi e a capo") << " \r\n \r\n ";
    QTest::newRow("caratteri speciali e accenti") << "<&>\"' àèìòù €\t]]>";
}

void TestDocumentoXml::andataERitorno()
{
    QFETCH(QString, testo);

    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("andata.xml"));
    {
        DocumentoXml documento;
        QVERIFY(documento.caricaDaByte(moduloNota));
        NodoXml radice = documento.radice();
        radice.figlio(0).setTesto(testo);
        radice.figlio(1).setTesto(testo);
        radice.figlio(1).setPrimoAttributo(testo);
        documento.salva(percorso);
    }
    const QByteArray scritto = contenutoFile(percorso);
    QVERIFY2(!scritto.contains('\r'), "a CR written raw would come back as LF");

    DocumentoXml riletto;
    QVERIFY2(riletto.carica(percorso), qPrintable(riletto.erroreCaricamento()));
    const NodoXml radice = riletto.radice();
    QCOMPARE(radice.numeroFigli(), 2);
    QCOMPARE(radice.figlio(0).testo(), testo);
    QCOMPARE(radice.figlio(1).testo(), testo);
    QCOMPARE(radice.figlio(1).primoAttributo(), testo);
}

void TestDocumentoXml::caratteriVietati_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("scritto");

    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("controlli") << QStringLiteral("a\x01"
                                                 "b\x0B"
                                                 "c\x0C"
                                                 "d\x1F"
                                                 "e")
                               << QStringLiteral("abcde");
    QTest::newRow("NUL") << QString(QChar(0)) + QStringLiteral("x") << QStringLiteral("x");
    QTest::newRow("tab, LF e CR restano") << QStringLiteral("a\tb\r\nc") << QStringLiteral("a\tb\r\nc");
    QTest::newRow("mezza coppia") << QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b")
                                  << QStringLiteral("ab");
    QTest::newRow("FFFF") << QStringLiteral("a") + QChar(0xFFFF) << QStringLiteral("a");
    QTest::newRow("emoji intera") << emoji << emoji;
}

// Text pasted from other programs may hold characters XML 1.0 cannot carry: they are left out, so the file
// stays readable by any reader.
void TestDocumentoXml::caratteriVietati()
{
    QFETCH(QString, testo);
    QFETCH(QString, scritto);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("vietati.xml"));
    {
        DocumentoXml documento;
        QVERIFY(documento.caricaDaByte(moduloNota));
        documento.radice().figlio(1).setTesto(testo);
        documento.radice().figlio(1).setPrimoAttributo(testo);
        documento.salva(percorso);
    }
    const QByteArray byte = contenutoFile(percorso);
    // Only tab, LF and CR may appear as character references.
    const QRegularExpression riferimento(QStringLiteral("&#(x[0-9a-fA-F]+|[0-9]+);"));
    for (const auto& r : riferimento.globalMatch(QString::fromUtf8(byte))) {
        const QString numero = r.captured(1);
        const int codice = numero.startsWith(u'x') ? numero.mid(1).toInt(nullptr, 16) : numero.toInt();
        QVERIFY2(codice == 9 || codice == 10 || codice == 13, qPrintable(r.captured(0)));
    }
    DocumentoXml riletto;
    QVERIFY(riletto.carica(percorso));
    QCOMPARE(riletto.radice().figlio(1).testo(), scritto);
    QCOMPARE(riletto.radice().figlio(1).primoAttributo(), scritto);
}

void TestDocumentoXml::nomeAccentato()
{
    const QString nome = QStringLiteral("RequisitiProfessionalitàInPossesso");
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("membro.xml"));
    {
        DocumentoXml documento;
        QVERIFY(documento.caricaDaByte("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r/>"));
        documento.radice().aggiungi(documento.creaElemento(nome)).setTesto(QStringLiteral("Revisore legale"));
        documento.salva(percorso);
    }
    QVERIFY(contenutoFile(percorso).contains("<RequisitiProfessionalit\xC3\xA0InPossesso>"));
    DocumentoXml riletto;
    QVERIFY(riletto.carica(percorso));
    QCOMPARE(riletto.radice().figlio(0).nome(), nome);
    QCOMPARE(riletto.radice().figlio(0).testo(), "Revisore legale");
}

void TestDocumentoXml::ingressiRotti_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("motivo");

    QTest::newRow("vuoto") << QByteArray() << "il contenuto è vuoto";
    QTest::newRow("solo spazi") << QByteArray("  \r\n\t") << "nessun elemento radice";
    QTest::newRow("troncato nel testo")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SchedaOrganoControllo>\n<a>te")
        << "XML non valido alla riga 3: marcatore di chiusura mancante o diverso da quello di apertura";
    QTest::newRow("troncato in un marcatore")
        << QByteArray("<r><a") << "XML non valido alla riga 1: marcatore di apertura malformato";
    QTest::newRow("marcatori incrociati")
        << QByteArray("<a><b></a></b>")
        << "XML non valido alla riga 1: marcatore di chiusura mancante o diverso da quello di apertura";
    QTest::newRow("non XML") << QByteArray("Questo non è un file XML.\r\n")
                             << "testo fuori dall'elemento radice";
    QTest::newRow("testo prima della radice")
        << QByteArray("testo<r/>") << "testo fuori dall'elemento radice";
    QTest::newRow("testo dopo la radice") << QByteArray("<r/>testo") << "testo fuori dall'elemento radice";
    QTest::newRow("due radici") << QByteArray("<a/><b/>") << "più di un elemento radice";
    QTest::newRow("binario") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << "";
    QTest::newRow("Latin-1 dichiarato UTF-8")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r>perch\xe9</r>")
        << "il contenuto non è testo UTF-8 valido";
    QTest::newRow("Latin-1 senza dichiarazione")
        << QByteArray("<r>citt\xe0</r>") << "il contenuto non è testo UTF-8 valido";
    QTest::newRow("UTF-8 troncato a metà carattere")
        << QByteArray("<r>citt\xc3</r>") << "il contenuto non è testo UTF-8 valido";

    const QString entita =
        QStringLiteral("il documento dichiara delle entità (DOCTYPE con <!ENTITY>), che non sono ammesse");
    QTest::newRow("DOCTYPE con entità")
        << QByteArray("<!DOCTYPE r [<!ENTITY nome \"valore\">]><r>&nome;</r>") << entita;
    QTest::newRow("miliardo di risate")
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE r [\n <!ENTITY lol \"lol\">\n"
                      " <!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n"
                      " <!ENTITY lol2 \"&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;\">\n"
                      " <!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">\n"
                      " <!ENTITY lol4 \"&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;\">\n"
                      " <!ENTITY lol5 \"&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;\">\n"
                      " <!ENTITY lol6 \"&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;\">\n"
                      " <!ENTITY lol7 \"&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;\">\n"
                      " <!ENTITY lol8 \"&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;\">\n"
                      " <!ENTITY lol9 \"&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;\">\n"
                      "]>\n<r>&lol9;</r>\n")
        << entita;
    QTest::newRow("entità esterna")
        << QByteArray("<!DOCTYPE r [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]><r>&xxe;</r>") << entita;
    QTest::newRow("entità parametro esterna")
        << QByteArray("<!DOCTYPE r [<!ENTITY % dtd SYSTEM \"http://127.0.0.1:9/x.dtd\"> %dtd;]><r/>")
        << entita;
}

void TestDocumentoXml::ingressiRotti()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, motivo);

    DocumentoXml documento;
    QVERIFY(!documento.caricaDaByte(contenuto));
    const QString errore = documento.erroreCaricamento();
    QVERIFY2(errore.startsWith(u"Impossibile leggere il documento: "), qPrintable(errore));
    if (!motivo.isEmpty())
        QCOMPARE(errore, "Impossibile leggere il documento: " + motivo);
    // The document is left empty: the first access reports the failure.
    QCOMPARE(erroreDi([&] { documento.radice(); }), errore);
    QCOMPARE(erroreDi([&] { salvato(documento); }), "Impossibile scrivere il documento: " + errore);
}

void TestDocumentoXml::ingressiAccettati_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("testo");

    QTest::newRow("DTD esterna mai letta")
        << QByteArray("<!DOCTYPE r SYSTEM \"file:///etc/passwd\"><r>x</r>") << "x";
    QTest::newRow("entità non dichiarata resta testo") << QByteArray("<r>&xxe;</r>") << "&xxe;";
    QTest::newRow("Latin-1 dichiarato")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>citt\xe0</r>") << "città";
    QTest::newRow("UTF-8 con BOM") << QByteArray("\xEF\xBB\xBF<r>citt\xC3\xA0</r>") << "città";
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("UTF-16 con BOM") << QByteArray(utf16(u"<r>città</r>")) << "città";
}

void TestDocumentoXml::ingressiAccettati()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, testo);

    DocumentoXml documento;
    QVERIFY2(documento.caricaDaByte(contenuto), qPrintable(documento.erroreCaricamento()));
    QCOMPARE(documento.erroreCaricamento(), QString());
    QCOMPARE(documento.radice().nome(), "r");
    QCOMPARE(documento.radice().testo(), testo);
}

void TestDocumentoXml::caricaDaPercorso_data()
{
    QTest::addColumn<QString>(
        "nome"); // inside a temporary folder holding "vuoto.xml", "buono.xml", "cartella/"
    QTest::addColumn<QString>("motivo");

    QTest::newRow("valido") << "buono.xml"
                            << "";
    QTest::newRow("inesistente") << "manca.xml"
                                 << "il file non esiste";
    QTest::newRow("vuoto") << "vuoto.xml"
                           << "il contenuto è vuoto";
    QTest::newRow("cartella") << "cartella"
                              << "il file non si può aprire";
}

void TestDocumentoXml::caricaDaPercorso()
{
    QFETCH(QString, nome);
    QFETCH(QString, motivo);

    QTemporaryDir cartella;
    QVERIFY(scriviFile(cartella.filePath(QStringLiteral("vuoto.xml")), {}));
    QVERIFY(scriviFile(cartella.filePath(QStringLiteral("buono.xml")), moduloNota));
    QVERIFY(QDir(cartella.path()).mkdir(QStringLiteral("cartella")));
    const QString percorso = cartella.filePath(nome);

    DocumentoXml documento;
    QCOMPARE(documento.carica(percorso), motivo.isEmpty());
    if (motivo.isEmpty()) {
        QCOMPARE(documento.radice().numeroFigli(), 2);
    } else {
        const QString errore = documento.erroreCaricamento();
        QVERIFY2(errore.startsWith("Impossibile leggere il file " + QDir::toNativeSeparators(percorso) +
                                   ": " + motivo),
                 qPrintable(errore));
        QCOMPARE(erroreDi([&] { documento.radice(); }), errore);
    }
}

void TestDocumentoXml::dispositivoCheFallisce_data()
{
    QTest::addColumn<qint64>("capacita");
    QTest::addColumn<DispositivoCheFallisce::Fallimento>("fallimento");

    using F = DispositivoCheFallisce::Fallimento;
    QTest::newRow("pieno dall'inizio") << qint64(0) << F::Errore;
    QTest::newRow("scrittura parziale nella dichiarazione") << qint64(20) << F::Parziale;
    QTest::newRow("errore dopo 1000 byte") << qint64(1000) << F::Errore;
    QTest::newRow("scrittura parziale nella nota") << qint64(60000) << F::Parziale;
}

void TestDocumentoXml::dispositivoCheFallisce()
{
    QFETCH(qint64, capacita);
    QFETCH(DispositivoCheFallisce::Fallimento, fallimento);

    DocumentoXml documento;
    QVERIFY(documento.caricaDaByte(moduloNota));
    documento.radice().figlio(1).setTesto(notaLunga());

    DispositivoCheFallisce dispositivo(capacita, fallimento);
    QVERIFY(dispositivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QString errore = erroreDi([&] { documento.salva(dispositivo); });
    const QString atteso = fallimento == DispositivoCheFallisce::Fallimento::Parziale && capacita > 0
                               ? QStringLiteral("scrittura incompleta (disco pieno?)")
                               : QStringLiteral("errore di scrittura (spazio esaurito)");
    QCOMPARE(errore, "Impossibile scrivere il documento: " + atteso);
    QCOMPARE(dispositivo.scrittureFallite(), 1); // nothing is written after the first failure
    QVERIFY(dispositivo.ricevuti().size() <= capacita);
}

void TestDocumentoXml::salvataggioFallitoLasciaIlFile_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<bool>("notaLunga");
    QTest::addColumn<int>("limite"); // bytes a file may grow to; 0: no limit
    QTest::addColumn<QString>("motivo");

    const QByteArray latino = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r/>";
    QTest::newRow("disco pieno alla fine")
        << moduloNota << false << 40 << "scrittura incompleta (disco pieno?)";
    QTest::newRow("disco pieno a metà nota")
        << moduloNota << true << 4096 << "scrittura incompleta (disco pieno?)";
    QTest::newRow("codifica non supportata")
        << latino << false << 0
        << "la codifica \"ISO-8859-1\" dichiarata dal documento non è supportata in scrittura (solo UTF-8)";
    QTest::newRow("documento vuoto") << QByteArray() << false << 0
                                     << "Impossibile leggere il documento: il contenuto è vuoto";
}

void TestDocumentoXml::salvataggioFallitoLasciaIlFile()
{
    QFETCH(QByteArray, xml);
    QFETCH(bool, notaLunga);
    QFETCH(int, limite);
    QFETCH(QString, motivo);

    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("scheda.xml"));
    const QByteArray originale = "<?xml version=\"1.0\"?>\r\n<originale>intatto</originale>\r\n";
    QVERIFY(scriviFile(percorso, originale));

    DocumentoXml documento;
    documento.caricaDaByte(xml);
    if (notaLunga)
        documento.radice().figlio(1).setTesto(::notaLunga());

    QString errore;
    if (limite > 0) {
#ifdef Q_OS_UNIX
        LimiteDimensioneFile limiteAttivo(limite);
        errore = erroreDi([&] { documento.salva(percorso); });
#else
        QSKIP("no file size limit on this platform");
#endif
    } else {
        errore = erroreDi([&] { documento.salva(percorso); });
    }
    QVERIFY2(errore.startsWith("Impossibile scrivere il file " + QDir::toNativeSeparators(percorso) + ": " +
                               motivo),
             qPrintable(errore));
    QCOMPARE(contenutoFile(percorso), originale);
    QCOMPARE(QDir(cartella.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"scheda.xml"});
}

void TestDocumentoXml::cartellaNonScrivibile_data()
{
    QTest::addColumn<QString>("relativo"); // inside a temporary folder holding "file" and "solalettura/"
    QTest::addColumn<QString>("motivo");

    const QString creazione = QStringLiteral("impossibile creare il file nella cartella (");
    QTest::newRow("cartella in sola lettura") << "solalettura/scheda.xml" << creazione;
    QTest::newRow("cartella inesistente") << "manca/scheda.xml" << creazione;
    QTest::newRow("percorso sotto un file") << "file/scheda.xml" << creazione;
    QTest::newRow("percorso di una cartella") << "solalettura"
                                              << "il percorso indica una cartella";
}

void TestDocumentoXml::cartellaNonScrivibile()
{
    QFETCH(QString, relativo);
    QFETCH(QString, motivo);

    QTemporaryDir cartella;
    QDir radice(cartella.path());
    QVERIFY(scriviFile(cartella.filePath(QStringLiteral("file")), "x"));
    QVERIFY(radice.mkdir(QStringLiteral("solalettura")));
    const QString solaLettura = cartella.filePath(QStringLiteral("solalettura"));
    QVERIFY(QFile::setPermissions(solaLettura, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto ripristina = qScopeGuard([&] {
        QFile::setPermissions(solaLettura,
                              QFileDevice::WriteOwner | QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    });
    if (relativo.startsWith(u"solalettura/") && QFileInfo(solaLettura).isWritable())
        QSKIP("the folder stays writable for this user (root)");

    DocumentoXml documento;
    QVERIFY(documento.caricaDaByte(moduloNota));
    const QString percorso = cartella.filePath(relativo);
    const QString errore = erroreDi([&] { documento.salva(percorso); });
    QVERIFY2(errore.startsWith("Impossibile scrivere il file " + QDir::toNativeSeparators(percorso) + ": " +
                               motivo),
             qPrintable(errore));
    QCOMPARE(radice.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             (QStringList{"file", "solalettura"}));
    QCOMPARE(QDir(solaLettura).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

QTEST_GUILESS_MAIN(TestDocumentoXml)
#include "tst_documentoxml.moc"
