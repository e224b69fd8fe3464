#include "documento/documentoxml.h"
#include "support/percorsixml.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray salvato(const DocumentoXml& documento)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    documento.salva(buffer);
    return buffer.data();
}

QString erroreDi(const std::function<void()>& chiamata)
{
    try {
        chiamata();
    } catch (const ErroreXml& errore) {
        return errore.descrizione();
    }
    return QStringLiteral("<nessun errore>");
}

} // namespace

class TestDocumentoXml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Untrusted input: what is not one well-formed tree in a valid encoding is refused with its reason; no
    // entity is declared, expanded or fetched. Positions count elements only; a text is all characters below
    // a node.
    void lettura_data()
    {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("esito"); // children | text, or "!" and why it is refused
        const auto riga = [](const char* nome, const QByteArray& contenuto, const QString& esito) {
            QTest::newRow(nome) << contenuto << esito;
        };
        riga("rientri", "<r>\n  <a/>\n  <b>\n    <c>x</c>\n  </b>\n</r>\n", "a b|x");
        riga("commenti e istruzioni", "<r><!-- a --><a/><?pi x?><b>y</b><!-- c --></r>", "a b|y");
        riga("testo e CDATA tra elementi", "<r>uno<a/><![CDATA[<w>]]><b>z</b>tre</r>", "a b|uno<w>ztre");
        riga("dopo la radice",
             "<?xml version=\"1.0\"?>\n<!-- prima -->\n<r><a/></r>\n<!-- dopo --><?fine?>\n", "a|");
        riga("riferimenti", "<r>&lt;&amp;&gt;&#233;&#x20AC;</r>", "|<&>é€");
        riga("solo spazi", "<r>   </r>", "|   ");
        // Left out as a save would leave them out, so that a file read and written back reads the same.
        riga("caratteri che XML non ammette",
             "<r>a\x01"
             "b&#18;c&#xFFFF;\td</r>",
             "|abc\td");
        riga("nome accentato", "<r><RequisitiProfessionalit\xC3\xA0InPossesso/></r>",
             "RequisitiProfessionalitàInPossesso|");
        riga("vuoto", "", "!il contenuto è vuoto");
        riga("solo spazi fuori", "  \r\n\t", "!nessun elemento radice");
        riga("troncato nel testo", "<?xml version=\"1.0\"?>\n<r>\n<a>te",
             "!XML non valido alla riga 3: marcatore di chiusura mancante o diverso da quello di apertura");
        riga("troncato in un marcatore", "<r><a", "!XML non valido alla riga 1: marcatore non riconosciuto");
        riga("non XML", "Questo non è un file XML.\r\n", "!testo fuori dall'elemento radice");
        riga("testo dopo la radice", "<r/>testo", "!testo fuori dall'elemento radice");
        riga("due radici", "<a/><b/>", "!più di un elemento radice");
        riga("UTF-8 troncato a metà carattere", "<r>citt\xc3</r>", "!il contenuto non è testo UTF-8 valido");
        riga("entità esterna", "<!DOCTYPE r [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]><r>&xxe;</r>",
             "!il documento dichiara delle entità (DOCTYPE con <!ENTITY>), che non sono ammesse");
        riga("DTD esterna mai letta", "<!DOCTYPE r SYSTEM \"file:///etc/passwd\"><r>x</r>", "|x");
        riga("entità non dichiarata resta testo", "<r>&xxe;</r>", "|&xxe;");
        riga("Latin-1 dichiarato", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>citt\xe0</r>",
             "|città");
        riga("UTF-8 con BOM", "\xEF\xBB\xBF<r>citt\xC3\xA0</r>", "|città");
        QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        riga("UTF-16 con BOM", utf16(u"<r>città</r>"), "|città");
        // Trees far larger than the file: refused before they take gigabytes.
        const QString troppi = QStringLiteral("!contiene troppi elementi o attributi per un questionario");
        riga("un milione di elementi vuoti", "<r>" + QByteArray("<a/>").repeated(1000000) + "</r>", troppi);
        riga("due milioni di attributi", "<r" + QByteArray(" a=''").repeated(2000000) + "/>", troppi);
    }
    void lettura()
    {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, esito);
        DocumentoXml documento;
        documento.caricaDaByte(contenuto);
        // Refused, the document is left empty: the first access reports the failure, nothing can be saved.
        if (esito.startsWith(u'!')) {
            const QString errore = documento.erroreCaricamento();
            QCOMPARE(errore, "Impossibile leggere il documento: " + esito.mid(1));
            QCOMPARE(erroreDi([&] { documento.radice(); }), errore);
            QCOMPARE(erroreDi([&] { salvato(documento); }), "Impossibile scrivere il documento: " + errore);
            return;
        }
        NodoXml radice = documento.radice();
        QStringList figli;
        for (NodoXml n = radice.numeroFigli() > 0 ? radice.primoFiglio() : NodoXml(); !n.nullo();
             n = n.prossimoFratello())
            figli << n.nome();
        const QString testo = radice.testo();
        QCOMPARE(radice.nome() + u':' + figli.join(u' ') + u'|' + testo, "r:" + esito);
        QVERIFY(radice.numeroFigli() == figli.size() &&
                (figli.isEmpty() || radice.ultimoFiglio() == radice.figlio(int(figli.size()) - 1)));
        QCOMPARE(radice.prendiTesto(), testo); // taken out: the same text, and the element left empty
        QVERIFY(radice.numeroFigli() == 0 && radice.testo().isEmpty());
    }

    // Long texts taken out one after the other give their memory back without touching what lies around them
    // in the file: the text between them, the next long text, and the document as saved.
    void prendiTestiLunghi()
    {
        const QByteArray lungo = QByteArray("riga \xC3\xA8 &lt;&amp;&gt;&#13;\n").repeated(6000);
        const QString atteso = QStringLiteral("riga è <&>\r\n").repeated(6000);
        DocumentoXml documento;
        QVERIFY(documento.caricaDaByte("<r><a>" + lungo + "</a><b>in mezzo</b><c>" + lungo + "x</c></r>"));
        const NodoXml radice = documento.radice();
        QCOMPARE(radice.figlio(0).prendiTesto(), atteso);
        QCOMPARE(radice.figlio(1).testo(), QStringLiteral("in mezzo"));
        QCOMPARE(radice.figlio(2).prendiTesto(), atteso + u'x');
        QCOMPARE(radice.figlio(2).prendiTesto(), QString());
        radice.figlio(2).setTesto(QStringLiteral("nuovo"));
        QCOMPARE(salvato(documento), QByteArray("<r><a/><b>in mezzo</b><c>nuovo</c></r>"));
    }

    // A failing access or change raises its description and changes nothing. The changes then show in the
    // whole document as saved: compact, its declaration and comments kept.
    void modifiche()
    {
        DocumentoXml d;
        QVERIFY(d.caricaDaByte(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- modello -->\r\n<r>\r\n  <a k=\"1\" "
            "j=\"2\">x<b>y</b></a>\r\n  <c>z</c>\r\n<d/></r>\r\n"));
        NodoXml r = d.radice();
        const auto errore = [](auto f, const QString& atteso) { QCOMPARE(erroreDi(f), atteso); };
        errore([&] { r.figlio(3); }, "Nodo mancante alla posizione 3 di <r> in r (figli presenti: 3)");
        errore([&] { r.figlio(0).figlio(0).ultimoFiglio(); }, "Nodo mancante: <b> in r/0/0 non ha figli");
        errore([&] { r.figlio(1).setPrimoAttributo("x"); },
               "Attributo mancante: <c> in r/1 non ha attributi");
        errore([] { NodoXml().testo(); }, "Nodo inesistente");
        errore([&] { r.inserisciPrima("n", r.figlio(0).figlio(0)); },
               "<b> non è figlio di <r> in r: impossibile inserire <n> prima di esso");
        errore([&] { r.aggiungi("due parole"); }, "Nome di elemento non valido: \"due parole\"");
        errore([] { DocumentoXml().radice(); }, "Il documento è vuoto: manca l'elemento radice");
        QBuffer chiuso;
        errore([&] { d.salva(chiuso); },
               "Impossibile scrivere il documento: il dispositivo non è aperto in scrittura");
        const QByteArray intestazione = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!-- modello --><r>";
        QCOMPARE(salvato(d), intestazione + "<a k=\"1\" j=\"2\">x<b>y</b></a><c>z</c><d/></r>");

        r.figlio(0).setTesto(QStringLiteral("<&>\"'")); // in place of mixed content
        r.figlio(0).setPrimoAttributo(QStringLiteral("Nota 1.a"));
        r.figlio(1).setTesto(QString());
        r.inserisciPrima(QStringLiteral("m1"), r.figlio(1)).setTesto(QStringLiteral("1"));
        r.inserisciPrima(QStringLiteral("m2"), r.figlio(2))
            .aggiungi(QStringLiteral("RequisitiProfessionalitàInPossesso"));
        QCOMPARE(salvato(d), intestazione + "<a k=\"Nota 1.a\" j=\"2\">&lt;&amp;&gt;\"'</a><m1>1</m1><m2>"
                                            "<RequisitiProfessionalit\xC3\xA0InPossesso/></m2><c/><d/></r>");
    }

    // A text written and read back is the same text, line breaks included, in an element and in an attribute;
    // characters XML cannot carry are left out, so that any other reader accepts the file.
    void andataERitorno()
    {
        const QString vietati = QString(QChar(0)) + "a\x01\x0B\x1F" + QChar(0xD83D) + "b" + QChar(0xFFFF);
        QString nota; // 65000 characters in lines joined by CR LF
        for (int riga = 0; nota.size() < 65000; ++riga)
            nota += QStringLiteral("Riga %1 della nota, con à è ì ò ù e \"virgolette\" <&>\r\n").arg(riga);
        const QStringList testi{nota.left(65000), "a\r\nb\nc\rd", " \r\n \r\n ",
                                "<&>\"' àèìòù €\t]]>\xF0\x9F\x98\x80", vietati};
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("andata.xml"));
        DocumentoXml documento;
        QVERIFY(documento.caricaDaByte("<r>" + QByteArray("<v a=''/>").repeated(testi.size()) + "</r>"));
        for (int i = 0; i < testi.size(); ++i) {
            documento.radice().figlio(i).setTesto(testi[i]);
            documento.radice().figlio(i).setPrimoAttributo(testi[i]);
        }
        documento.salva(percorso);
        const QByteArray scritto = FileXml::daFile(percorso).contenuto();
        QVERIFY2(!scritto.contains('\r') && !scritto.contains("&#1;") && !scritto.contains("&#0;"),
                 "a CR written raw would come back as LF; control characters make the file unreadable");
        QVERIFY2(documento.carica(percorso), qPrintable(documento.erroreCaricamento()));
        for (int i = 0; i < testi.size(); ++i) {
            const QString atteso = testi[i] == vietati ? QStringLiteral("ab") : testi[i];
            const NodoXml v = documento.radice().figlio(i);
            QCOMPARE(v.testo() + u'|' + v.primoAttributo(), atteso + u'|' + atteso);
        }
    }

    // A save that fails for any reason leaves the path that was there as it was, and no temporary file.
    void scritturaFallita_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("relativo"); // among "scheda.xml", "tubo" (a pipe), "cartella/"
        QTest::addColumn<int>("limite");       // bytes a file may grow to, as on a full disk; 0: no limit
        QTest::addColumn<QString>("motivo");
        const QByteArray modulo =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r><Valore/><Nota etichetta=\"\"/></r>";
        const QString creazione = QStringLiteral("impossibile creare il file nella cartella (");
        const QByteArray lungo = "<r>" + QByteArray(9000, 'x') + "</r>";
        const QString pieno = QStringLiteral("scrittura incompleta (disco pieno?)");
        QTest::newRow("disco pieno alla fine") << modulo << "scheda.xml" << 40 << pieno;
        QTest::newRow("disco pieno a metà") << lungo << "scheda.xml" << 4096 << pieno;
        QTest::newRow("codifica non supportata")
            << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r/>") << "scheda.xml" << 0
            << "la codifica \"ISO-8859-1\" dichiarata dal documento non è supportata in scrittura (solo UTF-8)";
        QTest::newRow("documento non caricato")
            << QByteArray("<r>") << "scheda.xml" << 0 << "Impossibile leggere il documento: XML non valido";
        QTest::newRow("cartella inesistente") << modulo << "manca/scheda.xml" << 0 << creazione;
        QTest::newRow("una cartella") << modulo << "cartella" << 0 << "il percorso indica una cartella";
        QTest::newRow("file speciale") << modulo << "tubo" << 0 << "non è un file ordinario";
    }
    void scritturaFallita()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, relativo);
        QFETCH(int, limite);
        QFETCH(QString, motivo);
        QTemporaryDir cartella;
        const QByteArray originale = "<?xml version=\"1.0\"?>\r\n<originale>intatto</originale>\r\n";
        QFile scheda(cartella.filePath(QStringLiteral("scheda.xml")));
        QVERIFY(scheda.open(QIODevice::WriteOnly) && scheda.write(originale) > 0 && scheda.flush());
        QVERIFY(mkfifo(QFile::encodeName(cartella.filePath(QStringLiteral("tubo"))).constData(), 0600) == 0 &&
                QDir(cartella.path()).mkdir(QStringLiteral("cartella")));

        DocumentoXml documento;
        documento.caricaDaByte(xml);
        const QString percorso = cartella.filePath(relativo);
        rlimit prima{};
        getrlimit(RLIMIT_FSIZE, &prima);
        const rlimit ridotto{limite > 0 ? rlim_t(limite) : prima.rlim_cur, prima.rlim_max};
        const auto segnale = std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails instead
        setrlimit(RLIMIT_FSIZE, &ridotto);
        const QString errore = erroreDi([&] { documento.salva(percorso); });
        setrlimit(RLIMIT_FSIZE, &prima);
        std::signal(SIGXFSZ, segnale);
        QVERIFY2(errore.startsWith("Impossibile scrivere il file " + QDir::toNativeSeparators(percorso) +
                                   ": " + motivo),
                 qPrintable(errore));
        QCOMPARE(FileXml::daFile(cartella.filePath(QStringLiteral("scheda.xml"))).contenuto(), originale);
        QCOMPARE(QDir(cartella.path())
                     .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden),
                 (QStringList{"cartella", "scheda.xml", "tubo"}));
    }
};

QTEST_GUILESS_MAIN(TestDocumentoXml)
#include "tst_documentoxml.moc"
