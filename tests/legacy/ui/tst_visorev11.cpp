// The read-only viewer of version 1.1 files: what it shows, that nothing changes it, its notes, its closing,
// its "Stampa" from "Leggi" of the traditional window.
#include "app/collegamentov11.h"
#include "app/finestramodello.h"
#include "legacy/letturav11.h"
#include "legacy/ui/finestranotav11.h"
#include "legacy/ui/visorev11.h"
#include "modelli/posizionifile.h"
#include "stampa/superficieregistrazione.h"
#include "support/interazionefinta.h"
#include "support/tracciastampa.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QString titoloV11 = "Tamrel - Scheda riepilogativa dell'Ombrisa v. 1.1 - ";
const QString aggiungi = "aggiungi|Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0";

// Records the calls; the icon is always there.
struct IconaFinta : IconaNotifica
{
    QStringList chiamate;
    bool aggiungiIcona(const QString& testo) override { return chiamate << "aggiungi|" + testo, true; }
    void rimuoviIcona() override { chiamate << "rimuovi"; }
};

// As read from a file: 6 had a note with N/A, which marks its label but is not kept.
const QByteArray file =
    "<?xml version=\"1.0\"?>\n<S>\n\n0 - Ombrisa Industrie S.p.A.\n8 - Mario Rossi\nCHECK-21\n"
    "TEXT-1 7\nQUESTIONARIO\n3 - Si - nota del gruppo 3#||#\n6 - N/A - x#||#\n16 - N/A - \n48 - No - \n";

// The viewer lives on the heap: its close box deletes it.
struct Banco
{
    InterazioneFinta finta;
    IconaFinta* icona = new IconaFinta;
    QPointer<VisoreV11> visore = new VisoreV11(std::unique_ptr<IconaNotifica>(icona), &finta);
    const ContenutoV11 esempio = analizzaV11(file, {}).contenuto;

    Banco()
    {
        visore->apri(esempio, cartellaProgramma() + "/vecchia.xml");
        QVERIFY(QTest::qWaitForWindowExposed(visore));
    }
    ~Banco() { delete visore; }

    template <typename T> T* trova(const QString& nome) const { return visore->findChild<T*>(nome); }
    QLabel* nota(int gruppo) const { return trova<QLabel>(QString("Label_NOTA_%1").arg(gruppo)); }
    bool rossa(int g) const { return nota(g)->palette().color(QPalette::WindowText) == QColor(255, 0, 0); }
    // Every field's text, every box's tick and every red note label, as the screen shows them; sorted.
    QStringList schermo() const
    {
        QStringList stato;
        for (const QLineEdit* campo : visore->findChildren<QLineEdit*>())
            stato << campo->objectName() + '=' + campo->text();
        for (const QCheckBox* box : visore->findChildren<QCheckBox*>())
            stato << box->objectName() + '=' + (box->isChecked() ? "1" : "");
        for (int g = 0; g < numeroGruppiV11; ++g)
            stato << QString("Label_NOTA_%1=").arg(g) + (rossa(g) ? "rossa" : "");
        stato.sort();
        return stato;
    }
};

} // namespace

class TestVisoreV11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aspettoESolaLettura()
    {
        Banco b;
        VisoreV11& v = *b.visore;
        QVERIFY(b.icona->chiamate == QStringList{aggiungi} && v.flagSalvato() && !v.schede()->currentIndex());
        QStringList testi{v.objectName(), v.schede()->objectName(), v.windowTitle()};
        for (int p = 0; p < v.schede()->count(); ++p)
            testi << v.schede()->tabText(p) + '|' +
                         (p ? b.trova<QGroupBox>(QString("RIQUADRO_PAGINA_%1").arg(p))->title() : "");
        for (const char* nome : {"LABEL_RELAZIONE", "LABEL_MEMBRO_0", "LABEL_MEMBRI_1", "Command_Function_0",
                                 "Command_Function_4"})
            testi << b.trova<QWidget>(nome)->property("text").toString();
        for (const QAction* a : v.menuIcona()->actions()) // the tray menu, in its order
            testi << a->text();
        QCOMPARE(testi,
                 (QStringList{"Main", "MySSTab", titoloV11 + "vecchia.xml", "Dati Generali|",
                              "Riquadro I [1/2]|Riquadro I [1/2] - OMBRISA",
                              "Riquadro I [2/2]|Riquadro I [2/2] - OMBRISA",
                              "Riquadro II|Riquadro II - ADESIONE AL CODICE DI AUTODISCIPLINA",
                              "Riquadro III [1/2]|Riquadro III [1/2] - RELAZIONE PER L'ASSEMBLEA",
                              "Riquadro III [2/2]|Riquadro III [2/2] - RELAZIONE PER L'ASSEMBLEA",
                              "La relazione contiene:", "Pres.", "Membri effettivi del collegio sindacale",
                              "Stampa", "Esci", "Ripristina", "", "Stampa", "Esci"}));
        const QRect s = v.pulsante(v.Stampa)->geometry(), e = v.pulsante(v.Esci)->geometry();
        QVERIFY(s.right() < e.left() && s.width() > e.width());
        // As given, nothing more, no boxes for counts or 72 to 81; nothing the user does changes it.
        const QStringList prima = b.schermo();
        QVERIFY(prima.filter(QRegularExpression("^Check_.._(34|38|40|7[2-9]|8[01])=")).isEmpty());
        QCOMPARE(prima.filter(QRegularExpression("=.")),
                 (QStringList{"CHECK_MINORANZE_2=1", "Check_NA_16=1", "Check_NA_6=1", "Check_NO_48=1",
                              "Check_SI_3=1", "Label_NOTA_3=rossa", "Label_NOTA_6=rossa", "TEXT_1=7",
                              "TEXT_GENERALE_0=Ombrisa Industrie S.p.A.", "TEXT_GENERALE_8=Mario Rossi"}));
        for (auto n : {"Check_SI_4", "Check_SI_3", "Check_NA_16", "Check_NO_48", "CHECK_MINORANZE_0"}) {
            QTest::mouseClick(b.trova<QCheckBox>(n), Qt::LeftButton);
            QCOMPARE(b.schermo(), prima); // before a second toggle could hide the first
            QTest::keyClick(b.trova<QCheckBox>(n), Qt::Key_Space);
        }
        QGuiApplication::clipboard()->setText("incollato");
        for (const char* nome : {"TEXT_GENERALE_0", "TEXT_GENERALE_8", "TEXT_GENERALE_12", "TEXT_1"})
            for (const char* tasti : {"X", "Backspace", "Del", "Ctrl+V", "Ctrl+X"})
                QTest::keySequence(b.trova<QLineEdit>(nome), QKeySequence(tasti));
        QVERIFY(b.schermo() == prima && v.contenuto() == b.esempio);
        QVERIFY(b.trova<QLineEdit>("TEXT_GENERALE_0")->isEnabled()); // locked, not disabled: it can be copied
        // A screen reader hears the question a box answers and whether a group has a note.
        QCOMPARE(QStringList({b.trova<QCheckBox>("Check_NA_16")->accessibleName(),
                              b.nota(3)->accessibleDescription(), b.nota(4)->accessibleDescription()}),
                 QStringList({"N/A: " + catalogoV11().domande[16].testo, "Nota presente", "Nessuna nota"}));
        // Minimised, the viewer hides to its tray icon; "Ripristina" brings it back.
        v.showMinimized();
        QCoreApplication::processEvents();
        QVERIFY(!v.isVisible());
        b.trova<QAction>("MENU_RIPRISTINA")->trigger();
        QVERIFY(v.isVisible() && !v.isMinimized());
    }

    void note()
    {
        Banco b;
        QStringList aperte, daScrivere{"riga uno\nriga due", "  \n ", ""}; // caption and text shown; typed
        FinestraNotaV11* nota = b.visore->finestraNota();
        b.finta.editorNota = [&](int gruppo) {
            nota->prepara(gruppo);
            aperte << nota->windowTitle() + '|' + nota->testo();
            nota->casellaTesto()->setPlainText(daScrivere.takeFirst());
            nota->fine();
        };
        // 48 No: the other slot; 3 blanks only: no note, the answer stays; 6 red with N/A: the other slot; 16
        // has N/A where only "Si" would open it: nothing opens, but the click counts.
        for (int gruppo : {48, 3, 6, 16}) {
            b.visore->schede()->setCurrentIndex(catalogoV11().domande[gruppo].pagina);
            QTest::mouseClick(b.nota(gruppo), Qt::LeftButton);
        }
        QVERIFY(!b.visore->flagSalvato() && b.visore->indiceNota() == 16);
        QCOMPARE(aperte,
                 (QStringList{"Nota 10.a - Testo associato|", "Nota 1.d - Testo associato|nota del gruppo 3",
                              "Nota 1.e - Testo associato|"}));
        QCOMPARE(b.schermo().filter(QRegularExpression("^(Check|Label).*=.")),
                 (QStringList{"Check_NA_16=1", "Check_NA_6=1", "Check_NO_48=1", "Check_SI_3=1",
                              "Label_NOTA_48=rossa"}));
        const ContenutoV11& c = b.visore->contenuto();
        QCOMPARE(c.noteAltreV11[48] + '|' + c.noteSIV11[3], "riga uno\r\nriga due|");
        // The note length limit with its message; "Cancella" empties the slot, the label waits for "Fine".
        nota->prepara(48);
        nota->casellaTesto()->setPlainText(QString(70000, u'x'));
        QVERIFY(nota->testo().size() == 65000 && b.finta.messaggi.size() == 1 &&
                b.finta.messaggi[0].titolo == "Warning");
        QTest::mouseClick(nota->findChild<QPushButton*>("Delete_Note"), Qt::LeftButton);
        QVERIFY(c.noteAltreV11[48].isEmpty() && b.rossa(48));
    }

    void chiusura()
    {
        // "Esci" (button or tray menu) hides it, a new file shows it again; the close box destroys it.
        Banco b;
        QSignalSpy spia(b.visore.data(), &VisoreV11::chiuso);
        const auto uscito = [&](int n) { return spia.size() == n && b.icona->chiamate.last() == "rimuovi"; };
        QTest::mouseClick(b.visore->pulsante(VisoreV11::Esci), Qt::LeftButton);
        QVERIFY(uscito(1) && !b.visore->isVisible());
        b.visore->apri(b.esempio, "/altrove/nuova.xml");
        QVERIFY(b.visore->isVisible() && b.icona->chiamate.last() == aggiungi);
        QCOMPARE(b.visore->windowTitle(), titoloV11 + "/altrove/nuova.xml"); // outside the program folder
        b.trova<QAction>("MENU_ESCI")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(uscito(2) && b.visore && !b.visore->isVisible());
        QVERIFY(b.visore->close() && uscito(3));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!b.visore); // and with it the icon
    }

    void stampaDallaFinestra()
    {
        // Opened by "Leggi" of the traditional window, it prints by button and tray menu through that port.
        InterazioneFinta finta;
        FinestraModello finestra(Modello::Tradizionale, nullptr, &finta);
        finta.fileDaAprire.enqueue(DATI_TEST "/v11/completo.xml");
        finestra.apriFile();
        VisoreV11* visore = finestra.collegamentoV11()->visore();
        QVERIFY(visore && visore->isVisible() && visore->windowTitle().startsWith(titoloV11));
        SuperficieRegistrazione stampante;
        finta.stampante = &stampante;
        QTest::mouseClick(visore->pulsante(VisoreV11::Stampa), Qt::LeftButton);
        visore->findChild<QAction*>("MENU_STAMPA")->trigger();
        QCOMPARE(finta.chiamate("stampa"), QStringList(2, "stampa|" + visore->windowTitle()));
        QVERIFY(tracciaStampa(stampante).contains("153.80 25.00 10|Ombrisa Industrie S.p.A."));
    }
};

QTEST_MAIN(TestVisoreV11)
#include "tst_visorev11.moc"
