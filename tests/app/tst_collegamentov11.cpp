// "Stampa" of the version 1.1 viewer, from "Leggi" of the traditional window to the printer that the
// window's scripted port gives.
#include "app/collegamentov11.h"
#include "app/finestramodello.h"
#include "stampa/superficieregistrazione.h"
#include "support/interazionefinta.h"
#include "support/tracciastampa.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

namespace {

class IconaMuta : public IconaNotifica
{
public:
    bool aggiungiIcona(const QString&) override { return true; }
    void rimuoviIcona() override {}
};

} // namespace

class TestCollegamentoV11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stampaDalVisore_data()
    {
        QTest::addColumn<bool>("dalMenu");
        QTest::newRow("button") << false;
        QTest::newRow("tray menu") << true;
    }
    void stampaDalVisore()
    {
        QFETCH(bool, dalMenu);
        InterazioneFinta finta;
        FinestraModello finestra(Modello::Tradizionale, std::make_unique<IconaMuta>(), &finta);
        finta.questionario = &finestra.questionario();
        finta.fileDaAprire.enqueue(QStringLiteral(DATI_TEST "/v11/completo.xml"));
        finestra.apriFile();
        VisoreV11* visore = finestra.collegamentoV11()->visore();
        QVERIFY(visore && visore->isVisible());

        SuperficieRegistrazione stampante;
        finta.stampante = &stampante;
        finta.registro.clear();
        if (dalMenu)
            visore->azione(VisoreV11::Stampa)->trigger();
        else
            QTest::mouseClick(visore->pulsante(VisoreV11::Stampa), Qt::LeftButton);

        QVERIFY(visore->windowTitle().startsWith("Tamrel - Scheda riepilogativa dell'Ombrisa v. 1.1 - "));
        QCOMPARE(finta.registro, QStringList{"stampa|" + visore->windowTitle()});
        // The file's content, on the four numbered pages (page 2 runs over two) and the notes page.
        const QStringList t = tracciaStampa(stampante);
        QCOMPARE(tracciaDa(t, "Denominazione della società", 3).last(),
                 "153.80 25.00 10|Ombrisa Industrie S.p.A.");
        QCOMPARE(t.filter("|Pagina "),
                 (QStringList{"159.00 15.00 10|Pagina 1 di 4 pagine", "159.00 5.00 10|Pagina 2 di 4 pagine",
                              "159.00 5.00 10|Pagina 2 di 4 pagine", "159.00 5.00 10|Pagina 3 di 4 pagine",
                              "159.00 5.00 10|Pagina 4 di 4 pagine"}));
        QCOMPARE(tracciaDa(t, "Nota 1.a", 2),
                 (QStringList{"5.00 12.00 10g|Nota 1.a",
                              "0.00 16.20 10|Cessione di un ramo d'azienda per 3 milioni di €."}));
        QCOMPARE(t.last(), "fine");
    }
};

QTEST_MAIN(TestCollegamentoV11)
#include "tst_collegamentov11.moc"
