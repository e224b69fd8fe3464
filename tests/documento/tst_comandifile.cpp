// Save, open and exit over the scripted port: what the user is asked, in which order, what is left.
#include "documento/comandifile.h"
#include "documento/copiarecupero.h"
#include "documento/scrittura.h"
#include "modelli/posizionifile.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"
#include "support/percorsixml.h"
#include "support/questionariocompleto.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString cartellaModelli = QStringLiteral(DATI_TEST "/../../templates");
const QString domanda =
    QStringLiteral("messaggio|Warning|Con questa operazione verranno perse tutte le modifiche\r\n"
                   "effettuate: si desidera salvarle in un file temporaneo?");
const QString attenzione =
    QStringLiteral("messaggio|Errore|ATTENZIONE: impossibile aprire il file.\r\n"
                   "Verificare che il nome del file sia corretto e che abbia un'estensione "
                   "XML\r\nOperazione annullata!!!");
using Esito = Interazione::Esito;
using Pulsanti = Interazione::Pulsanti;
using Icona = Interazione::Icona;

struct Banco
{
    InterazioneFinta finta;
    Questionario q;
    ComandiFile c{q};
    StatoFinestra& stato = c.stato();
    QTemporaryDir cartella;
    CopiaRecupero recupero{q, stato};
    const QByteArray casaPrima = qgetenv("HOME"), configPrima = qgetenv("XDG_CONFIG_HOME");

    // Each bench has its own home folder, with no documents folder until a step makes one.
    explicit Banco(Modello modello = Modello::Tradizionale) : q(modello, finta)
    {
        stato.setTitoloBase(QStringLiteral("Base"));
        stato.setPercorsoFile(QStringLiteral("precedente"));
        recupero.setCartella(cartella.filePath(QStringLiteral("recupero")));
        qputenv("HOME", percorso(QStringLiteral("casa")).toUtf8());
        qputenv("XDG_CONFIG_HOME", percorso(QStringLiteral("casa/.config")).toUtf8());
        QDir().mkpath(percorso(QStringLiteral("casa")));
    }
    ~Banco()
    {
        impostaCartellaProgramma(cartellaModelli);
        for (const auto& [nome, valore] : {std::pair{"HOME", casaPrima}, {"XDG_CONFIG_HOME", configPrima}})
            valore.isNull() ? qunsetenv(nome) : qputenv(nome, valore);
    }
    QString percorso(const QString& nome) const { return nome.isEmpty() ? nome : cartella.filePath(nome); }
    bool copiaPresente() const { return QFile::exists(recupero.percorso()); }

    // Steps separated by spaces: answers queued for what follows ("Si", "No", "Annulla" for the prompts,
    // "s:<name>" and "a:<name>" for the dialogs, "-" cancelling), and actions: "modifica" (an edit, its
    // recovery copy written), "uscita" (an exit under way), "altrove" (installed where the user cannot
    // write), "documenti" (the user's documents folder made), "salva", "genera", "apri", "esci", "chiudi"
    // (the close box; "resta" in the log when it stays).
    void esegui(const QString& passi)
    {
        for (const QString& p : passi.split(u' ', Qt::SkipEmptyParts)) {
            const auto scelto = p.mid(2) == u"-" ? std::nullopt : std::optional(percorso(p.mid(2)));
            if (p == u"modifica") {
                q.setCampoGenerale(0, QStringLiteral("Società modificata"));
                recupero.scriviSubito();
                QVERIFY(copiaPresente());
            } else if (const auto r = QStringList{"Si", "No", "Annulla"}.indexOf(p); r >= 0)
                finta.risposteMessaggi.enqueue(QList{Esito::Si, Esito::No, Esito::Annulla}[r]);
            else if (p.startsWith(u"s:"))
                finta.fileDaSalvare.enqueue(scelto);
            else if (p.startsWith(u"a:"))
                finta.fileDaAprire.enqueue(scelto);
            else if (p == u"uscita")
                stato.setFlagUscita(true);
            else if (p == u"altrove")
                impostaCartellaProgramma(percorso(QStringLiteral("non-scrivibile")));
            else if (p == u"documenti")
                QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
            else if (p == u"salva" || p == u"genera")
                c.salva(p == u"genera");
            else if (p == u"apri")
                c.apriFile();
            else if (p == u"esci")
                c.esci();
            else if (p == u"chiudi" && !c.chiusuraFinestra())
                finta.registro << QStringLiteral("resta");
        }
    }

    // The log in short | what holds: saved, "Leggi" available, the copy, an exit under way | the file last
    // chosen. In the log: "domanda" (the unsaved-changes prompt), "errore" (told under the program's title),
    // "attenzione" (an unreadable file), "controllo" (the check's message, its moves left out), the dialogs,
    // the caption after the base. Other buttons, icon, filter or folder show in full.
    QString esito() const
    {
        QStringList righe;
        qsizetype m = 0;
        for (QString riga : finta.registro) {
            const auto msg =
                riga.startsWith(u"messaggio|") ? finta.messaggi[m++] : InterazioneFinta::Messaggio{};
            const bool ok = msg.pulsanti == Pulsanti::Ok;
            if (riga == domanda && msg.pulsanti == Pulsanti::SiNoAnnulla && msg.icona == Icona::Domanda)
                righe << QStringLiteral("domanda");
            else if (msg.titolo == titoloApplicazione() && ok && msg.icona == Icona::Nessuna)
                righe << QStringLiteral("errore");
            else if (ok && msg.icona == Icona::Critica)
                righe << (riga == attenzione ? QStringLiteral("attenzione") : QStringLiteral("controllo"));
            else if (riga != u"ripristina" && !riga.startsWith(u"focus|") && !riga.startsWith(u"pagina|"))
                righe << riga.replace(QStringLiteral("salvafile|Salva file"), QStringLiteral("salva"))
                             .replace(QStringLiteral("aprifile|Apri file"), QStringLiteral("apri"))
                             .replace(QStringLiteral("titolo|Base - "), QStringLiteral("titolo "));
        }
        for (const Interazione::FiltroFile& d : finta.dialoghiFile) {
            if (d.filtro != u"Xml File (*.xml)" || d.cartella != cartellaProgramma())
                righe << d.filtro + QStringLiteral(" in ") + d.cartella;
        }
        const QStringList vero{stato.flagSalvato() ? "salvato" : "", stato.leggiDisponibile() ? "leggi" : "",
                               copiaPresente() ? "copia" : "", stato.flagUscita() ? "uscita" : ""};
        return QString(righe.join(QStringLiteral(", ")) + " | " + vero.join(u' ').simplified() + " | " +
                       stato.percorsoFile())
            .replace(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                     QStringLiteral("<documenti>"))
            .replace(QDir::homePath(), QStringLiteral("<casa>"))
            .remove(cartella.path() + u'/');
    }
};

} // namespace

class TestComandiFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { impostaCartellaProgramma(cartellaModelli); }

    void sequenze_data()
    {
        QTest::addColumn<QString>("esito");
        // "Salva temp.": the file under the name as typed, its own name in the caption; the copy goes with a
        // completed save only.
        QTest::newRow("modifica s:scheda.xml salva")
            << "salva, titolo scheda.xml | salvato leggi | scheda.xml";
        QTest::newRow("modifica s:scheda salva") << "salva, titolo scheda | salvato leggi | scheda";
        QTest::newRow("modifica s:a\\b.xml salva") << "salva, titolo b.xml | salvato leggi | a\\b.xml";
        QTest::newRow("modifica s:- salva") << "salva | copia | precedente";
        QTest::newRow("modifica s: salva") << "salva | copia | ";
        QTest::newRow("modifica s:manca/scheda.xml salva") << "salva, errore | copia | manca/scheda.xml";
        // "Genera" checks first and stops at a problem; during an exit it writes without checking and ends
        // the program right after the write.
        QTest::newRow("modifica s:generato.xml genera") << "controllo | copia | precedente";
        QTest::newRow("modifica uscita s:generato.xml genera")
            << "salva, titolo generato.xml, termina | uscita | generato.xml";
        // "Leggi": the prompt only with unsaved changes, the open dialog whatever the save did; once a file
        // is chosen the questionnaire counts as saved and "Leggi" comes back, whatever the reader made of it.
        QTest::newRow("modifica Si s:- a:letto.xml apri")
            << "domanda, salva, apri, titolo letto.xml | salvato leggi | letto.xml";
        QTest::newRow("modifica No a:letto.xml apri")
            << "domanda, apri, titolo letto.xml | salvato leggi | letto.xml";
        QTest::newRow("modifica Annulla a:letto.xml apri") << "domanda | copia | precedente";
        QTest::newRow("modifica No a:manca.xml apri")
            << "domanda, apri, attenzione | salvato leggi | manca.xml";
        QTest::newRow("modifica No a:- apri") << "domanda, apri | salvato copia | ";
        QTest::newRow("modifica No a:- apri esci") << "domanda, apri, termina | salvato | ";
        // Installed where the user cannot write, the program opens its dialogs in the user's documents, or in
        // the home folder while there is no documents folder.
        QTest::newRow("altrove a:- apri") << "apri, Xml File (*.xml) in <casa> | salvato leggi | ";
        QTest::newRow("altrove documenti a:- apri")
            << "apri, Xml File (*.xml) in <documenti> | salvato leggi | ";
        // "Esci" ends the program at once without changes, after the save the user completes, or on No;
        // otherwise it keeps running with the changes, and a later "Genera" does not skip its check.
        QTest::newRow("esci") << "termina | salvato leggi | precedente";
        QTest::newRow("modifica Si s:uscita.xml esci")
            << "domanda, salva, titolo uscita.xml, termina | uscita | uscita.xml";
        QTest::newRow("modifica No esci") << "domanda, termina | uscita | precedente";
        QTest::newRow("modifica Si s:- esci genera") << "domanda, salva, controllo | copia | precedente";
        QTest::newRow("modifica Annulla esci genera") << "domanda, controllo | copia | precedente";
        // The close box ends the program even after a cancelled or failed save; only Annulla keeps it open.
        QTest::newRow("chiudi") << "termina | salvato leggi | precedente";
        QTest::newRow("modifica Si s:uscita.xml chiudi")
            << "domanda, salva, titolo uscita.xml, termina | salvato leggi | uscita.xml";
        QTest::newRow("modifica Si s:- chiudi") << "domanda, salva, termina |  | precedente";
        QTest::newRow("modifica No chiudi") << "domanda, termina |  | precedente";
        QTest::newRow("modifica Annulla chiudi") << "domanda, resta | copia | precedente";
    }
    // Each row is named by its steps. Besides: a file read shows its content, a file whose name reached the
    // caption holds the edit.
    void sequenze()
    {
        QFETCH(QString, esito);
        const QString passi = QString::fromUtf8(QTest::currentDataTag());
        Banco b;
        InterazioneFinta altra;
        Questionario letto(Modello::Tradizionale, altra);
        letto.setCampoGenerale(0, QStringLiteral("Società letta"));
        scriviFile(letto, b.percorso(QStringLiteral("letto.xml")));
        b.esegui(passi);

        QCOMPARE(b.esito(), esito);
        QCOMPARE(b.q.campoGenerale(0), esito.contains(u"titolo letto.xml") ? QStringLiteral("Società letta")
                                       : passi.startsWith(u"modifica") ? QStringLiteral("Società modificata")
                                                                       : QString());
        for (const QString& p : passi.split(u' ')) {
            if (p.size() > 2 && p.startsWith(u"s:") &&
                esito.contains(QStringLiteral("titolo ") + p.mid(2).section(u'\\', -1)))
                QCOMPARE(FileXml::daFile(b.percorso(p.mid(2))).valore(QStringLiteral("G/0")),
                         "Società modificata");
        }
    }

    // "Genera" on a complete questionnaire of each model, its maximum of offices the largest the file takes,
    // writes the file without a word (the caption changes only after a completed write).
    void generazioneCompleta()
    {
        for (Modello m : tuttiIModelli) {
            Banco b(m);
            compilaCompleto(b.q);
            b.q.setCampoGenerale(33, QStringLiteral("32767"));
            b.esegui(QStringLiteral("s:generato.xml genera"));
            QCOMPARE(b.esito(), "salva, titolo generato.xml | salvato leggi | generato.xml");
        }
    }

    // The recovery copy: a burst of edits writes once, when the wait has run out; a failed write says nothing
    // and leaves the copy as it was. After a crash the next opening offers the copy with the time it was
    // written: "Sì" brings its content back as unsaved edits and keeps it, "No" deletes it.
    void copiaDiRecupero()
    {
        Banco prima;
        const QString copia = prima.recupero.percorso();
        prima.recupero.setIntervallo(std::chrono::milliseconds(0));
        QSignalSpy scritte(&prima.recupero, &CopiaRecupero::scritta);
        prima.q.setCampoGenerale(0, QStringLiteral("Alfa"));
        prima.q.setConteggioRiquadroII(1, QStringLiteral("4")); // no edit for the saved flag, but in the file
        QVERIFY(prima.recupero.inAttesa() && !QFile::exists(copia));
        QCoreApplication::processEvents();
        QCOMPARE(scritte.size(), 1);
        impostaCartellaProgramma(prima.percorso(QStringLiteral("senza-modelli")));
        prima.q.setCampoGenerale(0, QStringLiteral("Beta"));
        QCoreApplication::processEvents();
        impostaCartellaProgramma(cartellaModelli);
        QCOMPARE(scritte.size(), 1);
        QCOMPARE(prima.finta.registro, QStringList());
        QFile file(copia);
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(QDateTime(QDate(2026, 12, 6), QTime(14, 32, 50)),
                                 QFileDevice::FileModificationTime));

        for (const bool si : {true, false}) {
            Banco dopo; // the first run never ended: a crash
            dopo.recupero.setCartella(prima.recupero.cartella());
            dopo.esegui(si ? QStringLiteral("Si") : QStringLiteral("No"));
            dopo.recupero.offriRipristino();
            QCOMPARE(dopo.finta.registro,
                     QStringList("messaggio|" + titoloApplicazione() +
                                 "|È stata trovata una copia di recupero del questionario, salvata il "
                                 "06/12/2026 alle 14:32. Si desidera ripristinarla?"));
            QVERIFY(dopo.finta.messaggi[0].pulsanti == Pulsanti::SiNo &&
                    dopo.finta.messaggi[0].icona == Icona::Domanda);
            QCOMPARE(dopo.q.campoGenerale(0), si ? "Alfa" : "");
            QCOMPARE(dopo.q.conteggioRiquadroII(1), si ? "4" : "");
            QVERIFY(dopo.stato.flagSalvato() != si && dopo.stato.leggiDisponibile() != si);
            QCOMPARE(QFile::exists(copia), si);
            QVERIFY(!dopo.recupero.inAttesa()); // what was read back is no edit waiting to be written
        }
    }

    // The wait runs from the first edit since the last write: the edits that follow do not put the write off.
    // Told by which of two waits ends first, which holds however slow the machine: put off, the write would
    // come 150 ms after the first edit; the second wait ends 130 ms after it at the earliest.
    void attesaDallaPrimaModifica()
    {
        Banco b;
        b.recupero.setIntervallo(std::chrono::milliseconds(100));
        QSignalSpy scritte(&b.recupero, &CopiaRecupero::scritta);
        const auto aspetta = [](int millisecondi) {
            QEventLoop ciclo;
            QTimer::singleShot(millisecondi, Qt::PreciseTimer, &ciclo, &QEventLoop::quit);
            ciclo.exec();
        };
        b.q.setCampoGenerale(0, QStringLiteral("a"));
        aspetta(50);
        b.q.setCampoGenerale(0, QStringLiteral("ab"));
        aspetta(80);
        QCOMPARE(scritte.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestComandiFile)
#include "tst_comandifile.moc"
