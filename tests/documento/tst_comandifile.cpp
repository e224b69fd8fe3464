// Save, open and exit over the scripted port: what the user is asked, in which order, and what is left.
#include "documento/comandifile.h"
#include "documento/copiarecupero.h"
#include "documento/scrittura.h"
#include "modelli/modello.h"
#include "modelli/posizionifile.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"
#include "support/percorsixml.h"
#include "support/questionariocompleto.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

Q_DECLARE_METATYPE(Modello)

namespace {

const QString cartellaModelli = QStringLiteral(DATI_TEST "/../../templates");
const QString domanda =
    QStringLiteral("messaggio|Warning|Con questa operazione verranno perse tutte le modifiche\r\n"
                   "effettuate: si desidera salvarle in un file temporaneo?");
const QString attenzione =
    QStringLiteral("messaggio|Errore|ATTENZIONE: impossibile aprire il file.\r\n"
                   "Verificare che il nome del file sia corretto e che abbia un'estensione "
                   "XML\r\nOperazione annullata!!!");
const QString annulla = QStringLiteral("<annulla>");

using Esito = Interazione::Esito;

struct Banco
{
    InterazioneFinta finta;
    Questionario q{Modello::Tradizionale, finta};
    ComandiFile c{q};
    StatoFinestra& stato = c.stato();
    QTemporaryDir cartella;
    CopiaRecupero recupero{q, stato};

    Banco()
    {
        stato.setTitoloBase(QStringLiteral("Base"));
        stato.setPercorsoFile(QStringLiteral("precedente"));
        recupero.setCartella(cartella.filePath(QStringLiteral("recupero")));
    }
    QString percorso(const QString& nome) const { return nome.isEmpty() ? nome : cartella.filePath(nome); }

    // An edit, as the user makes them, with its recovery copy written.
    void modifica()
    {
        q.setCampoGenerale(0, QStringLiteral("Società modificata"));
        recupero.scriviSubito();
        QVERIFY(copiaPresente());
    }
    bool copiaPresente() const { return QFile::exists(recupero.percorso()); }

    // Queued answers: the prompt's, then the file names ("<annulla>" cancels that dialog).
    void prepara(const QList<int>& risposte, const QStringList& salva, const QStringList& apri = {})
    {
        for (int r : risposte)
            finta.risposteMessaggi.enqueue(Esito(r));
        for (const QString& nome : salva)
            finta.fileDaSalvare.enqueue(nome == annulla ? std::nullopt : std::optional(percorso(nome)));
        for (const QString& nome : apri)
            finta.fileDaAprire.enqueue(nome == annulla ? std::nullopt : std::optional(percorso(nome)));
    }

    // The log in short: "domanda", "salva", "apri", "titolo <text>", "errore", "attenzione", "termina".
    QStringList riassunto() const
    {
        QStringList righe;
        for (const QString& riga : finta.registro) {
            if (riga == domanda)
                righe << "domanda";
            else if (riga == "salvafile|Salva file")
                righe << "salva";
            else if (riga == "aprifile|Apri file")
                righe << "apri";
            else if (riga.startsWith("titolo|Base - "))
                righe << "titolo " + riga.mid(14).replace(cartella.path() + "/", "");
            else if (riga.startsWith("messaggio|" + titoloApplicazione() + "|"))
                righe << "errore";
            else if (riga == attenzione)
                righe << "attenzione";
            else
                righe << riga;
        }
        return righe;
    }
};

QByteArray contenutoDi(const QString& percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<assente>");
}

void scriviByte(const QString& percorso, const QByteArray& contenuto)
{
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contenuto);
}

// Messages with a title show the right buttons and icon.
void verificaMessaggi(const InterazioneFinta& finta)
{
    for (const auto& m : finta.messaggi) {
        if (m.titolo == "Warning") {
            QCOMPARE(m.pulsanti, Interazione::Pulsanti::SiNoAnnulla);
            QCOMPARE(m.icona, Interazione::Icona::Domanda);
        } else if (m.titolo == titoloApplicazione()) {
            QCOMPARE(m.pulsanti, Interazione::Pulsanti::Ok);
            QCOMPARE(m.icona, Interazione::Icona::Nessuna);
            QVERIFY(!m.testo.isEmpty());
        }
    }
    for (const auto& d : finta.dialoghiFile) {
        QCOMPARE(d.filtro, "Xml File (*.xml)");
        QCOMPARE(d.cartella, cartellaProgramma());
    }
}

} // namespace

class TestComandiFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generazioneCompleta_data();
    void generazioneCompleta();
    void initTestCase() { impostaCartellaProgramma(cartellaModelli); }
    void salvaTemporaneo_data();
    void salvaTemporaneo();
    void generazione();
    void scritturaFallita_data();
    void scritturaFallita();
    void apri_data();
    void apri();
    void dialogoAnnullatoPoiEsci();
    void uscita_data();
    void uscita();
    void copiaDiRecupero_data();
    void copiaDiRecupero();
};

void TestComandiFile::salvaTemporaneo_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("atteso");
    QTest::addColumn<QString>("percorsoFile");

    QTest::newRow("scheda.xml") << "scheda.xml" << QStringList{"salva", "titolo scheda.xml"} << "scheda.xml";
    QTest::newRow("senza estensione") << "scheda" << QStringList{"salva", "titolo scheda"} << "scheda";
    QTest::newRow("barra rovescia nel nome")
        << "a\\b.xml" << QStringList{"salva", "titolo b.xml"} << "a\\b.xml";
    QTest::newRow("annullato") << annulla << QStringList{"salva"} << "precedente";
    QTest::newRow("percorso vuoto") << "" << QStringList{"salva"} << "";
    QTest::newRow("due salvataggi") << "prima.xml,seconda.xml"
                                    << QStringList{"salva", "titolo prima.xml", "salva", "titolo seconda.xml"}
                                    << "seconda.xml";
}

// "Salva temp.": the dialog, the file under the name as typed, the caption, the saved flag.
void TestComandiFile::salvaTemporaneo()
{
    QFETCH(QString, nome);
    QFETCH(QStringList, atteso);
    QFETCH(QString, percorsoFile);
    Banco b;
    b.modifica();
    const QStringList nomi = nome.split(u',');
    b.prepara({}, nomi);
    for (qsizetype k = 0; k < nomi.size(); ++k)
        b.c.salva(false);

    QCOMPARE(b.riassunto(), atteso);
    QCOMPARE(b.finta.dialoghiFile.first().titolo, "Salva file");
    verificaMessaggi(b.finta);
    const bool invariato = percorsoFile.isEmpty() || percorsoFile == "precedente";
    QCOMPARE(b.stato.percorsoFile(), invariato ? percorsoFile : b.percorso(percorsoFile));
    const bool scritto = atteso.size() > 1;
    QCOMPARE(b.stato.flagSalvato(), scritto);
    QCOMPARE(b.stato.leggiDisponibile(), scritto);
    QCOMPARE(QDir(b.cartella.path()).entryList(QDir::Files, QDir::Name),
             scritto ? QStringList(nomi) : QStringList());
    if (scritto)
        QCOMPARE(FileXml::daFile(b.percorso(nomi.last())).valore("G/0"), "Società modificata");
    // The recovery copy goes with a completed save only.
    QCOMPARE(b.copiaPresente(), !scritto);
}

// "Genera" checks first and stops at a problem; during an exit it writes without checking and ends the
// program right after the write.
void TestComandiFile::generazioneCompleta_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QString>("massimoIncarichi");
    QTest::addColumn<QString>("errore"); // empty: the file is written with no message
    for (Modello m : tuttiIModelli) {
        const QByteArray nome = nomeModello(m).toLatin1();
        QTest::newRow(nome + " complete") << m << QStringLiteral("5") << QString();
        QTest::newRow(nome + " 32767") << m << QStringLiteral("32767") << QString();
        QTest::newRow(nome + " beyond 16 bits")
            << m << QStringLiteral("40000")
            << QStringLiteral("Il valore \"40000\" supera il massimo consentito (32767).");
    }
}

// "Genera" on a complete questionnaire writes the file without a word; a maximum of offices that does not fit
// the check's numbers ends in the generic error message, with no dialog and no file.
void TestComandiFile::generazioneCompleta()
{
    QFETCH(Modello, modello);
    QFETCH(QString, massimoIncarichi);
    QFETCH(QString, errore);
    QTemporaryDir cartella;
    InterazioneFinta finta;
    Questionario q(modello, finta);
    ComandiFile comandi(q);
    finta.questionario = &q;
    compilaCompleto(q);
    {
        const Questionario::Caricamento caricamento(q);
        q.setCampoGenerale(33, massimoIncarichi);
    }
    q.segnaModificato();
    const QString percorso = cartella.filePath(QStringLiteral("generato.xml"));
    finta.fileDaSalvare.enqueue(percorso);

    comandi.salva(true);

    if (errore.isEmpty()) {
        QCOMPARE(finta.messaggi.size(), 0);
        QVERIFY(QFile::exists(percorso));
        QVERIFY(comandi.stato().flagSalvato());
    } else {
        QCOMPARE(finta.messaggi.size(), 1);
        QCOMPARE(finta.messaggi[0].testo, errore);
        QCOMPARE(finta.messaggi[0].titolo, titoloApplicazione());
        QCOMPARE(finta.messaggi[0].icona, Interazione::Icona::Nessuna);
        QCOMPARE(finta.dialoghiFile.size(), 0);
        QVERIFY(!QFile::exists(percorso));
        QVERIFY(!comandi.stato().flagSalvato());
    }
}

void TestComandiFile::generazione()
{
    Banco b;
    b.modifica();
    b.prepara({}, {"generato.xml"});
    b.c.salva(true);
    QVERIFY(!b.finta.messaggi.isEmpty());
    QCOMPARE(b.finta.dialoghiFile.size(), 0);
    QCOMPARE(b.finta.chiamate("titolo"), QStringList());
    QCOMPARE(b.stato.flagSalvato(), false);

    Banco u;
    u.modifica();
    u.stato.setFlagUscita(true);
    u.prepara({}, {"generato.xml"});
    u.c.salva(true);
    QCOMPARE(u.riassunto(), QStringList({"salva", "titolo generato.xml", "termina"}));
    QVERIFY(QFile::exists(u.percorso("generato.xml")));
    QCOMPARE(u.stato.flagSalvato(), false);
}

void TestComandiFile::scritturaFallita_data()
{
    QTest::addColumn<QString>("caso");
    QTest::newRow("cartella inesistente") << "inesistente";
    QTest::newRow("cartella di sola lettura") << "solaLettura";
    QTest::newRow("modello rotto sopra un file esistente") << "modelloRotto";
}

// A failed write is shown with its description; the old file keeps its bytes, the caption stays and the
// changes still count as unsaved.
void TestComandiFile::scritturaFallita()
{
    QFETCH(QString, caso);
    Banco b;
    b.modifica();
    const auto ripristina = qScopeGuard([&] {
        impostaCartellaProgramma(cartellaModelli);
        QFile::setPermissions(b.percorso("chiusa"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    QString destinazione = b.percorso("esistente.xml");
    if (caso == "inesistente") {
        destinazione = b.percorso("manca/scheda.xml");
    } else if (caso == "solaLettura") {
        if (geteuid() == 0)
            QSKIP("as root, folder permissions do not stop a write");
        QVERIFY(QDir(b.cartella.path()).mkdir("chiusa"));
        destinazione = b.percorso("chiusa/esistente.xml");
        scriviByte(destinazione, "vecchio contenuto");
        QFile::setPermissions(b.percorso("chiusa"), QFile::ReadOwner | QFile::ExeOwner);
    } else {
        scriviByte(destinazione, "vecchio contenuto");
        QVERIFY(QDir(b.cartella.path()).mkdir("programma"));
        QFile modello(cartellaModelli + "/SchedaOrganiSociali_base_trad.dat");
        QVERIFY(modello.open(QIODevice::ReadOnly));
        scriviByte(b.percorso("programma/SchedaOrganiSociali_base_trad.dat"), modello.readAll().left(3000));
        impostaCartellaProgramma(b.percorso("programma"));
    }
    const QByteArray prima = contenutoDi(destinazione);
    b.finta.fileDaSalvare.enqueue(destinazione);
    b.c.salva(false);

    QCOMPARE(b.riassunto(), QStringList({"salva", "errore"}));
    verificaMessaggi(b.finta);
    QCOMPARE(contenutoDi(destinazione), prima);
    QCOMPARE(b.stato.flagSalvato(), false);
    QCOMPARE(b.stato.leggiDisponibile(), false);
}

void TestComandiFile::apri_data()
{
    QTest::addColumn<bool>("modificato");
    QTest::addColumn<QList<int>>("risposte");
    QTest::addColumn<QStringList>("salva");
    QTest::addColumn<QStringList>("apri");
    QTest::addColumn<QStringList>("atteso");
    QTest::addColumn<bool>("flagSalvato");
    QTest::addColumn<bool>("leggi");

    const int si = int(Esito::Si), no = int(Esito::No), ann = int(Esito::Annulla);
    const QString fileLetto = "titolo letto.xml"; // the caption of a read shows the full path
    QTest::newRow("senza modifiche") << false << QList<int>{} << QStringList{} << QStringList{"letto.xml"}
                                     << QStringList{"apri", fileLetto} << true << true;
    QTest::newRow("Si") << true << QList<int>{si} << QStringList{"temp.xml"} << QStringList{"letto.xml"}
                        << QStringList{"domanda", "salva", "titolo temp.xml", "apri", fileLetto} << true
                        << true;
    QTest::newRow("Si, salvataggio annullato")
        << true << QList<int>{si} << QStringList{annulla} << QStringList{"letto.xml"}
        << QStringList{"domanda", "salva", "apri", fileLetto} << true << true;
    QTest::newRow("No") << true << QList<int>{no} << QStringList{} << QStringList{"letto.xml"}
                        << QStringList{"domanda", "apri", fileLetto} << true << true;
    QTest::newRow("Annulla") << true << QList<int>{ann} << QStringList{} << QStringList{"letto.xml"}
                             << QStringList{"domanda"} << false << false;
    QTest::newRow("No, lettura fallita")
        << true << QList<int>{no} << QStringList{} << QStringList{"rotto.xml"}
        << QStringList{"domanda", "apri", "attenzione"} << true << true;
    QTest::newRow("No, dialogo annullato") << true << QList<int>{no} << QStringList{} << QStringList{annulla}
                                           << QStringList{"domanda", "apri"} << true << false;
}

// "Leggi": the prompt only with unsaved changes; whatever happens after it, the questionnaire counts as
// saved; "Leggi" comes back once a file was chosen.
void TestComandiFile::apri()
{
    QFETCH(bool, modificato);
    QFETCH(QList<int>, risposte);
    QFETCH(QStringList, salva);
    QFETCH(QStringList, apri);
    QFETCH(QStringList, atteso);
    QFETCH(bool, flagSalvato);
    QFETCH(bool, leggi);

    Banco b;
    {
        InterazioneFinta finta;
        Questionario letto(Modello::Tradizionale, finta);
        letto.setCampoGenerale(0, "Società letta");
        scriviFile(letto, b.percorso("letto.xml"));
        scriviByte(b.percorso("rotto.xml"), "<non è XML");
    }
    if (modificato)
        b.modifica();
    b.prepara(risposte, salva, apri);
    b.c.apriFile();

    QCOMPARE(b.riassunto(), atteso);
    verificaMessaggi(b.finta);
    if (!b.finta.dialoghiFile.isEmpty())
        QCOMPARE(b.finta.dialoghiFile.last().titolo, atteso.contains("apri") ? "Apri file" : "Salva file");
    const bool annullato = atteso == QStringList{"domanda"};
    QCOMPARE(b.stato.percorsoFile(), annullato                 ? "precedente"
                                     : apri.first() == annulla ? ""
                                                               : b.percorso(apri.first()));
    QCOMPARE(b.stato.flagSalvato(), flagSalvato);
    QCOMPARE(b.stato.leggiDisponibile(), leggi);
    const QString società = atteso.contains("titolo letto.xml") ? "Società letta"
                            : modificato                        ? "Società modificata"
                                                                : "";
    QCOMPARE(b.q.campoGenerale(0), società);
    // The recovery copy goes once a file has been chosen and read, whatever the reader made of it.
    QCOMPARE(b.copiaPresente(), modificato && !leggi);
}

// "Leggi" with unsaved changes, No, dialog cancelled: a later exit does not ask again.
void TestComandiFile::dialogoAnnullatoPoiEsci()
{
    Banco b;
    b.modifica();
    b.prepara({int(Esito::No)}, {}, {annulla});
    b.c.apriFile();
    b.c.esci();
    QCOMPARE(b.riassunto(), QStringList({"domanda", "apri", "termina"}));

    // Installed where the user cannot write, the program opens its dialogs in the user's documents, or in the
    // home folder while there is no documents folder.
    impostaCartellaProgramma(b.percorso("non-scrivibile"));
    const QByteArray casa = qgetenv("HOME"), configurazione = qgetenv("XDG_CONFIG_HOME");
    const auto ripristina = qScopeGuard([&] {
        impostaCartellaProgramma(cartellaModelli);
        qputenv("HOME", casa);
        qputenv("XDG_CONFIG_HOME", configurazione);
    });
    qputenv("HOME", b.percorso("casa").toUtf8());
    qputenv("XDG_CONFIG_HOME", b.percorso("casa/.config").toUtf8());
    QVERIFY(QDir().mkpath(b.percorso("casa")));
    b.c.apriFile();
    QCOMPARE(b.finta.dialoghiFile.last().cartella, b.percorso("casa"));
    QVERIFY(QDir().mkpath(b.percorso("casa/Documents")));
    b.c.apriFile();
    QCOMPARE(b.finta.dialoghiFile.last().cartella, b.percorso("casa/Documents"));
}

void TestComandiFile::uscita_data()
{
    QTest::addColumn<bool>("chiusura"); // the window's close box rather than "Esci"
    QTest::addColumn<bool>("modificato");
    QTest::addColumn<QList<int>>("risposte");
    QTest::addColumn<QStringList>("salva");
    QTest::addColumn<QStringList>("atteso");
    QTest::addColumn<bool>("flagUscita");

    const int si = int(Esito::Si), no = int(Esito::No), ann = int(Esito::Annulla);
    for (bool chiusura : {false, true}) {
        const char* nome = chiusura ? "chiusura" : "esci";
        const QStringList fine = chiusura ? QStringList{"termina"} : QStringList{};
        QTest::addRow("%s senza modifiche", nome)
            << chiusura << false << QList<int>{} << QStringList{} << QStringList{"termina"} << false;
        QTest::addRow("%s Si, file scritto", nome)
            << chiusura << true << QList<int>{si} << QStringList{"uscita.xml"}
            << QStringList{"domanda", "salva", "titolo uscita.xml", "termina"} << !chiusura;
        QTest::addRow("%s Si, dialogo annullato", nome)
            << chiusura << true << QList<int>{si} << QStringList{annulla}
            << QStringList{"domanda", "salva"} + fine << false;
        QTest::addRow("%s Si, scrittura fallita", nome)
            << chiusura << true << QList<int>{si} << QStringList{"manca/uscita.xml"}
            << QStringList{"domanda", "salva", "errore"} + fine << false;
        QTest::addRow("%s No", nome) << chiusura << true << QList<int>{no} << QStringList{}
                                     << QStringList{"domanda", "termina"} << !chiusura;
        QTest::addRow("%s Annulla", nome)
            << chiusura << true << QList<int>{ann} << QStringList{} << QStringList{"domanda"} << false;
    }
}

// "Esci" ends the program at once without changes, after the save the user completes, or on No; otherwise
// it keeps running with the changes, and a later save neither skips its check nor ends it. Closing the
// window ends it even after a cancelled or failed save; only Cancel keeps it open.
void TestComandiFile::uscita()
{
    QFETCH(bool, chiusura);
    QFETCH(bool, modificato);
    QFETCH(QList<int>, risposte);
    QFETCH(QStringList, salva);
    QFETCH(QStringList, atteso);
    QFETCH(bool, flagUscita);

    Banco b;
    if (modificato)
        b.modifica();
    b.prepara(risposte, salva);
    if (chiusura)
        QCOMPARE(b.c.chiusuraFinestra(), atteso.contains("termina"));
    else
        b.c.esci();
    QCOMPARE(b.riassunto(), atteso);
    verificaMessaggi(b.finta);
    QCOMPARE(b.stato.flagUscita(), flagUscita);
    // A clean exit leaves no recovery copy; staying keeps it.
    QCOMPARE(b.copiaPresente(), modificato && !atteso.contains("termina"));
    if (chiusura || atteso.contains("termina"))
        return;

    QCOMPARE(b.stato.flagSalvato(), false);
    b.finta.registro.clear();
    b.finta.messaggi.clear();
    b.prepara({}, {"dopo.xml", "dopo.xml"});
    b.c.salva(true);
    QVERIFY(!b.finta.messaggi.isEmpty()); // the check ran and found the questionnaire incomplete
    b.c.salva(false);
    QCOMPARE(b.finta.chiamate("termina"), QStringList());
    QVERIFY(QFile::exists(b.percorso("dopo.xml")));
}

void TestComandiFile::copiaDiRecupero_data()
{
    QTest::addColumn<bool>("si");
    QTest::newRow("Sì") << true;
    QTest::newRow("No") << false;
}

// The recovery copy: a burst of edits writes once, when the wait has run out; a failed write says nothing and
// leaves the copy as it was. After a crash the next opening offers the copy with the time it was written:
// "Sì" brings its content back as unsaved edits under the caption as it was, "No" deletes it. (When it goes
// is followed through the scenarios above.)
void TestComandiFile::copiaDiRecupero()
{
    QFETCH(bool, si);
    Banco prima;
    const QString copia = prima.recupero.percorso();
    prima.recupero.setIntervallo(std::chrono::milliseconds(0));
    QSignalSpy scritte(&prima.recupero, &CopiaRecupero::scritta);
    prima.q.setCampoGenerale(0, "Alfa");
    prima.q.setConteggioRiquadroII(1, "4"); // no edit for the saved flag, but the file carries it
    QVERIFY(prima.recupero.inAttesa() && !QFile::exists(copia));
    QCoreApplication::processEvents();
    QCOMPARE(scritte.size(), 1);
    impostaCartellaProgramma(prima.percorso("senza-modelli"));
    prima.q.setCampoGenerale(0, "Beta");
    QCoreApplication::processEvents();
    impostaCartellaProgramma(cartellaModelli);
    QCOMPARE(scritte.size(), 1);
    QCOMPARE(prima.finta.registro, QStringList());
    {
        QFile file(copia);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime(QDate(2026, 12, 6), QTime(14, 32, 50)),
                                 QFileDevice::FileModificationTime));
    }

    Banco dopo; // the first run never ended: a crash
    dopo.recupero.setCartella(prima.recupero.cartella());
    dopo.prepara({int(si ? Esito::Si : Esito::No)}, {});
    dopo.recupero.offriRipristino();
    QCOMPARE(dopo.finta.registro,
             QStringList("messaggio|" + titoloApplicazione() +
                         "|È stata trovata una copia di recupero del questionario, salvata il "
                         "06/12/2026 alle 14:32. Si desidera ripristinarla?"));
    QCOMPARE(dopo.finta.messaggi[0].pulsanti, Interazione::Pulsanti::SiNo);
    QCOMPARE(dopo.finta.messaggi[0].icona, Interazione::Icona::Domanda);
    QCOMPARE(dopo.q.campoGenerale(0), si ? "Alfa" : "");
    QCOMPARE(dopo.q.conteggioRiquadroII(1), si ? "4" : "");
    QCOMPARE(dopo.stato.flagSalvato(), !si);
    QCOMPARE(dopo.stato.leggiDisponibile(), !si);
    QCOMPARE(QFile::exists(copia), si);
    QVERIFY(!dopo.recupero.inAttesa()); // what was read back is no edit waiting to be written
}

QTEST_GUILESS_MAIN(TestComandiFile)
#include "tst_comandifile.moc"
