// "Stampa" of the version 1.1 viewer, from "Leggi" of the traditional window to the printer that the
// window's scripted port gives.
#include "app/collegamentov11.h"
#include "app/finestramodello.h"
#include "stampa/superficieregistrazione.h"
#include "support/interazionefinta.h"
#include "support/tracciastampa.h"

#include <QPushButton>
#include <QTest>

class TestCollegamentoV11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stampaDalVisore()
    {
        InterazioneFinta finta;
        FinestraModello finestra(Modello::Tradizionale, nullptr, &finta);
        finta.fileDaAprire.enqueue(QStringLiteral(DATI_TEST "/v11/completo.xml"));
        finestra.apriFile();
        VisoreV11* visore = finestra.collegamentoV11()->visore();
        QVERIFY(visore && visore->isVisible());
        SuperficieRegistrazione stampante;
        finta.stampante = &stampante;
        finta.registro.clear();
        QTest::mouseClick(visore->pulsante(VisoreV11::Stampa), Qt::LeftButton);

        QVERIFY(visore->windowTitle().startsWith("Tamrel - Scheda riepilogativa dell'Ombrisa v. 1.1 - "));
        QCOMPARE(finta.registro, QStringList{"stampa|" + visore->windowTitle()});
        // The file's content over the four numbered pages (page 2 runs over two) and the notes page.
        const QStringList t = tracciaStampa(stampante);
        QVERIFY(t.contains("153.80 25.00 10|Ombrisa Industrie S.p.A."));
        QCOMPARE(t.filter("|Pagina ").size(), 5);
        QCOMPARE(tracciaDa(t, "Nota 1.a", 2).last(),
                 "0.00 16.20 10|Cessione di un ramo d'azienda per 3 milioni di €.");
        QCOMPARE(t.last(), "fine");
    }
};

QTEST_MAIN(TestCollegamentoV11)
#include "tst_collegamentov11.moc"
