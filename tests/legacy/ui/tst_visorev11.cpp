// The read-only viewer of version 1.1 files: what it shows, that nothing changes it, its notes and its
// closing.
#include "legacy/ui/finestranotav11.h"
#include "legacy/ui/visorev11.h"
#include "modelli/posizionifile.h"
#include "support/interazionefinta.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

namespace {

const QString titoloV11 = QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 1.1 - ");
const QString aggiungi = QStringLiteral("aggiungi|Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0");

class IconaFinta : public IconaNotifica
{
public:
    QStringList chiamate;
    bool aggiungiIcona(const QString& suggerimento) override
    {
        chiamate.append(QStringLiteral("aggiungi|") + suggerimento);
        return true;
    }
    void rimuoviIcona() override { chiamate.append(QStringLiteral("rimuovi")); }
};

ContenutoV11 esempio()
{
    ContenutoV11 c;
    c.campiGenerali[0] = QStringLiteral("Ombrisa Industrie S.p.A.");
    c.campiGenerali[8] = QStringLiteral("Mario Rossi");
    c.minoranze[2] = true;
    c.conteggi[1] = QStringLiteral("7");
    c.risposte[3] = Risposta::SI;
    c.segniNota[3] = true;
    c.noteSIV11[3] = QStringLiteral("nota del gruppo 3");
    c.risposte[6] = Risposta::NA;
    c.segniNota[6] = true; // a note that came with N/A: marked, not kept
    c.risposte[16] = Risposta::NA;
    c.risposte[48] = Risposta::NO;
    return c;
}

// The viewer lives on the heap: its close box deletes it.
struct Banco
{
    InterazioneFinta finta;
    IconaFinta* icona = new IconaFinta;
    QPointer<VisoreV11> visore = new VisoreV11(std::unique_ptr<IconaNotifica>(icona), &finta);

    Banco()
    {
        visore->apri(esempio(), cartellaProgramma() + QStringLiteral("/vecchia.xml"));
        QVERIFY(QTest::qWaitForWindowExposed(visore));
    }
    ~Banco() { delete visore; }

    template <typename T = QWidget> T* trova(const QString& nome) const
    {
        return visore->findChild<T*>(nome);
    }
    bool rossa(int gruppo) const
    {
        const QLabel* nota = trova<QLabel>(QStringLiteral("Label_NOTA_%1").arg(gruppo));
        return nota->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
    }
    void clicNota(int gruppo)
    {
        visore->schede()->setCurrentIndex(catalogoV11().domande[gruppo].pagina);
        QTest::mouseClick(trova<QLabel>(QStringLiteral("Label_NOTA_%1").arg(gruppo)), Qt::LeftButton);
    }
};

} // namespace

class TestVisoreV11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aspetto();
    void nienteCambiaIlContenuto();
    void note();
    void chiusura_data();
    void chiusura();
    void stampaEIcona();
};

void TestVisoreV11::aspetto()
{
    Banco b;
    VisoreV11& v = *b.visore;
    QCOMPARE(v.objectName(), QStringLiteral("Main"));
    QCOMPARE(v.windowTitle(), titoloV11 + QStringLiteral("vecchia.xml"));
    QCOMPARE(b.icona->chiamate, QStringList{aggiungi});
    QVERIFY(v.flagSalvato());
    QCOMPARE(v.schede()->objectName(), QStringLiteral("MySSTab"));
    QCOMPARE(v.schede()->currentIndex(), 0);

    QStringList pagine;
    for (int p = 0; p < v.schede()->count(); ++p) {
        const auto* riquadro = b.trova<QGroupBox>(QStringLiteral("RIQUADRO_PAGINA_%1").arg(p));
        pagine << v.schede()->tabText(p) + (riquadro ? u'|' + riquadro->title() : QString());
    }
    QCOMPARE(pagine, (QStringList{"Dati Generali", "Riquadro I [1/2]|Riquadro I [1/2] - OMBRISA",
                                  "Riquadro I [2/2]|Riquadro I [2/2] - OMBRISA",
                                  "Riquadro II|Riquadro II - ADESIONE AL CODICE DI AUTODISCIPLINA",
                                  "Riquadro III [1/2]|Riquadro III [1/2] - RELAZIONE PER L'ASSEMBLEA",
                                  "Riquadro III [2/2]|Riquadro III [2/2] - RELAZIONE PER L'ASSEMBLEA"}));
    QStringList testi;
    for (const char* nome : {"LABEL_RELAZIONE", "LABEL_MEMBRO_0", "LABEL_MEMBRI_1", "Label_NOTA_48"})
        testi << b.trova<QLabel>(QLatin1String(nome))->text();
    QCOMPARE(testi, (QStringList{"La relazione contiene:", "Pres.", "Membri effettivi del collegio sindacale",
                                 "Nota 10.a"}));
    for (const char* assente :
         {"Check_SI_34", "Check_SI_72", "Label_NOTA_77", "Check_SI_79", "LABEL_RIQUADRO_74"})
        QVERIFY2(!b.trova(QLatin1String(assente)), assente);

    // The content as given.
    QCOMPARE(b.trova<QLineEdit>("TEXT_GENERALE_0")->text(), QStringLiteral("Ombrisa Industrie S.p.A."));
    QCOMPARE(b.trova<QLineEdit>("TEXT_GENERALE_8")->text(), QStringLiteral("Mario Rossi"));
    QCOMPARE(b.trova<QLineEdit>("TEXT_1")->text(), QStringLiteral("7"));
    for (const char* spunta : {"CHECK_MINORANZE_2", "Check_SI_3", "Check_NA_16", "Check_NO_48"})
        QVERIFY2(b.trova<QCheckBox>(QLatin1String(spunta))->isChecked(), spunta);
    QVERIFY(!b.trova<QCheckBox>("Check_NO_3")->isChecked());
    QVERIFY(b.rossa(3) && b.rossa(6) && !b.rossa(0));

    QPushButton* stampa = v.pulsante(VisoreV11::Stampa);
    QPushButton* esci = v.pulsante(VisoreV11::Esci);
    QCOMPARE(stampa->objectName() + stampa->text(), QStringLiteral("Command_Function_0Stampa"));
    QCOMPARE(esci->objectName() + esci->text(), QStringLiteral("Command_Function_4Esci"));
    QVERIFY(stampa->geometry().right() < esci->geometry().left() && stampa->width() > esci->width());
    QStringList menu;
    for (const QAction* a : v.menuIcona()->actions())
        menu << a->objectName() + u'|' + a->text();
    QCOMPARE(menu, (QStringList{"MENU_RIPRISTINA|Ripristina", "MENU_SEP|", "MENU_STAMPA|Stampa",
                                "MENU_ESCI|Esci"}));
}

void TestVisoreV11::nienteCambiaIlContenuto()
{
    Banco b;
    // Every field's text and every box's tick, as the screen shows them.
    const auto schermo = [&] {
        QStringList stato;
        for (const QLineEdit* campo : b.visore->findChildren<QLineEdit*>())
            stato << campo->objectName() + u'=' + campo->text();
        for (const QCheckBox* box : b.visore->findChildren<QCheckBox*>())
            stato << box->objectName() + u'=' + QString::number(box->isChecked());
        return stato;
    };
    const QStringList prima = schermo();
    for (const char* nome : {"Check_SI_4", "Check_SI_3", "Check_NA_16", "Check_NO_48", "CHECK_MINORANZE_0"}) {
        auto* box = b.trova<QCheckBox>(QLatin1String(nome));
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_Space);
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("incollato"));
    for (const char* nome : {"TEXT_GENERALE_0", "TEXT_GENERALE_8", "TEXT_GENERALE_12", "TEXT_1"}) {
        auto* campo = b.trova<QLineEdit>(QLatin1String(nome));
        QTest::keyClicks(campo, QStringLiteral("xyz"));
        for (Qt::Key tasto : {Qt::Key_Backspace, Qt::Key_Delete})
            QTest::keyClick(campo, tasto);
        for (Qt::Key tasto : {Qt::Key_V, Qt::Key_X})
            QTest::keyClick(campo, tasto, Qt::ControlModifier);
    }
    QCOMPARE(schermo(), prima);
    QVERIFY(b.visore->contenuto() == esempio());

    // Locked, not disabled: the text can still be selected and copied.
    auto* nome = b.trova<QLineEdit>("TEXT_GENERALE_0");
    QTest::keyClick(nome, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(nome, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Ombrisa Industrie S.p.A."));
}

void TestVisoreV11::note()
{
    Banco b;
    QStringList titoli, testi;
    QString daScrivere;
    b.finta.editorNota = [&](int gruppo) {
        FinestraNotaV11* nota = b.visore->finestraNota();
        nota->prepara(gruppo);
        titoli << nota->windowTitle();
        testi << nota->testo();
        nota->casellaTesto()->setPlainText(daScrivere);
        nota->fine();
    };
    QCOMPARE(b.visore->finestraNota()->objectName(), QStringLiteral("Nota"));

    // 16 has N/A where only "Si" would open it, 49 no answer: nothing opens, but the click counts.
    b.clicNota(16);
    b.clicNota(49);
    QVERIFY(b.finta.chiamate(QStringLiteral("nota")).isEmpty());
    QVERIFY(!b.visore->flagSalvato());
    QCOMPARE(b.visore->indiceNota(), 49);

    daScrivere = QStringLiteral("riga uno\nriga due");
    b.clicNota(48); // No ticked: the other slot
    QVERIFY(b.rossa(48));
    QCOMPARE(b.visore->contenuto().noteAltreV11[48], QStringLiteral("riga uno\r\nriga due"));
    daScrivere = QStringLiteral("  \n ");
    b.clicNota(3); // blanks only: no note, and the answer stays
    QVERIFY(!b.rossa(3));
    QCOMPARE(b.visore->contenuto().noteSIV11[3], QString());
    QVERIFY(b.trova<QCheckBox>("Check_SI_3")->isChecked());
    b.clicNota(6); // red with N/A: the other slot, empty
    QCOMPARE(b.finta.chiamate(QStringLiteral("nota")), (QStringList{"nota|48", "nota|3", "nota|6"}));
    QCOMPARE(titoli, (QStringList{"Nota 10.a - Testo associato", "Nota 1.d - Testo associato",
                                  "Nota 1.e - Testo associato"}));
    QCOMPARE(testi, (QStringList{"", "nota del gruppo 3", ""}));

    // The length limit of the model note windows, with its message.
    FinestraNotaV11* nota = b.visore->finestraNota();
    nota->prepara(48);
    nota->casellaTesto()->setPlainText(QString(70000, u'x'));
    QCOMPARE(nota->testo().size(), 65000);
    QCOMPARE(b.finta.chiamate(QStringLiteral("messaggio")).size(), 1);
    QCOMPARE(b.finta.messaggi.first().titolo, QStringLiteral("Warning"));
    // "Cancella" empties the slot being edited; the label waits for "Fine".
    QTest::mouseClick(nota->findChild<QPushButton*>(QStringLiteral("Delete_Note")), Qt::LeftButton);
    QCOMPARE(b.visore->contenuto().noteAltreV11[48], QString());
    QVERIFY(b.rossa(48));
}

void TestVisoreV11::chiusura_data()
{
    QTest::addColumn<QString>("come");
    QTest::newRow("pulsante Esci") << "Command_Function_4";
    QTest::newRow("menu Esci") << "MENU_ESCI";
    QTest::newRow("casella di chiusura") << "";
}

void TestVisoreV11::chiusura()
{
    QFETCH(QString, come);
    Banco b;
    QSignalSpy chiuso(b.visore.data(), &VisoreV11::chiuso);
    if (come.isEmpty())
        b.visore->close();
    else if (auto* pulsante = b.trova<QPushButton>(come))
        QTest::mouseClick(pulsante, Qt::LeftButton);
    else
        b.trova<QAction>(come)->trigger();
    QCOMPARE(chiuso.size(), 1);
    QCOMPARE(b.icona->chiamate.last(), QStringLiteral("rimuovi"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (come.isEmpty()) {
        QVERIFY(!b.visore); // the close box destroys it
        return;
    }
    // "Esci" hides it for the next file, which adds the tray icon again.
    QVERIFY(b.visore && !b.visore->isVisible());
    b.visore->apri(esempio(), QStringLiteral("/altrove/nuova.xml"));
    QVERIFY(b.visore->isVisible());
    QCOMPARE(b.visore->windowTitle(), titoloV11 + QStringLiteral("/altrove/nuova.xml"));
    QCOMPARE(b.icona->chiamate.last(), aggiungi);
}

void TestVisoreV11::stampaEIcona()
{
    Banco b;
    QSignalSpy stampa(b.visore.data(), &VisoreV11::stampaRichiesta);
    QTest::mouseClick(b.visore->pulsante(VisoreV11::Stampa), Qt::LeftButton);
    b.trova<QAction>("MENU_STAMPA")->trigger();
    QCOMPARE(stampa.size(), 2);

    // Minimised, the viewer hides to its tray icon; "Ripristina" brings it back.
    b.visore->showMinimized();
    QCoreApplication::processEvents();
    QVERIFY(!b.visore->isVisible());
    b.trova<QAction>("MENU_RIPRISTINA")->trigger();
    QVERIFY(b.visore->isVisible() && !b.visore->isMinimized());
}

QTEST_MAIN(TestVisoreV11)
#include "tst_visorev11.moc"
