#include "app/finestramodello.h"
#include "app/iconanotificaqt.h"
#include "modelli/posizionifile.h"
#include "support/interazionefinta.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Modello)
Q_DECLARE_METATYPE(QSystemTrayIcon::ActivationReason)

namespace {

class IconaFinta : public IconaNotifica
{
public:
    explicit IconaFinta(bool disponibile = true) : m_disponibile(disponibile) {}
    QStringList chiamate;
    bool aggiungiIcona(const QString& suggerimento) override
    {
        chiamate.append(QStringLiteral("aggiungi|") + suggerimento);
        return m_disponibile;
    }
    void rimuoviIcona() override { chiamate.append(QStringLiteral("rimuovi")); }

private:
    bool m_disponibile;
};

struct Finestra
{
    IconaFinta* icona;
    FinestraModello finestra;

    explicit Finestra(Modello modello, bool trayDisponibile = true)
        : icona(new IconaFinta(trayDisponibile)), finestra(modello, std::unique_ptr<IconaNotifica>(icona))
    {}

    template <typename T> T* trova(const QString& nome) const { return finestra.findChild<T*>(nome); }
};

void modelli()
{
    QTest::addColumn<Modello>("modello");
    for (Modello m : tuttiIModelli)
        QTest::newRow(nomeModello(m).toLatin1()) << m;
}

} // namespace

class TestFinestraModello : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagine_data() { modelli(); }
    void pagine();
    void righeDelleDomande_data() { modelli(); }
    void righeDelleDomande();
    void riquadroIISpento_data() { modelli(); }
    void riquadroIISpento();
    void comandiEMenu();
    void comandiChiamanoLeOperazioni_data();
    void comandiChiamanoLeOperazioni();
    void leggiDisabilitatoMaMenuDisponibile();
    void caricamento_data() { modelli(); }
    void caricamento();
    void caselleApplicanoLeRegole();
    void conteggiRiquadroII();
    void incollaNeiConteggi();
    void menuDallIcona();
    void attivazioneIcona_data();
    void attivazioneIcona();
    void suggerimentoTagliato();
    void minimizzaERipristina();
    void senzaAreaDiNotificaNonSiNasconde();
    void chiusuraRimuoveLIcona();
    void schedaEPaginaInsieme_data() { modelli(); }
    void schedaEPaginaInsieme();
    void tastieraAttraversoLePagine_data();
    void tastieraAttraversoLePagine();
    void salvaELeggiRipristinanoLoSchermo_data() { modelli(); }
    void salvaELeggiRipristinanoLoSchermo();
};

void TestFinestraModello::pagine()
{
    QFETCH(Modello, modello);
    Finestra f(modello);
    QTabWidget* schede = f.finestra.schede();
    QCOMPARE(schede->objectName(), QStringLiteral("MySSTab"));
    const QStringList attese{QStringLiteral("Dati Generali"),      QStringLiteral("Riquadro I [1/2]"),
                             QStringLiteral("Riquadro I [2/2]"),   QStringLiteral("Riquadro II"),
                             QStringLiteral("Riquadro III [1/2]"), QStringLiteral("Riquadro III [2/2]")};
    QCOMPARE(schede->count(), 6);
    for (int p = 0; p < 6; ++p)
        QCOMPARE(schede->tabText(p), attese[p]);
    QCOMPARE(f.trova<QLabel>(QStringLiteral("INTESTAZIONE_PAGINA_4"))->text(),
             QStringLiteral("Riquadro III [1/2] - RELAZIONE PER L'ASSEMBLEA"));
}

void TestFinestraModello::righeDelleDomande()
{
    QFETCH(Modello, modello);
    Finestra f(modello);
    const ProfiloModello& p = profilo(modello);
    for (int i = 0; i < 79; ++i) {
        const Domanda& d = p.domanda(i);
        const QString n = QString::number(i);
        auto* testo = f.trova<QLabel>(QStringLiteral("LABEL_RIQUADRO_%1").arg(numeroEtichettaDomanda(i)));
        if (!d.presente) {
            QVERIFY2(!f.trova<QCheckBox>(QStringLiteral("Check_SI_") + n), qPrintable(n));
            continue;
        }
        QVERIFY2(testo, qPrintable(n));
        // Hidden rows get no text, except 69, which keeps its own.
        QCOMPARE(testo->text(), d.testo);
        QCOMPARE(testo->isHidden(), d.nascosta);
        auto* nota = f.trova<QLabel>(QStringLiteral("Label_NOTA_") + n);
        QVERIFY2(nota, qPrintable(n));
        QCOMPARE(nota->text(), d.etichettaNota);
        QCOMPARE(nota->isHidden(), !d.etichettaNotaVisibile);
        auto* si = f.trova<QCheckBox>(QStringLiteral("Check_SI_") + n);
        if (!d.haCaselle()) {
            QVERIFY(!si);
            QVERIFY(f.trova<QLineEdit>(QStringLiteral("TEXT_%1").arg(d.campoConteggio)));
            continue;
        }
        QVERIFY2(si, qPrintable(n));
        QCOMPARE(si->text(), d.didascaliaSI);
        QCOMPARE(f.trova<QCheckBox>(QStringLiteral("Check_NO_") + n)->text(), d.didascaliaNO);
        QCOMPARE(f.trova<QCheckBox>(QStringLiteral("Check_NA_") + n) != nullptr, d.offreNA);
        QCOMPARE(si->parentWidget()->isHidden(), d.nascosta);
    }
    const QString rientro(48, u' ');
    QCOMPARE(f.trova<QLabel>(QStringLiteral("LABEL_RIQUADRO_0"))->text(),
             QStringLiteral("La società ha effettuato operazioni atipiche o inusuali con:"));
    QCOMPARE(f.trova<QLabel>(QStringLiteral("LABEL_RIQUADRO_1"))->text(),
             rientro + QStringLiteral("società infragruppo"));
    QVERIFY(f.trova<QLabel>(QStringLiteral("LABEL_RIQUADRO_5"))
                ->text()
                .startsWith(QStringLiteral("Sono state effettuate")));
}

void TestFinestraModello::riquadroIISpento()
{
    QFETCH(Modello, modello);
    Finestra f(modello);
    QTabWidget* schede = f.finestra.schede();
    const bool applicabile = modello == Modello::Tradizionale;
    QCOMPARE(schede->isTabEnabled(3), applicabile);
    QCOMPARE(f.trova<QLabel>(QStringLiteral("NON_APPLICABILE")) != nullptr, !applicabile);
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));

    // A click on the tab.
    schede->setCurrentIndex(2);
    QTabBar* barra = schede->tabBar();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(3).center());
    QCOMPARE(schede->currentIndex(), applicabile ? 3 : 2);
    // The keyboard, both ways.
    schede->setCurrentIndex(2);
    barra->setFocus();
    QTest::keyClick(barra, Qt::Key_Right);
    QCOMPARE(schede->currentIndex(), applicabile ? 3 : 4);
    schede->setCurrentIndex(4);
    QTest::keyClick(barra, Qt::Key_Left);
    QCOMPARE(schede->currentIndex(), applicabile ? 3 : 2);
    schede->setCurrentIndex(2);
    QTest::keyClick(schede, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(schede->currentIndex(), applicabile ? 3 : 4);
}

void TestFinestraModello::comandiEMenu()
{
    Finestra f(Modello::Tradizionale);
    const QStringList didascalie{QStringLiteral("Stampa"), QStringLiteral("Salva temp."),
                                 QStringLiteral("Leggi"), QStringLiteral("Genera"), QStringLiteral("Esci")};
    const QStringList azioni{QStringLiteral("MENU_STAMPA"), QStringLiteral("MENU_SALVA"),
                             QStringLiteral("MENU_LEGGI"), QStringLiteral("MENU_GENERA"),
                             QStringLiteral("MENU_ESCI")};
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    int xPrecedente = -1;
    for (int i = 0; i < 5; ++i) {
        auto* p = f.trova<QPushButton>(QStringLiteral("Command_Function_%1").arg(i));
        QVERIFY(p);
        QCOMPARE(p->text(), didascalie[i]);
        QVERIFY(p->x() > xPrecedente);
        xPrecedente = p->x();
        QVERIFY(f.finestra.findChild<QAction*>(azioni[i]));
    }
    QMenu* menu = f.finestra.menuIcona();
    QCOMPARE(menu->objectName(), QStringLiteral("MENU_HIDE"));
    QCOMPARE(menu->title(), QStringLiteral("HIDE"));
    QStringList voci;
    for (QAction* a : menu->actions())
        voci.append(a->isSeparator() ? QStringLiteral("-") : a->objectName() + u'=' + a->text());
    QCOMPARE(voci, QStringList({QStringLiteral("MENU_RIPRISTINA=Ripristina"), QStringLiteral("-"),
                                QStringLiteral("MENU_STAMPA=Stampa"),
                                QStringLiteral("MENU_SALVA=Salva Temp."), QStringLiteral("MENU_LEGGI=Leggi"),
                                QStringLiteral("MENU_GENERA=Genera"), QStringLiteral("MENU_ESCI=Esci")}));
}

void TestFinestraModello::comandiChiamanoLeOperazioni_data()
{
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<QString>("primaChiamata");
    const QString errore =
        QStringLiteral("messaggio|Errore|Verificare nel riquadro Dati Generali la denominazione "
                       "della società prima di passare alla generazione del file.");
    for (const char* via : {"Command_Function_%1", "MENU_%1"}) {
        const bool menu = QByteArray(via).startsWith("MENU");
        const QString v = QString::fromLatin1(via);
        QTest::addRow("%s stampa", menu ? "menu" : "button")
            << v.arg(menu ? QStringLiteral("STAMPA") : QStringLiteral("0")) << QString();
        QTest::addRow("%s salva", menu ? "menu" : "button")
            << v.arg(menu ? QStringLiteral("SALVA") : QStringLiteral("1"))
            << QStringLiteral("salvafile|Salva file");
        QTest::addRow("%s leggi", menu ? "menu" : "button")
            << v.arg(menu ? QStringLiteral("LEGGI") : QStringLiteral("2"))
            << QStringLiteral("aprifile|Apri file");
        QTest::addRow("%s genera", menu ? "menu" : "button")
            << v.arg(menu ? QStringLiteral("GENERA") : QStringLiteral("3")) << errore;
        QTest::addRow("%s esci", menu ? "menu" : "button")
            << v.arg(menu ? QStringLiteral("ESCI") : QStringLiteral("4")) << QStringLiteral("termina");
    }
}

void TestFinestraModello::comandiChiamanoLeOperazioni()
{
    QFETCH(QString, controllo);
    QFETCH(QString, primaChiamata);
    InterazioneFinta finta;
    FinestraModello finestra(Modello::Tradizionale, std::make_unique<IconaFinta>(), &finta);
    finta.questionario = &finestra.questionario();
    finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&finestra));
    if (auto* pulsante = finestra.findChild<QPushButton*>(controllo))
        QTest::mouseClick(pulsante, Qt::LeftButton);
    else
        finestra.findChild<QAction*>(controllo)->trigger();
    QCOMPARE(finta.registro.value(0), primaChiamata);
}

void TestFinestraModello::leggiDisabilitatoMaMenuDisponibile()
{
    Finestra f(Modello::Tradizionale);
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    auto* leggi = f.trova<QPushButton>(QStringLiteral("Command_Function_2"));
    QVERIFY(leggi->isEnabled());
    f.finestra.schede()->setCurrentIndex(1);
    QTest::mouseClick(f.trova<QCheckBox>(QStringLiteral("Check_NA_8")), Qt::LeftButton);
    QVERIFY(f.finestra.questionario().casella(8, Casella::NA));
    QVERIFY(!leggi->isEnabled());
    QAction* menuLeggi = f.finestra.findChild<QAction*>(QStringLiteral("MENU_LEGGI"));
    QVERIFY(menuLeggi->isEnabled());
    f.finestra.questionario().segnaSalvato();
    QVERIFY(leggi->isEnabled());
}

void TestFinestraModello::caricamento()
{
    QFETCH(Modello, modello);
    Finestra f(modello);
    const QString titolo = profilo(modello).titoloFinestra;
    QCOMPARE(f.finestra.windowTitle(), titolo);
    // The tray icon comes first, with the title as its tip (the cut to 63 characters is the icon's own).
    QCOMPARE(f.icona->chiamate, QStringList{QStringLiteral("aggiungi|") + titolo});
    QCOMPARE(f.finestra.questionario().titoloBase(), titolo);
    QVERIFY(f.finestra.questionario().flagSalvato());
    QCOMPARE(f.finestra.questionario().membri().numeroMembri(), 3);
    QCOMPARE(f.finestra.schede()->currentIndex(), 0);
}

void TestFinestraModello::caselleApplicanoLeRegole()
{
    Finestra f(Modello::Tradizionale);
    Questionario& q = f.finestra.questionario();
    QList<int> aperte;
    f.finestra.interazione().editorNotaGruppo = [&](int i) {
        aperte.append(i);
        q.fineNota(QStringLiteral("nota"));
    };
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    f.finestra.schede()->setCurrentIndex(1);
    auto* si = f.trova<QCheckBox>(QStringLiteral("Check_SI_0"));
    auto* no = f.trova<QCheckBox>(QStringLiteral("Check_NO_0"));
    QTest::mouseClick(no, Qt::LeftButton);
    QTest::mouseClick(si, Qt::LeftButton);
    QCOMPARE(aperte, QList<int>{0});
    QVERIFY(si->isChecked());
    QVERIFY(!no->isChecked());
    auto* nota = f.trova<QLabel>(QStringLiteral("Label_NOTA_0"));
    QCOMPARE(nota->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    // Unticking SI deletes the note and the label is no longer red.
    QTest::mouseClick(si, Qt::LeftButton);
    QVERIFY(!si->isChecked());
    QVERIFY(q.notaSI(0).isEmpty());
    QVERIFY(nota->palette().color(QPalette::WindowText) != QColor(255, 0, 0));
    // The space bar works the box too.
    si->setFocus();
    aperte.clear();
    QTest::keyClick(si, Qt::Key_Space);
    QVERIFY(q.casella(0, Casella::SI));
    QCOMPARE(aperte, QList<int>{0});
}

void TestFinestraModello::conteggiRiquadroII()
{
    Finestra f(Modello::Tradizionale);
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    f.finestra.schede()->setCurrentIndex(3);
    auto* campo = f.trova<QLineEdit>(QStringLiteral("TEXT_1"));
    QVERIFY(campo);
    campo->setFocus();
    QTest::keyClicks(campo, QStringLiteral("1a2345"));
    QCOMPARE(campo->text(), QStringLiteral("123"));
    QCOMPARE(f.finestra.questionario().conteggioRiquadroII(1), QStringLiteral("123"));
    // Not an edit: the questionnaire still counts as saved.
    QVERIFY(f.finestra.questionario().flagSalvato());
    QVERIFY(f.trova<QPushButton>(QStringLiteral("Command_Function_2"))->isEnabled());
    QVERIFY(!Finestra(Modello::Dualistico).trova<QLineEdit>(QStringLiteral("TEXT_1")));
}

// Pasting by keyboard is the character Ctrl+V types: refused, with a beep only at the length limit.
void TestFinestraModello::incollaNeiConteggi()
{
    InterazioneFinta finta;
    FinestraModello finestra(Modello::Tradizionale, std::make_unique<IconaFinta>(), &finta);
    finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&finestra));
    finestra.schede()->setCurrentIndex(3);
    auto* campo = finestra.findChild<QLineEdit*>(QStringLiteral("TEXT_2"));
    campo->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("7"));
    QTest::keyClicks(campo, QStringLiteral("1"));
    QTest::keyClick(campo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(campo->text(), QStringLiteral("1"));
    QCOMPARE(finta.beepSuonati, 0);
    QTest::keyClicks(campo, QStringLiteral("23"));
    QTest::keyClick(campo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(campo->text(), QStringLiteral("123"));
    QCOMPARE(finta.beepSuonati, 1);
}

void TestFinestraModello::menuDallIcona()
{
    Finestra f(Modello::Monistico);
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    QMenu* menu = f.finestra.menuIcona();
    QVERIFY(!menu->isVisible());
    Q_EMIT f.icona->menuRichiesto();
    QVERIFY(menu->isVisible());
    menu->close();
}

void TestFinestraModello::attivazioneIcona_data()
{
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("motivo");
    QTest::addColumn<bool>("menu");
    QTest::newRow("left click") << QSystemTrayIcon::Trigger << true;
    QTest::newRow("double click") << QSystemTrayIcon::DoubleClick << true;
    QTest::newRow("right click") << QSystemTrayIcon::Context << false;
    QTest::newRow("middle click") << QSystemTrayIcon::MiddleClick << false;
    QTest::newRow("unknown") << QSystemTrayIcon::Unknown << false;
}

void TestFinestraModello::attivazioneIcona()
{
    QFETCH(QSystemTrayIcon::ActivationReason, motivo);
    QFETCH(bool, menu);
    QCOMPARE(attivazioneApreMenu(motivo), menu);
}

void TestFinestraModello::suggerimentoTagliato()
{
    IconaNotificaQt icona{QIcon()};
    const QString titolo = profilo(Modello::Tradizionale).titoloFinestra;
    QVERIFY(titolo.size() > 63);
    icona.aggiungiIcona(titolo);
    QCOMPARE(icona.suggerimento(),
             QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0 - MODELLO TRA"));
    icona.aggiungiIcona(QStringLiteral("breve"));
    QCOMPARE(icona.suggerimento(), QStringLiteral("breve"));
    icona.rimuoviIcona();
}

void TestFinestraModello::minimizzaERipristina()
{
    Finestra f(Modello::Dualistico);
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    const QSize dimensione = f.finestra.size();
    f.finestra.showMinimized();
    QCoreApplication::processEvents();
    QVERIFY(!f.finestra.isVisible());
    // The commands still work while hidden.
    QVERIFY(f.finestra.findChild<QAction*>(QStringLiteral("MENU_GENERA"))->isEnabled());
    f.finestra.findChild<QAction*>(QStringLiteral("MENU_RIPRISTINA"))->trigger();
    QVERIFY(f.finestra.isVisible());
    QVERIFY(!f.finestra.isMinimized());
    QCOMPARE(f.finestra.size(), dimensione);
}

void TestFinestraModello::senzaAreaDiNotificaNonSiNasconde()
{
    Finestra f(Modello::Tradizionale, false);
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    f.finestra.showMinimized();
    QCoreApplication::processEvents();
    QVERIFY(f.finestra.isVisible());
}

void TestFinestraModello::chiusuraRimuoveLIcona()
{
    Finestra f(Modello::Tradizionale);
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    f.finestra.close();
    QCOMPARE(f.icona->chiamate.last(), QStringLiteral("rimuovi"));
}

// Clicking a tab while a control of another page has the focus, or Ctrl+Tab from one: the tab shown and the
// page shown stay together.
void TestFinestraModello::schedaEPaginaInsieme()
{
    QFETCH(Modello, modello);
    Finestra f(modello);
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
    QTabWidget* schede = f.finestra.schede();
    QTabBar* barra = schede->tabBar();
    const auto insieme = [&](int attesa) {
        QCOMPARE(schede->currentIndex(), attesa);
        QCOMPARE(barra->currentIndex(), attesa);
        for (int p = 0; p < schede->count(); ++p)
            QCOMPARE(schede->widget(p)->isVisible(), p == attesa);
    };
    auto* campo = f.trova<QLineEdit>(QStringLiteral("TEXT_GENERALE_0"));
    QTest::mouseClick(campo, Qt::LeftButton);
    QTest::keyClicks(campo, QStringLiteral("Alfa"));
    for (int p : {1, 2, 4, 5, 0}) {
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(p).center());
        insieme(p);
        // Work on that page, so that the next click leaves a page holding the focus.
        const QList<QCheckBox*> caselle = schede->widget(p)->findChildren<QCheckBox*>();
        if (p != 0 && !caselle.isEmpty())
            caselle.first()->setFocus();
    }
    QTest::mouseClick(campo, Qt::LeftButton);
    QTest::keyClick(campo, Qt::Key_Tab, Qt::ControlModifier);
    insieme(1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    insieme(2);
}

void TestFinestraModello::tastieraAttraversoLePagine_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QString>("da");
    QTest::addColumn<bool>("avanti");
    QTest::addColumn<QString>("a");
    QTest::addColumn<int>("pagina");

    QTest::newRow("commands to page 1") << Modello::Tradizionale << QStringLiteral("Command_Function_4")
                                        << true << QStringLiteral("Check_SI_72") << 1;
    QTest::newRow("back to the commands") << Modello::Tradizionale << QStringLiteral("Check_SI_72") << false
                                          << QStringLiteral("Command_Function_4") << 1;
    QTest::newRow("page 1 to page 2") << Modello::Tradizionale << QStringLiteral("Check_NA_14") << true
                                      << QStringLiteral("Check_SI_15") << 2;
    QTest::newRow("count field of Riquadro II")
        << Modello::Tradizionale << QStringLiteral("Check_NO_33") << true << QStringLiteral("TEXT_0") << 3;
    QTest::newRow("hidden rows skipped") << Modello::Tradizionale << QStringLiteral("Check_NO_47") << true
                                         << QStringLiteral("Check_SI_77") << 4;
    QTest::newRow("switched-off page skipped")
        << Modello::Dualistico << QStringLiteral("Check_NO_74") << true << QStringLiteral("Check_SI_77") << 4;
    QTest::newRow("and back over it")
        << Modello::Monistico << QStringLiteral("Check_SI_77") << false << QStringLiteral("Check_NO_31") << 2;
    QTest::newRow("disabled Leggi skipped") << Modello::Tradizionale << QStringLiteral("Command_Function_1")
                                            << true << QStringLiteral("Command_Function_3") << 0;
}

void TestFinestraModello::tastieraAttraversoLePagine()
{
    QFETCH(Modello, modello);
    QFETCH(QString, da);
    QFETCH(bool, avanti);
    QFETCH(QString, a);
    QFETCH(int, pagina);
    Finestra f(modello);
    f.finestra.questionario().segnaModificato(); // "Leggi" disabled
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
    QWidget* partenza = f.trova<QWidget>(da);
    QVERIFY(partenza);
    for (int p = 0; p < 6; ++p) {
        if (f.finestra.schede()->widget(p)->isAncestorOf(partenza))
            f.finestra.schede()->setCurrentIndex(p);
    }
    partenza->setFocus();
    QCOMPARE(QApplication::focusWidget(), partenza);
    QTest::keyClick(partenza, Qt::Key_Tab, avanti ? Qt::NoModifier : Qt::ShiftModifier);
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), a);
    QCOMPARE(f.finestra.schede()->currentIndex(), pagina);
}

namespace {

// Everything the window shows, one line per control, in a stable order.
QStringList schermo(const FinestraModello& finestra)
{
    QStringList righe;
    for (const QLineEdit* campo : finestra.findChildren<QLineEdit*>()) {
        if (campo->objectName().startsWith(u"TEXT"))
            righe.append(
                QStringLiteral("%1=%2 %3").arg(campo->objectName(), campo->text()).arg(campo->isEnabled()));
    }
    for (const QCheckBox* casella : finestra.findChildren<QCheckBox*>())
        righe.append(QStringLiteral("%1=%2").arg(casella->objectName()).arg(casella->isChecked()));
    for (const QLabel* etichetta : finestra.findChildren<QLabel*>()) {
        if (etichetta->objectName().startsWith(u"Label_NOTA"))
            righe.append(etichetta->objectName() + u'=' +
                         etichetta->palette().color(QPalette::WindowText).name());
    }
    const QAbstractItemModel* griglia =
        finestra.findChild<QTableView*>(QStringLiteral("MSHFlexGrid1"))->model();
    for (int r = 0; r < griglia->rowCount(); ++r) {
        for (int c = 0; c < griglia->columnCount(); ++c)
            righe.append(
                QStringLiteral("cella %1,%2=%3").arg(r).arg(c).arg(griglia->index(r, c).data().toString()));
    }
    righe.sort();
    return righe;
}

// A questionnaire with a value of every kind, as a user would leave it.
void compila(Questionario& q)
{
    const ProfiloModello& p = q.profilo();
    q.setCaricamento(true);
    for (int campo : p.campiGenerali())
        q.setCampoGenerale(campo, QStringLiteral("%1").arg(campo % 10 + 10));
    q.setCampoGenerale(0, QStringLiteral("Società \"Alfa\" & Beta <S.p.A.>"));
    q.setRiunioniNA(p.haRiunioniComitatoEsecutivo);
    for (int i = 0; i < numeroIndici; ++i) {
        const Domanda& d = p.domanda(i);
        if (!d.presente || d.nascosta || !d.haCaselle())
            continue;
        const int scelta = i % 3;
        if (d.casellaSingola() || scelta == 0) {
            q.setBox(i, Casella::SI, true);
            q.setNotaSI(i, QStringLiteral("Nota SI %1\r\nseconda riga").arg(i));
            q.setSegnoNota(i, true);
        } else if (scelta == 1 || !d.offreNA) {
            q.setBox(i, Casella::NO, true);
            // Note 1.0.b opens on "Si" only: a "No" of box 80 never has a note.
            if (d.etichettaNotaVisibile && i < 79) {
                q.setNotaAltre(i, QStringLiteral("Nota NO %1").arg(i));
                q.setSegnoNota(i, true);
            }
        } else {
            q.setBox(i, Casella::NA, true);
        }
    }
    for (int n = 0; n < 3 && p.modello == Modello::Tradizionale; ++n)
        q.setConteggioRiquadroII(n, QString::number(n + 4));
    TabellaMembri& m = q.membri();
    (void)m.aggiungiMembro();
    for (int r = 0; r < m.numeroMembri(); ++r) {
        for (int c = 1; c <= m.layout().ultimaColonnaDati; ++c) {
            if (c != m.layout().colonnaNascosta)
                m.setCella(r, c, c == 3 ? QStringLiteral("SI") : QStringLiteral("v%1.%2").arg(r).arg(c));
        }
        m.fineNotaMembro(r, r == 2 ? QString() : QStringLiteral("Requisiti %1\r\nlaurea").arg(r));
    }
    q.setCaricamento(false);
}

} // namespace

void TestFinestraModello::salvaELeggiRipristinanoLoSchermo()
{
    QFETCH(Modello, modello);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("salvato.xml"));
    impostaCartellaProgramma(QCoreApplication::applicationDirPath() + QStringLiteral("/../src"));

    InterazioneFinta finta;
    FinestraModello finestra(modello, std::make_unique<IconaFinta>(), &finta);
    finta.questionario = &finestra.questionario();
    finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&finestra));
    compila(finestra.questionario());
    finestra.questionario().segnaModificato();
    const QStringList prima = schermo(finestra);

    finta.fileDaSalvare.enqueue(percorso);
    QTest::mouseClick(finestra.pulsante(FinestraModello::SalvaTemporaneo), Qt::LeftButton);
    QVERIFY2(QFileInfo::exists(percorso), qPrintable(finta.registro.join(u'\n')));
    QCOMPARE(finestra.questionario().flagSalvato(), true);

    // Change things on screen, then read the file back: the prompt is answered No.
    QTest::mouseClick(finestra.findChild<QCheckBox*>(QStringLiteral("Check_SI_79")), Qt::LeftButton);
    finestra.findChild<QLineEdit*>(QStringLiteral("TEXT_GENERALE_5"))->setFocus();
    QTest::keyClicks(finestra.findChild<QLineEdit*>(QStringLiteral("TEXT_GENERALE_5")),
                     QStringLiteral("xyz"));
    QVERIFY(schermo(finestra) != prima);
    QVERIFY(!finestra.pulsante(FinestraModello::Leggi)->isEnabled());
    finta.risposteMessaggi.enqueue(Interazione::Esito::No);
    finta.fileDaAprire.enqueue(percorso);
    finestra.findChild<QAction*>(QStringLiteral("MENU_LEGGI"))->trigger();

    const QStringList dopo = schermo(finestra);
    for (qsizetype i = 0; i < prima.size(); ++i)
        QCOMPARE(dopo.value(i), prima[i]);
    QCOMPARE(dopo.size(), prima.size());
    QCOMPARE(finta.chiamate(QStringLiteral("titolo")).last(),
             QStringLiteral("titolo|") + profilo(modello).titoloFinestra + QStringLiteral(" - ") + percorso);
    QVERIFY(finestra.pulsante(FinestraModello::Leggi)->isEnabled());
    QVERIFY(finestra.questionario().flagSalvato());
}

QTEST_MAIN(TestFinestraModello)
#include "tst_finestramodello.moc"
