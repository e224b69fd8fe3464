#include "app/finestramodello.h"
#include "app/iconanotificaqt.h"
#include "modelli/posizionifile.h"
#include "questionario/ui/finestranota.h"
#include "support/arrivotesto.h"
#include "support/interazionefinta.h"
#include "support/percorsixml.h"
#include "support/questionariocasuale.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(Modello)

namespace {

struct IconaFinta : IconaNotifica
{
    explicit IconaFinta(bool disponibile) : disponibile(disponibile) {}
    bool disponibile;
    QStringList chiamate;
    bool aggiungiIcona(const QString& suggerimento) override
    {
        chiamate << QStringLiteral("aggiungi|") + suggerimento;
        return disponibile;
    }
    void rimuoviIcona() override { chiamate << QStringLiteral("rimuovi"); }
};

// A model window on screen at its own size, its dialogs answered by the scripted port.
struct Finestra
{
    InterazioneFinta finta;
    IconaFinta* icona;
    FinestraModello finestra;

    explicit Finestra(Modello modello, bool tray = true)
        : icona(new IconaFinta(tray)), finestra(modello, std::unique_ptr<IconaNotifica>(icona), &finta)
    {
        finta.questionario = &q();
        finestra.resize(969, 607);
        finestra.show();
        QApplication::setActiveWindow(&finestra);
    }
    template <typename T = QWidget> T* trova(const char* n) const { return finestra.findChild<T*>(n); }
    Questionario& q() { return finestra.questionario(); }
    StatoFinestra& stato() { return finestra.comandi().stato(); }
    // Values set as the reader sets them, no rule run and no edit.
    void carica(auto valori)
    {
        const Questionario::Caricamento c(q());
        valori(q());
    }
    // Brings the page of `nome` to the front and gives the control the focus.
    QWidget* vaiA(const char* nome)
    {
        QWidget* controllo = trova(nome);
        for (int p = 0; p < finestra.schede()->count(); ++p)
            if (finestra.schede()->widget(p)->isAncestorOf(controllo))
                finestra.schede()->setCurrentIndex(p);
        controllo->setFocus();
        return controllo;
    }
};

// Everything the window shows, one line per control.
QStringList schermo(const FinestraModello& f)
{
    QStringList righe;
    for (const QLineEdit* c : f.findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^TEXT"))))
        righe << QStringLiteral("%1=%2 %3").arg(c->objectName(), c->text()).arg(c->isEnabled());
    for (const QCheckBox* c : f.findChildren<QCheckBox*>())
        righe << QStringLiteral("%1=%2").arg(c->objectName()).arg(c->isChecked());
    for (const QLabel* e : f.findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Label_NOTA"))))
        righe << e->objectName() + u'=' + e->palette().color(QPalette::WindowText).name();
    const QAbstractItemModel* g = f.findChild<QTableView*>(QStringLiteral("MSHFlexGrid1"))->model();
    for (int r = 0; r < g->rowCount(); ++r)
        for (int c = 0; c < g->columnCount(); ++c)
            righe << QStringLiteral("cella %1,%2=%3").arg(r).arg(c).arg(g->index(r, c).data().toString());
    return righe;
}

// The first row of a widget's picture with dark ink, in the coordinates of `pagina`.
int inizioInchiostro(QWidget* w, QWidget* pagina)
{
    const QImage immagine = w->grab().toImage();
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            if (qGray(immagine.pixel(x, y)) < 100)
                return w->mapTo(pagina, QPoint(0, y)).y();
    return -1;
}

} // namespace

class TestFinestraModello : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Recovery copies and the like stay out of the user's own folders; the templates are the source tree's.
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        impostaCartellaProgramma(QCoreApplication::applicationDirPath() + QStringLiteral("/../src"));
    }

    void finestra_data()
    {
        QTest::addColumn<Modello>("modello");
        for (Modello m : tuttiIModelli)
            QTest::newRow(nomeModello(m).toLatin1()) << m;
    }
    // As it opens: the tray icon first, the title as its tip; page 0 in front; Riquadro II in the traditional
    // model only; the commands' buttons and menu entries; a name and a description for a screen reader on
    // every control the keyboard reaches. Page 0 shows whole; in a lower window the check's focus scrolls to
    // its field, and shown again the page starts at its top. Saved, changed and read back, the questionnaire
    // shows as an empty window shows the same file, "Leggi" back.
    void finestra()
    {
        QFETCH(Modello, modello);
        Finestra f(modello);
        QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
        QCOMPARE(f.icona->chiamate, QStringList{QStringLiteral("aggiungi|") + f.finestra.windowTitle()});
        QVERIFY(f.stato().flagSalvato() && f.finestra.schede()->currentIndex() == 0);
        const bool riquadroII = modello == Modello::Tradizionale;
        QVERIFY(f.finestra.schede()->isTabEnabled(3) == riquadroII &&
                !f.trova("NON_APPLICABILE") == riquadroII);
        QStringList voci;
        for (QPushButton* p : f.finestra.findChildren<QPushButton*>(QRegularExpression("^Command_Function_")))
            voci << p->text();
        for (QAction* a : f.finestra.menuIcona()->actions())
            voci << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + u'=' + a->text());
        QCOMPARE(voci.join(u'|'),
                 QStringLiteral("Stampa|Salva temp.|Leggi|Genera|Esci|MENU_RIPRISTINA=Ripristina|-|"
                                "MENU_STAMPA=Stampa|MENU_SALVA=Salva Temp.|MENU_LEGGI=Leggi|"
                                "MENU_GENERA=Genera|MENU_ESCI=Esci"));
        QStringList senza;
        for (QWidget* w : f.finestra.findChildren<QWidget*>()) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            if ((w->focusPolicy() & Qt::TabFocus) && !w->isHidden() && !qobject_cast<QTabBar*>(w) &&
                (a->text(QAccessible::Name).isEmpty() || a->text(QAccessible::Description).isEmpty()))
                senza << w->objectName() + u'(' + QString::fromLatin1(w->metaObject()->className()) + u')';
        }
        QCOMPARE(senza.join(u' '), QString());

        auto* pagina = qobject_cast<QScrollArea*>(f.finestra.schede()->widget(0));
        const auto intero = [&](const char* nome) {
            QWidget* w = f.trova(nome);
            return pagina->viewport()->rect().contains(
                QRect(w->mapTo(pagina->viewport(), QPoint()), w->size()));
        };
        QVERIFY(pagina->verticalScrollBar()->maximum() == 0 && intero("btnAggiungi"));
        auto* griglia = f.trova<QTableView>("MSHFlexGrid1");
        QVERIFY(griglia->viewport()->height() >= 5 * griglia->rowHeight(0)); // about six rows at least
        f.finestra.resize(969, 400);
        QCoreApplication::processEvents();
        f.finestra.interazione().spostaFocus(QStringLiteral("TEXT_GENERALE_36"));
        QVERIFY(intero("TEXT_GENERALE_36") && pagina->verticalScrollBar()->value() > 0);
        f.trova("Command_Function_0")->setFocus();
        f.finestra.schede()->setCurrentIndex(1);
        f.finestra.schede()->setCurrentIndex(0);
        QCOMPARE(pagina->verticalScrollBar()->value(), 0);

        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("salvato.xml"));
        Generatore(7).riempi(f.q(), false);
        f.finta.fileDaSalvare.enqueue(percorso);
        QTest::mouseClick(f.finestra.pulsante(FinestraModello::SalvaTemporaneo), Qt::LeftButton);
        QVERIFY(QFileInfo::exists(percorso) && f.stato().flagSalvato());
        QTest::mouseClick(f.vaiA("Check_SI_79"), Qt::LeftButton);
        QTest::keyClicks(f.vaiA("TEXT_GENERALE_5"), QStringLiteral("xyz"));
        f.finta.risposteMessaggi.enqueue(Interazione::Esito::No);
        f.finta.fileDaAprire.enqueue(percorso);
        f.finestra.azione(FinestraModello::Leggi)->trigger();
        QCOMPARE(f.finta.chiamate(QStringLiteral("titolo")).last(),
                 "titolo|" + f.finestra.windowTitle() + " - " + percorso);
        QVERIFY(f.finestra.pulsante(FinestraModello::Leggi)->isEnabled() && f.stato().flagSalvato());
        Finestra vuota(modello);
        vuota.finta.fileDaAprire.enqueue(percorso);
        QTest::mouseClick(vuota.finestra.pulsante(FinestraModello::Leggi), Qt::LeftButton);
        QCOMPARE(schermo(f.finestra), schermo(vuota.finestra));
    }

    // The button, the tray menu's entry and the key of each command run the same operation; the keys work
    // from any page, "Leggi" too while an edit keeps its button disabled (and "Esci" then asks first). F2 on
    // an answer box is a click on the question's note label: the click's edit, the label's condition. The
    // meeting counts of Riquadro II take digits only, however they come, and are no edit.
    void comandiETasti()
    {
        Finestra f(Modello::Tradizionale);
        QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
        const std::pair<QKeySequence, QString> comandi[] = {
            {QKeySequence::Print, "stampa|" + f.finestra.windowTitle()},
            {QKeySequence::Save, "salvafile|Salva file"},
            {QKeySequence::Open, "aprifile|Apri file"},
            {Qt::CTRL | Qt::Key_G, "messaggio|Errore|Verificare nel riquadro Dati Generali la denominazione "
                                   "della società prima di passare alla generazione del file."},
            {QKeySequence::Quit, "termina"}};
        const QString domanda =
            "messaggio|Warning|Con questa operazione verranno perse tutte le modifiche\r\n"
            "effettuate: si desidera salvarle in un file temporaneo?";
        for (int via = 0; via < 3; ++via) {
            for (int i = 0; i < 5; ++i) {
                const auto& [tasti, segno] = comandi[i];
                if (via == 2 && tasti.isEmpty())
                    continue; // the platform has no standard key for this command
                if (via == 2) {
                    QTest::mouseClick(f.vaiA("Check_NA_8"), Qt::LeftButton);
                    QVERIFY(!f.finestra.pulsante(FinestraModello::Leggi)->isEnabled());
                }
                f.finta.registro.clear();
                if (via == 0)
                    QTest::mouseClick(f.finestra.pulsante(FinestraModello::Comando(i)), Qt::LeftButton);
                else if (via == 1)
                    f.finestra.menuIcona()->actions().at(i + 2)->trigger(); // after "Ripristina" and a line
                else
                    QTest::keySequence(f.vaiA("Check_SI_77"), tasti);
                QVERIFY2(f.finta.registro.contains(via == 2 && i == FinestraModello::Esci ? domanda : segno),
                         qPrintable(QString::number(via) + u' ' + f.finta.registro.join(u'\n')));
            }
        }

        // The box, the answer ticked beforehand, whether the note opens, whether the label shows.
        const std::tuple<int, const char*, Casella, bool, bool> casi[] = {
            {21, "Check_NO_21", Casella::NO, false, false},
            {49, "Check_SI_49", Casella::NO, true, true},
            {49, "Check_SI_49", Casella::SI, false, true},
            {81, "Check_SI_81", Casella::SI, true, true}};
        for (const auto& [indice, casella, risposta, apre, etichetta] : casi) {
            f.carica([&](Questionario& q) { q.setBox(indice, risposta, true); });
            f.stato().segnaSalvato();
            f.finta.registro.clear();
            QWidget* box = f.vaiA(casella);
            QCOMPARE(box->toolTip(), etichetta ? QStringLiteral("F2: apre la nota") : QString());
            QTest::keyClick(box, Qt::Key_F2);
            QCOMPARE(f.finta.chiamate(QStringLiteral("nota")),
                     apre ? QStringList{QStringLiteral("nota|%1").arg(indice)} : QStringList());
            QVERIFY(f.stato().flagSalvato() != etichetta && QApplication::focusWidget() == box);
        }

        f.stato().segnaSalvato();
        auto* conteggio = static_cast<QLineEdit*>(f.vaiA("TEXT_1"));
        QTest::keyClicks(conteggio, QStringLiteral("1a2345"));
        QCOMPARE(conteggio->text(), QStringLiteral("123"));
        conteggio->clear();
        faiArrivare(conteggio, Arrivo::Menu, QStringLiteral("4x2"));
        QCOMPARE(f.q().conteggioRiquadroII(1), QStringLiteral("42"));
        QVERIFY(f.stato().flagSalvato() && f.finestra.pulsante(FinestraModello::Leggi)->isEnabled());
    }

    // The icon's menu opens on a left click; minimised, the window lives on as its icon and "Ripristina"
    // brings it back as it was (without a tray it stays an ordinary minimised window); closing the window
    // takes the icon away.
    void icona()
    {
        using enum QSystemTrayIcon::ActivationReason;
        QVERIFY(attivazioneApreMenu(Trigger) && attivazioneApreMenu(DoubleClick) &&
                !attivazioneApreMenu(Context) && !attivazioneApreMenu(MiddleClick));
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
            f.trova<QAction>("MENU_RIPRISTINA")->trigger();
            QVERIFY(f.finestra.isVisible() && !f.finestra.isMinimized() &&
                    f.finestra.size() == QSize(969, 607));
        }
        auto* icona = new IconaFinta(true); // with the window's own dialogs, whose exit ends the program
        FinestraModello finestra(Modello::Monistico, std::unique_ptr<IconaNotifica>(icona));
        finestra.show();
        Q_EMIT icona->menuRichiesto();
        QVERIFY(finestra.menuIcona()->isVisible());
        finestra.menuIcona()->close();
        finestra.close();
        QCOMPARE(icona->chiamate.last(), QStringLiteral("rimuovi"));
        // Closing ended the program, which makes every event loop started afterwards end at once: a main loop
        // run once takes that back, so that the modal windows of later tests run.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

    // Tab and Shift+Tab follow the window's keyboard order across the pages, bringing the page of the control
    // reached to the front and skipping what cannot be reached.
    void tastiera_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QString>("passo"); // "from > to" with Tab, "from < to" with Shift+Tab
        QTest::addColumn<int>("pagina");
        const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
        const auto riga = [](const char* caso, Modello m, const char* passo, int pagina) {
            QTest::newRow(caso) << m << QString(passo) << pagina;
        };
        riga("commands to page 1", T, "Command_Function_4 > Check_SI_72", 1);
        riga("back to the commands", T, "Check_SI_72 < Command_Function_4", 1);
        riga("count field of Riquadro II", T, "Check_NO_33 > TEXT_0", 3);
        riga("hidden rows skipped", T, "Check_NO_47 > Check_SI_77", 4);
        riga("switched-off page skipped", D, "Check_NO_74 > Check_SI_77", 4);
        riga("and back over it", M, "Check_SI_77 < Check_NO_31", 2);
        riga("disabled Leggi skipped", T, "Command_Function_1 > Command_Function_3", 0);
        riga("members grid to the offices", T, "MSHFlexGrid1 > TEXT_GENERALE_33", 0);
        riga("e-mail to box 79", T, "TEXT_GENERALE_7 > Check_SI_79", 0);
        riga("box 80 to the meetings", T, "Check_SI_80 > TEXT_GENERALE_62", 0);
        riga("meetings to the grid", T, "TEXT_GENERALE_65 > MSHFlexGrid1", 0);
        riga("two-tier meetings to the grid", D, "TEXT_GENERALE_64 > MSHFlexGrid1", 0);
        riga("start year to the commands", T, "TEXT_GENERALE_36 > Command_Function_0", 0);
        riga("Aggiungi to box 81", T, "btnAggiungi > Check_SI_81", 0);
        riga("box 81 to the No of 80", T, "Check_SI_81 > Check_NO_80", 0);
        riga("first field back to the last", T, "TEXT_GENERALE_0 < chk_RiunioniNA", 0);
        riga("two-tier: back to box 81", D, "TEXT_GENERALE_0 < Check_SI_81", 0);
    }
    void tastiera()
    {
        QFETCH(Modello, modello);
        QFETCH(QString, passo);
        const QStringList da = passo.split(u' ');
        Finestra f(modello);
        f.q().segnaModificato(); // "Leggi" disabled
        QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
        QTest::keyClick(f.vaiA(qPrintable(da[0])), Qt::Key_Tab,
                        da[1] == u">" ? Qt::NoModifier : Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), da[2]);
        QTEST(f.finestra.schede()->currentIndex(), "pagina");
    }

    // The note being typed goes into the recovery copy before "Fine"; hidden to the tray, the window writes
    // the copy at once.
    void copiaDiRecupero()
    {
        QTemporaryDir cartella;
        Finestra f(Modello::Monistico);
        CopiaRecupero& recupero = f.finestra.recupero();
        recupero.setCartella(cartella.path());
        recupero.setIntervallo(std::chrono::milliseconds(0));
        QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
        f.carica([](Questionario& q) { q.setBox(0, Casella::SI, true); });
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
        QTest::keyClicks(f.vaiA("TEXT_GENERALE_0"), QStringLiteral("Beta"));
        f.finestra.showMinimized();
        QCoreApplication::processEvents();
        QVERIFY(!f.finestra.isVisible());
        QCOMPARE(FileXml::daFile(recupero.percorso()).valore(QStringLiteral("G/0")), QStringLiteral("Beta"));
    }

    // What a screen reader says of a sample of controls, the questionnaire's state included: "name |
    // description".
    void accessibilita_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QString>("controllo"); // an objectName, or "r,c" for a cell of the members grid
        QTest::addColumn<QString>("detto");
        const auto riga = [](Modello m, const char* controllo, const char* detto) {
            QTest::addRow("%s %s", qPrintable(nomeModello(m)), controllo) << m << controllo << detto;
        };
        const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
        riga(T, "Check_SI_0",
             "Si: La società ha effettuato operazioni atipiche o inusuali con: società "
             "infragruppo | Nota 1.a: presente. F2 apre la nota.");
        riga(M, "Check_SI_79",
             "Requisiti di professionalità dei membri del comitato per il controllo sulla "
             "gestione | Nota 1.0.a: assente. F2 apre la nota.");
        riga(D, "TEXT_GENERALE_35", "Data inizio incarico: mese | Solo cifre, al massimo 2.");
        riga(T, "TEXT_1",
             "E' stato istituito il comitato per le proposte di nomina? Quante riunioni sono state "
             "svolte dal comitato nel corso dell'anno? | Solo cifre, al massimo 3.");
        riga(D, "Command_Function_3", "Genera | Scorciatoia: Ctrl+G");
        riga(M, "0,2", "Codice Fiscale: RSSMRA80A01H501U | Presidente. Invio modifica la cella.");
        riga(T, "1,12", "Requisiti di professionalità: vuota | Membro 2. Invio apre il testo dei requisiti.");
    }
    void accessibilita()
    {
        QFETCH(Modello, modello);
        QFETCH(QString, controllo);
        Finestra f(modello);
        f.carica([](Questionario& q) {
            q.setBox(0, Casella::SI, true);
            q.setSegnoNota(0, true);
            q.membri().setCella(0, 2, QStringLiteral("RSSMRA80A01H501U"));
        });
        const QStringList cella = controllo.split(u',');
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(f.trova(qPrintable(cella[0])));
        if (cella.size() == 2)
            a = QAccessible::queryAccessibleInterface(f.trova("MSHFlexGrid1"))
                    ->tableInterface()
                    ->cellAt(cella[0].toInt(), cella[1].toInt());
        QTEST(a->text(QAccessible::Name) + " | " + a->text(QAccessible::Description), "detto");
    }

    // Where the style marks the focus faintly or not at all, the boxes without a caption and the members grid
    // have a frame of the highlight colour while they hold it. A question's note label reads on the line of
    // its boxes' captions. Clicking a tab while a control of another page has the focus, or Ctrl+Tab from
    // one: the tab shown and the page shown stay together.
    void aspettoEPagine()
    {
        Finestra f(Modello::Dualistico);
        QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
        for (const char* nome : {"Check_SI_79", "Check_SI_80", "Check_SI_81", "MSHFlexGrid1"}) {
            QWidget* w = f.vaiA(nome);
            const QColor evidenza = w->palette().color(QPalette::Highlight);
            const auto bordo = [w] { return w->grab().toImage().pixelColor(0, w->height() / 2); };
            QCOMPARE(bordo(), evidenza);
            f.vaiA("TEXT_GENERALE_0");
            QVERIFY2(bordo() != evidenza, nome);
        }
        f.finestra.schede()->setCurrentIndex(1);
        QWidget* pagina = f.finestra.schede()->widget(1);
        const int casella = inizioInchiostro(f.trova("Check_SI_72"), pagina);
        QVERIFY(casella >= 0 && qAbs(inizioInchiostro(f.trova("Label_NOTA_72"), pagina) - casella) <= 1);

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
        QTest::keyClick(f.vaiA("TEXT_GENERALE_0"), Qt::Key_Tab, Qt::ControlModifier);
        insieme(1);
    }
};

QTEST_MAIN(TestFinestraModello)
#include "tst_finestramodello.moc"
