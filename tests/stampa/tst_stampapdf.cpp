// The report through the real surface into PDF files, read back with pdftotext.
#include "questionario/questionario.h"
#include "stampa/grafica/stampapdf.h"
#include "stampa/grafica/superficiepittore.h"
#include "stampa/stampaquestionario.h"
#include "support/interazionefinta.h"
#include "support/questionariocompleto.h"

#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestStampaPdf : public QObject
{
    Q_OBJECT

    InterazioneFinta m_finta;

private Q_SLOTS:
    void perModello_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<bool>("riquadroII");
        for (Modello m : tuttiIModelli)
            QTest::newRow(qPrintable(nomeModello(m))) << m << (m == Modello::Tradizionale);
    }
    void perModello()
    {
        QFETCH(Modello, modello);
        QFETCH(bool, riquadroII);
        if (QString(PDFTOTEXT).isEmpty())
            QFAIL("pdftotext non trovato: installare poppler-utils (scripts/installa-dipendenze.sh)");
        Questionario q(modello, m_finta);
        compilaCompleto(q);
        {
            const Questionario::Caricamento caricamento(q);
            q.setNotaSI(11, "Nessuna denuncia è pervenuta.\r\nSecondo paragrafo.");
        }
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath("scheda.pdf");
        QString errore;
        QVERIFY2(stampaSuPdf([&](SuperficieStampa& s) { return stampaQuestionario(q, s); },
                             q.profilo().titoloFinestra, percorso, &errore),
                 qPrintable(errore));
        QProcess pdftotext;
        pdftotext.start(PDFTOTEXT, {percorso, "-"});
        QVERIFY(pdftotext.waitForFinished() && pdftotext.exitCode() == 0);
        const QString testo = QString::fromUtf8(pdftotext.readAllStandardOutput());
        const QStringList pagine = testo.split(u'\f');
        const QStringList attesi{"TAMREL - SCHEDA RIEPILOGATIVA DELL'OMBRISA v. 2.0",
                                 "MODELLO " + nomeModello(modello).toUpper(),
                                 "DATI GENERALI",
                                 "Alfa S.p.A.",
                                 "Anna Neri",
                                 "NRENNA70A41F205X",
                                 "Riquadro I - Ombrisa",
                                 "Riquadro III - Relazione per l'assemblea",
                                 "Note",
                                 "Nota 3.a",
                                 "Nessuna denuncia è pervenuta.",
                                 "Secondo paragrafo."};
        for (const QString& atteso : attesi)
            QVERIFY2(testo.contains(atteso), qPrintable(atteso));
        QCOMPARE(testo.contains("Riquadro II - Adesione al codice di autodisciplina"), riquadroII);
        QVERIFY(!pagine.at(0).contains("Pagina"));
        QVERIFY(pagine.at(1).contains("Pagina 2"));
        QVERIFY(pagine.at(2).contains("Pagina 3"));
    }

    void cartellaMancante()
    {
        QTemporaryDir cartella;
        const QString percorso = cartella.filePath("manca/scheda.pdf");
        QString errore;
        Questionario vuoto(Modello::Tradizionale, m_finta);
        QVERIFY(!stampaSuPdf([&](SuperficieStampa& s) { return stampaQuestionario(vuoto, s); }, QString(),
                             percorso, &errore));
        QVERIFY(!errore.isEmpty());
        QVERIFY(!QFile::exists(percorso));
    }

    void dispositivoPieno()
    {
        // A write error of the file the device writes to stops the run.
        QFile pieno("/dev/full");
        if (!pieno.open(QIODevice::WriteOnly))
            QSKIP("/dev/full non disponibile");
        Questionario q(Modello::Tradizionale, m_finta);
        compilaCompleto(q);
        QPdfWriter pdf(&pieno);
        SuperficiePittore superficie(pdf, &pieno);
        QVERIFY(!stampaQuestionario(q, superficie));
    }
};

QTEST_MAIN(TestStampaPdf)
#include "tst_stampapdf.moc"
