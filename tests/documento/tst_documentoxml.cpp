#include "documento/documentoxml.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
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

namespace {

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

// Names of the element children of `nodo`, walked sibling by sibling.
QString nomiFigli(const NodoXml& nodo)
{
    QStringList nomi;
    if (nodo.numeroFigli() > 0) {
        for (NodoXml n = nodo.primoFiglio(); !n.nullo(); n = n.prossimoFratello())
            nomi << n.nome();
    }
    return nomi.join(u' ');
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
    void lettura_data();
    void lettura();
    void prendiTestiLunghi();
    void modifiche_data();
    void modifiche();
    void errori_data();
    void errori();
    void andataERitorno_data();
    void andataERitorno();
    void ingressi_data();
    void ingressi();
    void scritturaFallitaLasciaIlFile_data();
    void scritturaFallitaLasciaIlFile();
};

// Positions count element children only; the text of a node is the character content below it.
void TestDocumentoXml::lettura_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("figli");
    QTest::addColumn<QString>("testo");

    QTest::newRow("rientri") << QByteArray("<r>\n  <a/>\n  <b>\n    <c>x</c>\n  </b>\n</r>\n") << "a b"
                             << "x";
    QTest::newRow("commenti e istruzioni")
        << QByteArray("<r><!-- a --><a/><?pi x?><b>y</b><!-- c --></r>") << "a b"
        << "y";
    QTest::newRow("testo e CDATA tra elementi")
        << QByteArray("<r>uno<a/><![CDATA[<w>]]><b>z</b>tre</r>") << "a b"
        << "uno<w>ztre";
    QTest::newRow("dopo la radice")
        << QByteArray("<?xml version=\"1.0\"?>\n<!-- prima -->\n<r><a/></r>\n<!-- dopo --><?fine?>\n") << "a"
        << "";
    QTest::newRow("riferimenti") << QByteArray("<r>&lt;&amp;&gt;&#233;&#x20AC;</r>") << ""
                                 << "<&>é€";
    QTest::newRow("solo spazi") << QByteArray("<r>   </r>") << ""
                                << "   ";
    QTest::newRow("nome accentato") << QByteArray("<r><RequisitiProfessionalit\xC3\xA0InPossesso/></r>")
                                    << QStringLiteral("RequisitiProfessionalitàInPossesso") << "";
}

void TestDocumentoXml::lettura()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, figli);
    QFETCH(QString, testo);

    DocumentoXml documento;
    QVERIFY2(documento.caricaDaByte(xml), qPrintable(documento.erroreCaricamento()));
    const NodoXml radice = documento.radice();
    QCOMPARE(radice.nome(), "r");
    QCOMPARE(nomiFigli(radice), figli);
    QCOMPARE(radice.testo(), testo);
    const int n = radice.numeroFigli();
    QCOMPARE(n, figli.isEmpty() ? 0 : int(figli.count(u' ')) + 1);
    if (n > 0) {
        QVERIFY(radice.ultimoFiglio() == radice.figlio(n - 1));
        QVERIFY(radice.figlio(n - 1).prossimoFratello().nullo());
    }
    // Taken out, the same text; the element is left empty.
    NodoXml preso = radice;
    QCOMPARE(preso.prendiTesto(), testo);
    QCOMPARE(radice.numeroFigli(), 0);
    QCOMPARE(radice.testo(), QString());
}

// Long texts taken out one after the other give their memory back without touching what lies around them in
// the file: the text between them, the next long text, and the document as saved.
void TestDocumentoXml::prendiTestiLunghi()
{
    QByteArray lungo;
    QString atteso;
    for (int k = 0; lungo.size() < 100000; ++k) {
        lungo += "riga " + QByteArray::number(k) + " \xC3\xA8 &lt;&amp;&gt;&#13;\n";
        atteso += QStringLiteral("riga %1 è <&>\r\n").arg(k);
    }
    DocumentoXml documento;
    QVERIFY(documento.caricaDaByte("<r><a>" + lungo + "</a><b>in mezzo</b><c>" + lungo + "x</c></r>"));
    const NodoXml radice = documento.radice();
    QCOMPARE(radice.figlio(0).prendiTesto(), atteso);
    QCOMPARE(radice.figlio(1).testo(), QStringLiteral("in mezzo"));
    QCOMPARE(radice.figlio(2).prendiTesto(), atteso + u'x');
    QCOMPARE(radice.figlio(2).prendiTesto(), QString());
    radice.figlio(2).setTesto(QStringLiteral("nuovo"));
    QBuffer salvato;
    salvato.open(QIODevice::WriteOnly);
    documento.salva(salvato);
    QCOMPARE(salvato.data(), QByteArray("<r><a/><b>in mezzo</b><c>nuovo</c></r>"));
}

// Every change, then the whole document as saved: compact, declaration and comments kept.
void TestDocumentoXml::modifiche_data()
{
    QTest::addColumn<Operazione>("operazione");
    QTest::addColumn<QByteArray>("atteso");

    const QByteArray intestazione = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!-- modello -->";
    QTest::newRow("nessuna: rientri e a capo tolti")
        << Operazione([](DocumentoXml&) {})
        << intestazione + "<r><a k=\"1\" j=\"2\">x<b>y</b></a><c/><d/></r>";
    QTest::newRow("testo al posto del contenuto misto")
        << Operazione([](DocumentoXml& d) { d.radice().figlio(0).setTesto(QStringLiteral("<&>\"'")); })
        << intestazione + "<r><a k=\"1\" j=\"2\">&lt;&amp;&gt;\"'</a><c/><d/></r>";
    QTest::newRow("testo vuoto") << Operazione([](DocumentoXml& d) {
        d.radice().figlio(0).setTesto(QString());
    }) << intestazione + "<r><a k=\"1\" j=\"2\"/><c/><d/></r>";
    QTest::newRow("primo attributo") << Operazione([](DocumentoXml& d) {
        d.radice().figlio(0).setPrimoAttributo(QStringLiteral("Nota 1.a"));
    }) << intestazione + "<r><a k=\"Nota 1.a\" j=\"2\">x<b>y</b></a><c/><d/></r>";
    QTest::newRow("inseriti in ordine prima di un fratello")
        << Operazione([](DocumentoXml& d) {
               NodoXml r = d.radice();
               const NodoXml c = r.figlio(1);
               r.inserisciPrima(QStringLiteral("m1"), c).setTesto(QStringLiteral("1"));
               r.inserisciPrima(QStringLiteral("m2"), c)
                   .aggiungi(QStringLiteral("RequisitiProfessionalitàInPossesso"));
           })
        << intestazione +
               "<r><a k=\"1\" j=\"2\">x<b>y</b></a><m1>1</m1><m2><RequisitiProfessionalit\xC3\xA0InPossesso/>"
               "</m2><c/><d/></r>";
    QTest::newRow("in coda") << Operazione([](DocumentoXml& d) { d.radice().aggiungi(QStringLiteral("n")); })
                             << intestazione + "<r><a k=\"1\" j=\"2\">x<b>y</b></a><c/><d/><n/></r>";
}

void TestDocumentoXml::modifiche()
{
    QFETCH(Operazione, operazione);
    QFETCH(QByteArray, atteso);

    DocumentoXml documento;
    QVERIFY(
        documento.caricaDaByte("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- modello -->\r\n"
                               "<r>\r\n  <a k=\"1\" j=\"2\">x<b>y</b></a>\r\n  <c/>\r\n  <d/>\r\n</r>\r\n"));
    operazione(documento);
    QCOMPARE(salvato(documento), atteso);
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
    QTest::newRow("ultimo figlio di una foglia")
        << Operazione([](DocumentoXml& d) { d.radice().figlio(1).figlio(0).ultimoFiglio(); })
        << "Nodo mancante: <c> in r/1/0 non ha figli";
    QTest::newRow("attributo mancante")
        << Operazione([](DocumentoXml& d) { d.radice().figlio(1).setPrimoAttributo(QStringLiteral("x")); })
        << "Attributo mancante: <b> in r/1 non ha attributi";
    QTest::newRow("nodo nullo") << Operazione([](DocumentoXml&) { NodoXml().testo(); }) << "Nodo inesistente";
    QTest::newRow("riferimento che non è un figlio") << Operazione([](DocumentoXml& d) {
        NodoXml r = d.radice();
        r.inserisciPrima(QStringLiteral("n"), r.figlio(1).figlio(0));
    }) << "<c> non è figlio di <r> in r: impossibile inserire <n> prima di esso";
    QTest::newRow("nome con spazio") << Operazione([](DocumentoXml& d) {
        d.radice().aggiungi(QStringLiteral("due parole"));
    }) << "Nome di elemento non valido: \"due parole\"";
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

// A text written and read back is the same text, line breaks included; characters XML cannot carry are left
// out, so that any other reader accepts the file.
void TestDocumentoXml::andataERitorno_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("riletto");

    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("nota di 65000 caratteri con CR LF") << notaLunga() << notaLunga();
    QTest::newRow("CR LF, LF e CR isolati") << "a\r\nb\nc\rd"
                                            << "a\r\nb\nc\rd";
    QTest::newRow("spazi e a capo") << " \r\n \r\n "
                                    << " \r\n \r\n ";
    QTest::newRow("speciali e accenti") << "<&>\"' àèìòù €\t]]>" + emoji << "<&>\"' àèìòù €\t]]>" + emoji;
    QTest::newRow("caratteri vietati") << QString(QChar(0)) + QStringLiteral("a\x01\x0B\x1F") +
                                              QChar(0xD83D) + QStringLiteral("b") + QChar(0xFFFF)
                                       << "ab";
}

void TestDocumentoXml::andataERitorno()
{
    QFETCH(QString, testo);
    QFETCH(QString, riletto);

    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("andata.xml"));
    {
        DocumentoXml documento;
        QVERIFY(documento.caricaDaByte(moduloNota));
        documento.radice().figlio(0).setTesto(testo);
        documento.radice().figlio(1).setPrimoAttributo(testo);
        documento.salva(percorso);
    }
    const QByteArray scritto = contenutoFile(percorso);
    QVERIFY2(!scritto.contains('\r'), "a CR written raw would come back as LF");
    QVERIFY(!scritto.contains("&#1;") && !scritto.contains("&#0;"));

    DocumentoXml letto;
    QVERIFY2(letto.carica(percorso), qPrintable(letto.erroreCaricamento()));
    QCOMPARE(letto.radice().figlio(0).testo(), riletto);
    QCOMPARE(letto.radice().figlio(1).primoAttributo(), riletto);
}

// Untrusted input: what is not one well-formed tree in a valid encoding is refused with its reason, and no
// entity is ever declared, expanded or fetched.
void TestDocumentoXml::ingressi_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("esito"); // the text of the root, or "!" and the reason of the refusal

    QTest::newRow("vuoto") << QByteArray() << "!il contenuto è vuoto";
    QTest::newRow("solo spazi") << QByteArray("  \r\n\t") << "!nessun elemento radice";
    QTest::newRow("troncato nel testo")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SchedaOrganoControllo>\n<a>te")
        << "!XML non valido alla riga 3: marcatore di chiusura mancante o diverso da quello di apertura";
    QTest::newRow("troncato in un marcatore")
        << QByteArray("<r><a") << "!XML non valido alla riga 1: marcatore non riconosciuto";
    QTest::newRow("non XML") << QByteArray("Questo non è un file XML.\r\n")
                             << "!testo fuori dall'elemento radice";
    QTest::newRow("testo dopo la radice") << QByteArray("<r/>testo") << "!testo fuori dall'elemento radice";
    QTest::newRow("due radici") << QByteArray("<a/><b/>") << "!più di un elemento radice";
    QTest::newRow("Latin-1 dichiarato UTF-8")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r>perch\xe9</r>")
        << "!il contenuto non è testo UTF-8 valido";
    QTest::newRow("UTF-8 troncato a metà carattere")
        << QByteArray("<r>citt\xc3</r>") << "!il contenuto non è testo UTF-8 valido";
    const QString entita =
        QStringLiteral("!il documento dichiara delle entità (DOCTYPE con <!ENTITY>), che non sono ammesse");
    QTest::newRow("miliardo di risate")
        << QByteArray("<!DOCTYPE r [\n <!ENTITY lol \"lol\">\n <!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;\">\n"
                      " <!ENTITY lol2 \"&lol1;&lol1;&lol1;&lol1;&lol1;\">\n]>\n<r>&lol2;</r>\n")
        << entita;
    QTest::newRow("entità esterna")
        << QByteArray("<!DOCTYPE r [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]><r>&xxe;</r>") << entita;
    QTest::newRow("DTD esterna mai letta")
        << QByteArray("<!DOCTYPE r SYSTEM \"file:///etc/passwd\"><r>x</r>") << "x";
    QTest::newRow("entità non dichiarata resta testo") << QByteArray("<r>&xxe;</r>") << "&xxe;";
    QTest::newRow("Latin-1 dichiarato")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>citt\xe0</r>") << "città";
    QTest::newRow("UTF-8 con BOM") << QByteArray("\xEF\xBB\xBF<r>citt\xC3\xA0</r>") << "città";
    // Trees far larger than the file: refused before they take gigabytes.
    const QString troppi = QStringLiteral("!contiene troppi elementi o attributi per un questionario");
    QTest::newRow("un milione di elementi vuoti")
        << "<r>" + QByteArray("<a/>").repeated(1000000) + "</r>" << troppi;
    QTest::newRow("due milioni di attributi")
        << "<r" + QByteArray(" a=''").repeated(2000000) + "/>" << troppi;
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("UTF-16 con BOM") << QByteArray(utf16(u"<r>città</r>")) << "città";
}

void TestDocumentoXml::ingressi()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, esito);

    DocumentoXml documento;
    const bool caricato = documento.caricaDaByte(contenuto);
    if (!esito.startsWith(u'!')) {
        QVERIFY2(caricato, qPrintable(documento.erroreCaricamento()));
        QCOMPARE(documento.radice().testo(), esito);
        return;
    }
    QVERIFY(!caricato);
    const QString errore = documento.erroreCaricamento();
    QCOMPARE(errore, "Impossibile leggere il documento: " + esito.mid(1));
    // The document is left empty: the first access reports the failure, and nothing can be saved.
    QCOMPARE(erroreDi([&] { documento.radice(); }), errore);
    QCOMPARE(erroreDi([&] { salvato(documento); }), "Impossibile scrivere il documento: " + errore);
}

// A save that fails for any reason leaves the file that was there byte for byte, and no temporary file.
void TestDocumentoXml::scritturaFallitaLasciaIlFile_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("relativo"); // inside a folder holding "scheda.xml", "file" and "solalettura/"
    QTest::addColumn<int>("limite");       // bytes a file may grow to; 0: no limit
    QTest::addColumn<QString>("motivo");

    const QString creazione = QStringLiteral("impossibile creare il file nella cartella (");
    QTest::newRow("disco pieno alla fine")
        << moduloNota << "scheda.xml" << 40 << "scrittura incompleta (disco pieno?)";
    QTest::newRow("disco pieno a metà nota")
        << QByteArray() << "scheda.xml" << 4096 << "scrittura incompleta (disco pieno?)";
    QTest::newRow("codifica non supportata")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r/>") << "scheda.xml" << 0
        << "la codifica \"ISO-8859-1\" dichiarata dal documento non è supportata in scrittura (solo UTF-8)";
    QTest::newRow("documento non caricato")
        << QByteArray("<r>") << "scheda.xml" << 0 << "Impossibile leggere il documento: XML non valido";
    QTest::newRow("cartella in sola lettura") << moduloNota << "solalettura/scheda.xml" << 0 << creazione;
    QTest::newRow("cartella inesistente") << moduloNota << "manca/scheda.xml" << 0 << creazione;
    QTest::newRow("percorso sotto un file") << moduloNota << "file/scheda.xml" << 0 << creazione;
    QTest::newRow("percorso di una cartella")
        << moduloNota << "solalettura" << 0 << "il percorso indica una cartella";
}

void TestDocumentoXml::scritturaFallitaLasciaIlFile()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, relativo);
    QFETCH(int, limite);
    QFETCH(QString, motivo);

    QTemporaryDir cartella;
    QDir radice(cartella.path());
    const QByteArray originale = "<?xml version=\"1.0\"?>\r\n<originale>intatto</originale>\r\n";
    QVERIFY(scriviFile(cartella.filePath(QStringLiteral("scheda.xml")), originale));
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
    if (xml.isEmpty()) {
        QVERIFY(documento.caricaDaByte(moduloNota));
        documento.radice().figlio(1).setTesto(notaLunga());
    } else {
        documento.caricaDaByte(xml);
    }
    const QString percorso = cartella.filePath(relativo);
    QString errore;
    {
#ifdef Q_OS_UNIX
        std::optional<LimiteDimensioneFile> limiteAttivo;
        if (limite > 0)
            limiteAttivo.emplace(limite);
#else
        if (limite > 0)
            QSKIP("no file size limit on this platform");
#endif
        errore = erroreDi([&] { documento.salva(percorso); });
    }
    QVERIFY2(errore.startsWith("Impossibile scrivere il file " + QDir::toNativeSeparators(percorso) + ": " +
                               motivo),
             qPrintable(errore));
    QCOMPARE(contenutoFile(cartella.filePath(QStringLiteral("scheda.xml"))), originale);
    QCOMPARE(radice.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             (QStringList{"file", "scheda.xml", "solalettura"}));
    QCOMPARE(QDir(solaLettura).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

QTEST_GUILESS_MAIN(TestDocumentoXml)
#include "tst_documentoxml.moc"
