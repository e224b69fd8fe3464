#include "app/finestramodello.h"
#include "app/iconanotificaqt.h"
#include "modelli/posizionifile.h"
#include "questionario/ui/finestranota.h"
#include "support/arrivotesto.h"
#include "support/interazionefinta.h"
#include "support/percorsixml.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(Modello)

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

// A model window on screen at its own size, its dialogs answered by the scripted port.
struct Finestra
{
    InterazioneFinta finta;
    IconaFinta* icona;
    FinestraModello finestra;

    explicit Finestra(Modello modello, bool trayDisponibile = true)
        : icona(new IconaFinta(trayDisponibile)),
          finestra(modello, std::unique_ptr<IconaNotifica>(icona), &finta)
    {
        finta.questionario = &finestra.questionario();
        finestra.resize(969, 607);
        finestra.show();
        QApplication::setActiveWindow(&finestra);
    }

    template <typename T = QWidget> T* trova(const QString& nome) const
    {
        return finestra.findChild<T*>(nome);
    }
    StatoFinestra& stato() { return finestra.comandi().stato(); }
    // Brings the page of `nome` to the front and gives the control the focus.
    QWidget* vaiA(const QString& nome)
    {
        QWidget* controllo = trova(nome);
        for (int p = 0; p < finestra.schede()->count(); ++p) {
            if (finestra.schede()->widget(p)->isAncestorOf(controllo))
                finestra.schede()->setCurrentIndex(p);
        }
        controllo->setFocus();
        return controllo;
    }
    static QString fuoco()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
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
    // Recovery copies and the like stay out of the user's own folders.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void caricamento_data() { modelli(); }
    void caricamento()
    {
        QFETCH(Modello, modello);
        Finestra f(modello);
        const QString titolo = profilo(modello).titoloFinestra;
        QCOMPARE(f.finestra.windowTitle(), titolo);
        // The tray icon comes first, with the title as its tip (the cut to 63 characters is the icon's own).
        QCOMPARE(f.icona->chiamate, QStringList{QStringLiteral("aggiungi|") + titolo});
        QCOMPARE(f.stato().titoloBase(), titolo);
        QVERIFY(f.stato().flagSalvato());
        QCOMPARE(f.finestra.questionario().membri().numeroMembri(), 3);
        QCOMPARE(f.finestra.schede()->currentIndex(), 0);
        const bool riquadroII = modello == Modello::Tradizionale;
        QCOMPARE(f.finestra.schede()->isTabEnabled(3), riquadroII);
        QCOMPARE(f.trova(QStringLiteral("NON_APPLICABILE")) != nullptr, !riquadroII);
    }

    // At the window's size the whole of page 0 shows without scrolling, down to its last line.
    void paginaZeroIntera_data() { modelli(); }
    void paginaZeroIntera()
    {
        QFETCH(Modello, modello);
        Finestra f(modello);
        QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
        auto* pagina = qobject_cast<QScrollArea*>(f.finestra.schede()->widget(0));
        QCOMPARE(pagina->verticalScrollBar()->maximum(), 0);
        for (const char* nome : {"TEXT_GENERALE_0", "TEXT_GENERALE_33", "Check_SI_81", "Label_NOTA_81",
                                 "TEXT_GENERALE_36", "btnAggiungi"}) {
            QWidget* w = f.trova(QString::fromLatin1(nome));
            const QRect dove(w->mapTo(pagina->viewport(), QPoint()), w->size());
            QVERIFY2(pagina->viewport()->rect().contains(dove), nome);
        }
        // The grid shows about six rows at least.
        auto* griglia = f.trova<QTableView>(QStringLiteral("MSHFlexGrid1"));
        QVERIFY(griglia->viewport()->height() >= 5 * griglia->rowHeight(0));

        // In a lower window the check's focus scrolls to the field; shown again, the page starts at its top.
        f.finestra.resize(969, 400);
        QCoreApplication::processEvents();
        f.finestra.interazione().spostaFocus(QStringLiteral("TEXT_GENERALE_36"));
        QWidget* campo = f.trova(QStringLiteral("TEXT_GENERALE_36"));
        QVERIFY(pagina->viewport()->rect().contains(campo->mapTo(pagina->viewport(), QPoint())));
        QVERIFY(pagina->verticalScrollBar()->value() > 0);
        f.trova(QStringLiteral("Command_Function_0"))->setFocus();
        f.finestra.schede()->setCurrentIndex(1);
        f.finestra.schede()->setCurrentIndex(0);
        QCOMPARE(pagina->verticalScrollBar()->value(), 0);
    }

    void comandiEMenu()
    {
        Finestra f(Modello::Tradizionale);
        QStringList voci;
        for (QPushButton* p :
             f.finestra.findChildren<QPushButton*>(QRegularExpression(QStringLiteral("^Command_Function_"))))
            voci.append(p->text());
        for (QAction* a : f.finestra.menuIcona()->actions())
            voci.append(a->isSeparator() ? QStringLiteral("-") : a->objectName() + u'=' + a->text());
        QCOMPARE(voci.join(u'|'),
                 QStringLiteral("Stampa|Salva temp.|Leggi|Genera|Esci|MENU_RIPRISTINA=Ripristina|-|"
                                "MENU_STAMPA=Stampa|MENU_SALVA=Salva Temp.|MENU_LEGGI=Leggi|"
                                "MENU_GENERA=Genera|MENU_ESCI=Esci"));
    }

    // The button, the tray menu's entry and the key of each command run the same operation; the keys work
    // from any page, "Leggi" too while its button is disabled.
    void comandi_data()
    {
        QTest::addColumn<QString>("via"); // a button, an action, or "tasti"
        QTest::addColumn<QKeySequence>("tasti");
        QTest::addColumn<QString>("segno"); // what the operation leaves in the record; empty: nothing
        const QString errore = QStringLiteral("messaggio|Errore|Verificare nel riquadro Dati Generali la "
                                              "denominazione della società prima di passare alla generazione "
                                              "del file.");
        const std::tuple<const char*, QKeySequence, QString, QString> comandi[] = {
            {"STAMPA", QKeySequence(QKeySequence::Print),
             "stampa|" + profilo(Modello::Tradizionale).titoloFinestra,
             "stampa|" + profilo(Modello::Tradizionale).titoloFinestra},
            {"SALVA", QKeySequence(QKeySequence::Save), "salvafile|Salva file", "salvafile|Salva file"},
            {"LEGGI", QKeySequence(QKeySequence::Open), "aprifile|Apri file", "aprifile|Apri file"},
            {"GENERA", QKeySequence(Qt::CTRL | Qt::Key_G), errore, errore},
            // With unsaved changes "Esci" asks first.
            {"ESCI", QKeySequence(QKeySequence::Quit), "termina",
             "messaggio|Warning|Con questa operazione verranno perse tutte le modifiche\r\neffettuate: si "
             "desidera salvarle in un file temporaneo?"}};
        int i = 0;
        for (const auto& [menu, tasti, segno, segnoDaTastiera] : comandi) {
            QTest::addRow("button %s", menu)
                << QStringLiteral("Command_Function_%1").arg(i++) << QKeySequence() << segno;
            QTest::addRow("menu %s", menu) << QStringLiteral("MENU_") + menu << QKeySequence() << segno;
            QTest::addRow("keys %s", menu) << QStringLiteral("tasti") << tasti << segnoDaTastiera;
        }
    }
    void comandi()
    {
        QFETCH(QString, via);
        QFETCH(QKeySequence, tasti);
        QFETCH(QString, segno);
        Finestra f(Modello::Tradizionale);
        QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
        if (via == u"tasti") {
            if (tasti.isEmpty())
                QSKIP("The platform has no standard key for this command");
            QTest::mouseClick(f.vaiA(QStringLiteral("Check_NA_8")), Qt::LeftButton);
            QVERIFY(!f.finestra.pulsante(FinestraModello::Leggi)->isEnabled());
            QVERIFY(f.finestra.azione(FinestraModello::Leggi)->isEnabled());
            QTest::keySequence(f.vaiA(QStringLiteral("Check_SI_77")), tasti);
        } else if (auto* pulsante = f.trova<QPushButton>(via)) {
            QTest::mouseClick(pulsante, Qt::LeftButton);
        } else {
            f.finestra.findChild<QAction*>(via)->trigger();
        }
        if (segno.isEmpty())
            QCOMPARE(f.finta.registro, QStringList());
        else
            QVERIFY2(f.finta.registro.contains(segno), qPrintable(f.finta.registro.join(u'\n')));
    }

    // F2 on an answer box is a click on the question's note label: the click's edit, the label's condition.
    void f2SullaCasella_data()
    {
        QTest::addColumn<QString>("casella");
        QTest::addColumn<int>("indice");
        QTest::addColumn<int>("risposta"); // the box ticked beforehand, -1 none
        QTest::addColumn<bool>("apre");
        QTest::addColumn<bool>("etichetta"); // the question shows a note label
        QTest::newRow("10.b with No") << "Check_SI_49" << 49 << int(Casella::NO) << true << true;
        QTest::newRow("10.b with Si only") << "Check_SI_49" << 49 << int(Casella::SI) << false << true;
        QTest::newRow("1.0.c ticked, page 0") << "Check_SI_81" << 81 << int(Casella::SI) << true << true;
        QTest::newRow("no label shown") << "Check_NO_21" << 21 << int(Casella::NO) << false << false;
    }
    void f2SullaCasella()
    {
        QFETCH(QString, casella);
        QFETCH(int, indice);
        QFETCH(int, risposta);
        QFETCH(bool, apre);
        QFETCH(bool, etichetta);
        Finestra f(Modello::Tradizionale);
        QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
        if (risposta >= 0) {
            const Questionario::Caricamento caricamento(f.finestra.questionario());
            f.finestra.questionario().setBox(indice, Casella(risposta), true);
        }
        f.stato().segnaSalvato();
        QWidget* box = f.vaiA(casella);
        QCOMPARE(box->toolTip(), etichetta ? QStringLiteral("F2: apre la nota") : QString());
        QTest::keyClick(box, Qt::Key_F2);
        QCOMPARE(f.finta.chiamate(QStringLiteral("nota")),
                 apre ? QStringList{QStringLiteral("nota|%1").arg(indice)} : QStringList{});
        QCOMPARE(f.stato().flagSalvato(), !etichetta);
        QCOMPARE(Finestra::fuoco(), casella);
    }

    // The meeting counts of Riquadro II take digits only, however they come, and are no edit.
    void conteggiRiquadroII_data()
    {
        QTest::addColumn<int>("modo"); // -1 typed keys, else an Arrivo
        QTest::addColumn<QString>("arrivato");
        QTest::addColumn<QString>("atteso");
        const auto riga = [](const char* nome, int modo, const char* arrivato, const char* atteso) {
            QTest::newRow(nome) << modo << QString::fromLatin1(arrivato) << QString::fromLatin1(atteso);
        };
        riga("typed", -1, "1a2345", "123");
        riga("Ctrl+V", int(Arrivo::Incolla), "7", "");
        riga("menu, letters", int(Arrivo::Menu), "abc", "");
        riga("menu, digits", int(Arrivo::Menu), "4x2", "42");
        riga("drop, letters", int(Arrivo::Rilascio), "x", "");
        riga("drop, digits", int(Arrivo::Rilascio), "42", "42");
    }
    void conteggiRiquadroII()
    {
        QFETCH(int, modo);
        QFETCH(QString, arrivato);
        QFETCH(QString, atteso);
        Finestra f(Modello::Tradizionale);
        auto* campo = static_cast<QLineEdit*>(f.vaiA(QStringLiteral("TEXT_1")));
        if (modo < 0)
            QTest::keyClicks(campo, arrivato);
        else
            faiArrivare(campo, Arrivo(modo), arrivato);
        QCOMPARE(campo->text(), atteso);
        QCOMPARE(f.finestra.questionario().conteggioRiquadroII(1), atteso);
        QVERIFY(f.stato().flagSalvato());
        QVERIFY(f.finestra.pulsante(FinestraModello::Leggi)->isEnabled());
    }

    // The icon's menu opens on a left click; minimised, the window lives on as its icon and "Ripristina"
    // brings it back as it was (without a tray it stays an ordinary minimised window); closing the window
    // takes the icon away.
    void icona()
    {
        for (auto [motivo, menu] : {std::pair{QSystemTrayIcon::Trigger, true},
                                    {QSystemTrayIcon::DoubleClick, true},
                                    {QSystemTrayIcon::Context, false},
                                    {QSystemTrayIcon::MiddleClick, false}})
            QCOMPARE(attivazioneApreMenu(motivo), menu);
        IconaNotificaQt vera{QIcon()};
        vera.aggiungiIcona(profilo(Modello::Tradizionale).titoloFinestra);
        QCOMPARE(vera.suggerimento(),
                 QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0 - MODELLO TRA"));
        vera.rimuoviIcona();
        for (bool tray : {true, false}) {
            Finestra f(Modello::Dualistico, tray);
            QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
            f.finestra.showMinimized();
            QCoreApplication::processEvents();
            QCOMPARE(f.finestra.isVisible(), !tray);
            f.trova<QAction>(QStringLiteral("MENU_RIPRISTINA"))->trigger();
            QVERIFY(f.finestra.isVisible() && !f.finestra.isMinimized());
            QCOMPARE(f.finestra.size(), QSize(969, 607));
        }
        auto* finta = new IconaFinta;
        FinestraModello finestra(Modello::Monistico, std::unique_ptr<IconaNotifica>(finta));
        finestra.show();
        Q_EMIT finta->menuRichiesto();
        QVERIFY(finestra.menuIcona()->isVisible());
        finestra.menuIcona()->close();
        finestra.close();
        QCOMPARE(finta->chiamate.last(), QStringLiteral("rimuovi"));
        // The window ended the program, which makes every event loop started afterwards end at once: a main
        // loop run once takes that back, so that the modal windows of later tests run.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

    // Clicking a tab while a control of another page has the focus, or Ctrl+Tab from one: the tab shown and
    // the page shown stay together.
    void schedaEPaginaInsieme()
    {
        Finestra f(Modello::Monistico);
        QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
        QTabWidget* schede = f.finestra.schede();
        QTabBar* barra = schede->tabBar();
        const auto insieme = [&](int attesa) {
            QCOMPARE(barra->currentIndex(), attesa);
            for (int p = 0; p < schede->count(); ++p)
                QCOMPARE(schede->widget(p)->isVisible(), p == attesa);
        };
        for (int p : {1, 2, 4, 5, 0}) {
            QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(p).center());
            insieme(p);
            // Work on that page, so that the next click leaves a page holding the focus.
            if (const auto caselle = schede->widget(p)->findChildren<QCheckBox*>();
                p != 0 && !caselle.isEmpty())
                caselle.first()->setFocus();
        }
        QTest::keyClick(f.vaiA(QStringLiteral("TEXT_GENERALE_0")), Qt::Key_Tab, Qt::ControlModifier);
        insieme(1);
    }

    void tastieraAttraversoLePagine_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QString>("da");
        QTest::addColumn<bool>("avanti");
        QTest::addColumn<QString>("a");
        QTest::addColumn<int>("pagina");
        const auto T = Modello::Tradizionale;
        QTest::newRow("commands to page 1") << T << "Command_Function_4" << true << "Check_SI_72" << 1;
        QTest::newRow("back to the commands") << T << "Check_SI_72" << false << "Command_Function_4" << 1;
        QTest::newRow("page 1 to page 2") << T << "Check_NA_14" << true << "Check_SI_15" << 2;
        QTest::newRow("count field of Riquadro II") << T << "Check_NO_33" << true << "TEXT_0" << 3;
        QTest::newRow("hidden rows skipped") << T << "Check_NO_47" << true << "Check_SI_77" << 4;
        QTest::newRow("switched-off page skipped")
            << Modello::Dualistico << "Check_NO_74" << true << "Check_SI_77" << 4;
        QTest::newRow("and back over it")
            << Modello::Monistico << "Check_SI_77" << false << "Check_NO_31" << 2;
        QTest::newRow("disabled Leggi skipped")
            << T << "Command_Function_1" << true << "Command_Function_3" << 0;
        QTest::newRow("members grid to the offices")
            << T << "MSHFlexGrid1" << true << "TEXT_GENERALE_33" << 0;
        QTest::newRow("e-mail to box 79") << T << "TEXT_GENERALE_7" << true << "Check_SI_79" << 0;
        QTest::newRow("box 80 to the meetings") << T << "Check_SI_80" << true << "TEXT_GENERALE_62" << 0;
        QTest::newRow("meetings to the grid") << T << "TEXT_GENERALE_65" << true << "MSHFlexGrid1" << 0;
        QTest::newRow("two-tier meetings to the grid")
            << Modello::Dualistico << "TEXT_GENERALE_64" << true << "MSHFlexGrid1" << 0;
        QTest::newRow("start year to the commands")
            << T << "TEXT_GENERALE_36" << true << "Command_Function_0" << 0;
        QTest::newRow("Aggiungi to box 81") << T << "btnAggiungi" << true << "Check_SI_81" << 0;
        QTest::newRow("box 81 to the No of 80") << T << "Check_SI_81" << true << "Check_NO_80" << 0;
        QTest::newRow("back from the first field to the last")
            << T << "TEXT_GENERALE_0" << false << "chk_RiunioniNA" << 0;
        QTest::newRow("two-tier: back to box 81")
            << Modello::Dualistico << "TEXT_GENERALE_0" << false << "Check_SI_81" << 0;
    }
    void tastieraAttraversoLePagine()
    {
        QFETCH(Modello, modello);
        QFETCH(QString, da);
        QFETCH(bool, avanti);
        Finestra f(modello);
        f.finestra.questionario().segnaModificato(); // "Leggi" disabled
        QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
        QWidget* partenza = f.vaiA(da);
        QCOMPARE(QApplication::focusWidget(), partenza);
        QTest::keyClick(partenza, Qt::Key_Tab, avanti ? Qt::NoModifier : Qt::ShiftModifier);
        QTEST(Finestra::fuoco(), "a");
        QTEST(f.finestra.schede()->currentIndex(), "pagina");
    }

    void salvaELeggiRipristinanoLoSchermo_data() { modelli(); }
    void salvaELeggiRipristinanoLoSchermo();
    void copiaDiRecupero();
    void accessibilitaDiOgniControllo_data() { modelli(); }
    void accessibilitaDiOgniControllo();
    void accessibilita_data();
    void accessibilita();
    void aspetto();
};

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
    const Questionario::Caricamento caricamento(q);
    for (int campo : p.campiGenerali())
        q.setCampoGenerale(campo, QString::number(campo % 10 + 10));
    q.setCampoGenerale(0, QStringLiteral("Società \"Alfa\" & Beta <S.p.A.>"));
    q.setRiunioniNA(p.haRiunioniComitatoEsecutivo);
    for (int i = 0; i < numeroIndici; ++i) {
        const Domanda& d = p.domanda(i);
        if (!d.presente || d.nascosta || !d.haCaselle())
            continue;
        if (d.casellaSingola() || i % 3 == 0) {
            q.setBox(i, Casella::SI, true);
            q.setNotaSI(i, QStringLiteral("Nota SI %1\r\nseconda riga").arg(i));
            q.setSegnoNota(i, true);
        } else if (i % 3 == 1 || !d.offreNA) {
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
}

} // namespace

void TestFinestraModello::salvaELeggiRipristinanoLoSchermo()
{
    QFETCH(Modello, modello);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("salvato.xml"));
    impostaCartellaProgramma(QCoreApplication::applicationDirPath() + QStringLiteral("/../src"));
    Finestra f(modello);
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    compila(f.finestra.questionario());
    const QStringList prima = schermo(f.finestra);

    f.finta.fileDaSalvare.enqueue(percorso);
    QTest::mouseClick(f.finestra.pulsante(FinestraModello::SalvaTemporaneo), Qt::LeftButton);
    QVERIFY2(QFileInfo::exists(percorso), qPrintable(f.finta.registro.join(u'\n')));
    QVERIFY(f.stato().flagSalvato());

    // Change things on screen, then read the file back: the prompt is answered No.
    QTest::mouseClick(f.vaiA(QStringLiteral("Check_SI_79")), Qt::LeftButton);
    QTest::keyClicks(f.vaiA(QStringLiteral("TEXT_GENERALE_5")), QStringLiteral("xyz"));
    QVERIFY(schermo(f.finestra) != prima);
    QVERIFY(!f.finestra.pulsante(FinestraModello::Leggi)->isEnabled());
    f.finta.risposteMessaggi.enqueue(Interazione::Esito::No);
    f.finta.fileDaAprire.enqueue(percorso);
    f.finestra.azione(FinestraModello::Leggi)->trigger();

    const QStringList dopo = schermo(f.finestra);
    for (qsizetype i = 0; i < prima.size(); ++i)
        QCOMPARE(dopo.value(i), prima[i]);
    QCOMPARE(dopo.size(), prima.size());
    QCOMPARE(f.finta.chiamate(QStringLiteral("titolo")).last(),
             QStringLiteral("titolo|") + profilo(modello).titoloFinestra + QStringLiteral(" - ") + percorso);
    QVERIFY(f.finestra.pulsante(FinestraModello::Leggi)->isEnabled());
    QVERIFY(f.stato().flagSalvato());
}

// The note being typed goes into the recovery copy before "Fine"; hidden to the tray, the window writes the
// copy at once.
void TestFinestraModello::copiaDiRecupero()
{
    QTemporaryDir cartella;
    impostaCartellaProgramma(QCoreApplication::applicationDirPath() + QStringLiteral("/../src"));
    Finestra f(Modello::Monistico);
    CopiaRecupero& recupero = f.finestra.recupero();
    recupero.setCartella(cartella.path());
    recupero.setIntervallo(std::chrono::milliseconds(0));
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    {
        const Questionario::Caricamento caricamento(f.finestra.questionario());
        f.finestra.questionario().setBox(0, Casella::SI, true);
    }
    recupero.scriviSubito(); // only the typing is left to write
    QString nellaCopia;
    QTimer::singleShot(0, &f.finestra, [&] {
        QTest::keyClicks(f.finestra.finestraNota()->casellaTesto(), QStringLiteral("Nota a meta"));
        QCoreApplication::processEvents();
        nellaCopia = FileXml::daFile(recupero.percorso()).valore(QStringLiteral("A/0/1/1/1"));
        f.finestra.finestraNota()->fine();
    });
    f.finestra.interazione().apriNotaGruppo(0);
    QCOMPARE(nellaCopia, QStringLiteral("Nota a meta"));

    recupero.setIntervallo(std::chrono::hours(1));
    QTest::keyClicks(f.vaiA(QStringLiteral("TEXT_GENERALE_0")), QStringLiteral("Beta"));
    f.finestra.showMinimized();
    QCoreApplication::processEvents();
    QVERIFY(!f.finestra.isVisible());
    QCOMPARE(FileXml::daFile(recupero.percorso()).valore(QStringLiteral("G/0")), QStringLiteral("Beta"));
}

// Every control the keyboard can reach has a name and a description for a screen reader. The toolkit gives a
// tab bar no description: it reads as the page shown, its tabs as their captions.
void TestFinestraModello::accessibilitaDiOgniControllo()
{
    QFETCH(Modello, modello);
    Finestra f(modello);
    QStringList senza;
    for (QWidget* w : f.finestra.findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->isHidden() || qobject_cast<QTabBar*>(w))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (a->text(QAccessible::Name).isEmpty() || a->text(QAccessible::Description).isEmpty())
            senza.append(w->objectName() + u'(' + QString::fromLatin1(w->metaObject()->className()) + u')');
    }
    QCOMPARE(senza.join(u' '), QString());
}

void TestFinestraModello::accessibilita_data()
{
    QTest::addColumn<Modello>("modello");
    QTest::addColumn<QString>("controllo"); // an objectName, or "r,c" for a cell of the members grid
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("descrizione");
    const auto riga = [](Modello m, const char* controllo, const char* nome, const char* descrizione) {
        QTest::addRow("%s %s", qPrintable(nomeModello(m)), controllo)
            << m << QString::fromUtf8(controllo) << QString::fromUtf8(nome) << QString::fromUtf8(descrizione);
    };
    const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
    // Question 0 has a note.
    riga(T, "Check_SI_0",
         "Si: La società ha effettuato operazioni atipiche o inusuali con: società infragruppo",
         "Nota 1.a: presente. F2 apre la nota.");
    riga(M, "Check_SI_79",
         "Requisiti di professionalità dei membri del comitato per il controllo sulla gestione",
         "Nota 1.0.a: assente. F2 apre la nota.");
    riga(D, "TEXT_GENERALE_35", "Data inizio incarico: mese", "Solo cifre, al massimo 2.");
    riga(
        T, "TEXT_1",
        "E' stato istituito il comitato per le proposte di nomina? Quante riunioni sono state svolte dal comitato "
        "nel corso dell'anno?",
        "Solo cifre, al massimo 3.");
    riga(D, "Command_Function_3", "Genera", "Scorciatoia: Ctrl+G");
    riga(M, "0,2", "Codice Fiscale: RSSMRA80A01H501U", "Presidente. Invio modifica la cella.");
    riga(T, "1,12", "Requisiti di professionalità: vuota", "Membro 2. Invio apre il testo dei requisiti.");
}

// What a screen reader says of a sample of controls, the questionnaire's state included.
void TestFinestraModello::accessibilita()
{
    QFETCH(Modello, modello);
    QFETCH(QString, controllo);
    Finestra f(modello);
    Questionario& q = f.finestra.questionario();
    {
        const Questionario::Caricamento caricamento(q);
        q.setBox(0, Casella::SI, true);
        q.setSegnoNota(0, true);
        q.membri().setCella(0, 2, QStringLiteral("RSSMRA80A01H501U"));
    }
    const auto griglia = [&] {
        return QAccessible::queryAccessibleInterface(f.trova("MSHFlexGrid1"))->tableInterface();
    };
    QAccessibleInterface* a =
        controllo.contains(u',')
            ? griglia()->cellAt(controllo.section(u',', 0, 0).toInt(), controllo.section(u',', 1).toInt())
            : QAccessible::queryAccessibleInterface(f.trova(controllo));
    QTEST(a->text(QAccessible::Name), "nome");
    QTEST(a->text(QAccessible::Description), "descrizione");
}

namespace {

// The first row of a widget's picture with dark ink, in the coordinates of `pagina`.
int inizioInchiostro(QWidget* w, QWidget* pagina)
{
    const QImage immagine = w->grab().toImage();
    for (int y = 0; y < immagine.height(); ++y) {
        for (int x = 0; x < immagine.width(); ++x) {
            if (qGray(immagine.pixel(x, y)) < 100)
                return w->mapTo(pagina, QPoint(0, y)).y();
        }
    }
    return -1;
}

} // namespace

// Where the style marks the focus faintly or not at all (a box's focus goes around its caption, the grid's
// around its current cell), the boxes without a caption and the members grid have a frame of the highlight
// colour while they hold it. A question's note label reads on the line of its boxes' captions.
void TestFinestraModello::aspetto()
{
    Finestra f(Modello::Dualistico);
    QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
    for (const char* nome : {"Check_SI_79", "Check_SI_80", "Check_SI_81", "MSHFlexGrid1"}) {
        QWidget* w = f.vaiA(QString::fromLatin1(nome));
        const QColor evidenza = w->palette().color(QPalette::Highlight);
        const auto bordo = [w] { return w->grab().toImage().pixelColor(0, w->height() / 2); };
        QCOMPARE(bordo(), evidenza);
        f.vaiA(QStringLiteral("TEXT_GENERALE_0"));
        QVERIFY2(bordo() != evidenza, nome);
    }
    f.finestra.schede()->setCurrentIndex(1);
    QWidget* pagina = f.finestra.schede()->widget(1);
    const int casella = inizioInchiostro(f.trova("Check_SI_72"), pagina);
    QVERIFY(casella >= 0);
    QVERIFY(qAbs(inizioInchiostro(f.trova("Label_NOTA_72"), pagina) - casella) <= 1);
}

QTEST_MAIN(TestFinestraModello)
#include "tst_finestramodello.moc"
