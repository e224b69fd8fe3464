// The recovery copy: when it is written, that a failure stays silent, what the next opening offers, and the
// note still being typed. When it is removed is followed through the file commands' own scenarios.
#include "documento/comandifile.h"
#include "documento/copiarecupero.h"
#include "documento/lettura.h"
#include "modelli/modello.h"
#include "modelli/posizionifile.h"
#include "questionario/questionario.h"
#include "support/interazionefinta.h"

#include <QDateTime>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString cartellaModelli = QStringLiteral(DATI_TEST "/../../templates");

// One run of a window over a folder of recovery copies shared with the runs that follow.
struct Esecuzione
{
    InterazioneFinta finta;
    Questionario q;
    ComandiFile c{q};
    CopiaRecupero recupero{q, c.stato()};
    QSignalSpy scritte{&recupero, &CopiaRecupero::scritta};

    Esecuzione(const QString& cartella, Modello modello = Modello::Tradizionale) : q(modello, finta)
    {
        recupero.setCartella(cartella);
        recupero.setIntervallo(std::chrono::milliseconds(0));
    }
};

// What the copy holds, read back by the program's reader into a questionnaire of its own.
struct Letto
{
    InterazioneFinta finta;
    Questionario q{Modello::Tradizionale, finta};

    explicit Letto(const QString& percorso) { QVERIFY(leggiFile(q, percorso).letto); }
};

} // namespace

class TestCopiaRecupero : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cartella;

private Q_SLOTS:
    void initTestCase() { impostaCartellaProgramma(cartellaModelli); }
    void init() { QFile::remove(m_cartella.filePath(QStringLiteral("recupero-tradizionale.xml"))); }

    // Each kind of edit starts the wait; a burst of edits writes once, when the interval has run out.
    void scritturaDopoLAttesa_data()
    {
        QTest::addColumn<int>("modifica");
        QTest::newRow("general field") << 0;
        QTest::newRow("answer box") << 1;
        QTest::newRow("member cell") << 2;
        // Typing these counts is no edit for the saved flag, but the file carries them.
        QTest::newRow("Riquadro II count") << 3;
    }
    void scritturaDopoLAttesa()
    {
        QFETCH(int, modifica);
        Esecuzione e(m_cartella.path());
        QCOMPARE(e.recupero.percorso(), m_cartella.filePath(QStringLiteral("recupero-tradizionale.xml")));
        const auto modifiche = [&](const QString& testo) {
            for (int volta = 0; volta < 3; ++volta) {
                switch (modifica) {
                case 0:
                    e.q.setCampoGenerale(0, testo + QString::number(volta));
                    break;
                case 1:
                    e.q.setBox(5, volta % 2 ? Casella::NO : Casella::SI, true);
                    break;
                case 2:
                    e.q.membri().setCella(0, 1, testo + QString::number(volta));
                    break;
                default:
                    e.q.setConteggioRiquadroII(1, QString::number(volta + 4));
                }
            }
        };
        modifiche(QStringLiteral("Alfa "));
        QVERIFY(e.recupero.inAttesa());
        QVERIFY(!QFile::exists(e.recupero.percorso()));
        QCoreApplication::processEvents();
        QCOMPARE(e.scritte.size(), 1);
        QVERIFY(!e.recupero.inAttesa());
        const Letto letto(e.recupero.percorso());
        const QString attesi[] = {QStringLiteral("G/0=Alfa 2"), QStringLiteral("5=SI"),
                                  QStringLiteral("M=Alfa 2"), QStringLiteral("II=6")};
        const QString trovato =
            modifica == 0   ? QStringLiteral("G/0=") + letto.q.campoGenerale(0)
            : modifica == 1 ? QStringLiteral("5=") + (letto.q.risposta(5) == Risposta::SI ? "SI" : "altro")
            : modifica == 2 ? QStringLiteral("M=") + letto.q.membri().cella(0, 1)
                            : QStringLiteral("II=") + letto.q.conteggioRiquadroII(1);
        QCOMPARE(trovato, attesi[modifica]);
        // Nothing new, nothing written.
        QCoreApplication::processEvents();
        QCOMPARE(e.scritte.size(), 1);
    }

    // A write that fails says nothing and leaves the previous copy; hiding the window writes at once.
    void scritturaFallitaInSilenzio()
    {
        Esecuzione e(m_cartella.path());
        e.q.setCampoGenerale(0, QStringLiteral("Prima"));
        e.recupero.scriviSubito();
        QFile copia(e.recupero.percorso());
        QVERIFY(copia.open(QIODevice::ReadOnly));
        const QByteArray prima = copia.readAll();
        copia.close();

        impostaCartellaProgramma(m_cartella.filePath(QStringLiteral("senza-modelli")));
        const auto ripristina = qScopeGuard([] { impostaCartellaProgramma(cartellaModelli); });
        e.q.setCampoGenerale(0, QStringLiteral("Dopo"));
        QCoreApplication::processEvents();
        QCOMPARE(e.finta.registro, QStringList());
        QVERIFY(copia.open(QIODevice::ReadOnly));
        QCOMPARE(copia.readAll(), prima);
        copia.close();
        // The edit still waits for its copy: the next chance writes it.
        impostaCartellaProgramma(cartellaModelli);
        e.recupero.scriviSubito();
        QCOMPARE(Letto(e.recupero.percorso()).q.campoGenerale(0), QStringLiteral("Dopo"));
    }

    // The next opening offers the copy with the time it was written: "Sì" brings the content back as unsaved
    // edits under the caption as it was; "No" deletes it. Without a copy nothing is asked.
    void ripristino_data()
    {
        QTest::addColumn<bool>("si");
        QTest::newRow("Sì") << true;
        QTest::newRow("No") << false;
    }
    void ripristino()
    {
        QFETCH(bool, si);
        {
            Esecuzione prima(m_cartella.path());
            prima.q.setCampoGenerale(0, QStringLiteral("Società da ritrovare"));
            prima.q.setBox(5, Casella::NA, true);
            prima.recupero.scriviSubito();
            // The run ends without a word: a crash.
        }
        const QString percorso = m_cartella.filePath(QStringLiteral("recupero-tradizionale.xml"));
        {
            QFile copia(percorso);
            QVERIFY(copia.open(QIODevice::ReadWrite));
            QVERIFY(copia.setFileTime(QDateTime(QDate(2026, 12, 6), QTime(14, 32, 50)),
                                      QFileDevice::FileModificationTime));
        }
        Esecuzione dopo(m_cartella.path());
        dopo.finta.risposteMessaggi.enqueue(si ? Interazione::Esito::Si : Interazione::Esito::No);
        dopo.recupero.offriRipristino();

        QCOMPARE(dopo.finta.messaggi.size(), 1);
        QCOMPARE(
            dopo.finta.messaggi[0].testo,
            QStringLiteral("È stata trovata una copia di recupero del questionario, salvata il 06/12/2026 "
                           "alle 14:32. Si desidera ripristinarla?"));
        QCOMPARE(dopo.finta.messaggi[0].titolo, titoloApplicazione());
        QCOMPARE(dopo.finta.messaggi[0].pulsanti, Interazione::Pulsanti::SiNo);
        QCOMPARE(dopo.finta.messaggi[0].icona, Interazione::Icona::Domanda);
        QCOMPARE(dopo.finta.chiamate(QStringLiteral("titolo")), QStringList());
        QCOMPARE(dopo.q.campoGenerale(0), si ? QStringLiteral("Società da ritrovare") : QString());
        QCOMPARE(dopo.q.risposta(5), si ? Risposta::NA : Risposta::Nessuna);
        QCOMPARE(dopo.c.stato().flagSalvato(), !si);
        QCOMPARE(dopo.c.stato().leggiDisponibile(), !si);
        QCOMPARE(QFile::exists(percorso), si);
        // Reading the copy is no edit of its own: nothing is waiting to be written.
        QVERIFY(!dopo.recupero.inAttesa());

        Esecuzione ancora(m_cartella.path());
        ancora.recupero.offriRipristino();
        QCOMPARE(ancora.finta.messaggi.size(), si ? 1 : 0);
    }

    // The note window's text, before "Fine", goes into the copy as "Fine" would store it, and only there.
    void notaInCorso_data()
    {
        QTest::addColumn<int>("indice");
        QTest::addColumn<int>("riga");
        QTest::newRow("note of question 0, Si ticked") << 0 << -1;
        QTest::newRow("requirements of member 2") << -1 << 1;
    }
    void notaInCorso()
    {
        QFETCH(int, indice);
        QFETCH(int, riga);
        Esecuzione e(m_cartella.path());
        {
            const Questionario::Caricamento caricamento(e.q);
            e.q.setBox(0, Casella::SI, true);
        }
        const QString testo = QStringLiteral("Scritto a metà\r\nseconda riga");
        e.recupero.setFonteNotaInCorso([&]() {
            return std::optional(CopiaRecupero::NotaInCorso{indice, riga, testo});
        });
        e.recupero.notaInCorsoCambiata();
        QCoreApplication::processEvents();
        QCOMPARE(e.scritte.size(), 1);

        const Letto letto(e.recupero.percorso());
        if (riga < 0) {
            QCOMPARE(letto.q.notaSI(0), testo);
            QVERIFY(letto.q.segnoNota(0));
            QCOMPARE(e.q.notaSI(0), QString());
            QVERIFY(!e.q.segnoNota(0));
        } else {
            QCOMPARE(letto.q.membri().requisiti(riga), testo);
            QCOMPARE(e.q.membri().requisiti(riga), QString());
            QCOMPARE(e.q.membri().cella(riga, e.q.membri().layout().colonnaRequisiti), QString());
        }
        // Putting the note in and taking it out is no edit.
        QVERIFY(!e.recupero.inAttesa());
    }
};

QTEST_GUILESS_MAIN(TestCopiaRecupero)
#include "tst_copiarecupero.moc"
