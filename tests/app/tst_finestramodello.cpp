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

namespace {

constexpr auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;

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
        (void)QTest::qWaitForWindowActive(&finestra); // a test's first checks need the window on screen
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
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true); // recovery copies stay out of the user's own folders
        impostaCartellaProgramma(QCoreApplication::applicationDirPath() + QStringLiteral("/../src"));
    }

    void finestra_data()
    {
        QTest::addColumn<Modello>("modello");
        for (Modello m : tuttiIModelli)
            QTest::newRow(nomeModello(m).toLatin1()) << m;
    }
    // As it opens: tray icon titled, page 0 in front, Riquadro II if traditional, the commands, a reader's
    // name and description on every reachable control, page 0 whole; scrolling to a field and back to the
    // top; saved, changed and read back, it shows what an empty window shows of the file.
    void finestra()
    {
        QFETCH(Modello, modello);
        Finestra f(modello);
        QCOMPARE(f.icona->chiamate, QStringList{QStringLiteral("aggiungi|") + f.finestra.windowTitle()});
        QVERIFY(f.stato().flagSalvato() && f.finestra.schede()->currentIndex() == 0);
        QVERIFY(f.finestra.schede()->isTabEnabled(3) == (modello == T) &&
                !f.trova("NON_APPLICABILE") == (modello == T)); // Riquadro II, traditional model only
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
        QTest::mouseClick(f.vaiA("Check_SI_79"), Qt::LeftButton);
        QTest::keyClicks(f.vaiA("TEXT_GENERALE_5"), QStringLiteral("xyz"));
        f.finta.risposteMessaggi.enqueue(Interazione::Esito::No);
        f.finta.fileDaAprire.enqueue(percorso);
        f.finestra.azione(FinestraModello::Leggi)->trigger();
        QCOMPARE(f.finta.chiamate(QStringLiteral("titolo")).last(),
                 "titolo|" + f.finestra.windowTitle() + " - " + percorso);
        Finestra vuota(modello);
        vuota.finta.fileDaAprire.enqueue(percorso);
        QTest::mouseClick(vuota.finestra.pulsante(FinestraModello::Leggi), Qt::LeftButton);
        QCOMPARE(schermo(f.finestra), schermo(vuota.finestra));
    }

    // Button, menu entry and key run the same command, keys on any page even with "Leggi" off ("Esci" asks);
    // F2 clicks the note label; Riquadro II's counts: digits only, no edit; caption-less boxes and the grid
    // get a highlight focus frame; note labels sit on their boxes' caption line; tab and page stay together.
    void comandiETasti()
    {
        Finestra f(T);
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
        for (int via = 0; via < 3; ++via)
            for (int i = 0; i < 5; ++i) {
                const auto& [tasti, segno] = comandi[i];
                if (via == 2 && tasti.isEmpty())
                    continue; // the platform has no standard key for this command
                if (via == 2) // an edit, which disables "Leggi"
                    QTest::mouseClick(f.vaiA("Check_NA_8"), Qt::LeftButton);
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

        Finestra d(D); // its boxes 79 to 81 have no caption
        for (const char* nome : {"Check_SI_79", "Check_SI_80", "Check_SI_81", "MSHFlexGrid1"}) {
            QWidget* w = d.vaiA(nome);
            const QColor evidenza = w->palette().color(QPalette::Highlight);
            const auto bordo = [w] { return w->grab().toImage().pixelColor(0, w->height() / 2); };
            QCOMPARE(bordo(), evidenza);
            d.vaiA("TEXT_GENERALE_0");
            QVERIFY2(bordo() != evidenza, nome);
        }
        d.finestra.schede()->setCurrentIndex(1);
        QWidget* pagina = d.finestra.schede()->widget(1);
        const int casella = inizioInchiostro(d.trova("Check_SI_72"), pagina);
        QVERIFY(casella >= 0 && qAbs(inizioInchiostro(d.trova("Label_NOTA_72"), pagina) - casella) <= 1);

        QTabWidget* schede = d.finestra.schede();
        QTabBar* barra = schede->tabBar();
        const auto insieme = [&](int attesa) {
            QCOMPARE(barra->currentIndex(), attesa);
            for (int p = 0; p < schede->count(); ++p)
                QCOMPARE(schede->widget(p)->isVisible(), p == attesa);
        };
        for (int p : {1, 2, 4, 5, 0}) {
            QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(p).center());
            insieme(p);
            if (const auto caselle = schede->widget(p)->findChildren<QCheckBox*>();
                p != 0 && !caselle.isEmpty())
                caselle.first()->setFocus(); // so that the next click leaves a page holding the focus
        }
        QTest::keyClick(d.vaiA("TEXT_GENERALE_0"), Qt::Key_Tab, Qt::ControlModifier);
        insieme(1);
    }

    // A left click opens the icon's menu; minimised, the window lives on as its icon until "Ripristina" (with
    // no tray, an ordinary minimised window); closing the window takes the icon away.
    void icona()
    {
        using enum QSystemTrayIcon::ActivationReason;
        QVERIFY(attivazioneApreMenu(Trigger) && attivazioneApreMenu(DoubleClick) &&
                !attivazioneApreMenu(Context) && !attivazioneApreMenu(MiddleClick));
        IconaNotificaQt vera{QIcon()};
        vera.aggiungiIcona(profilo(T).titoloFinestra);
        QCOMPARE(vera.suggerimento(),
                 QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0 - MODELLO TRA"));
        for (bool tray : {true, false}) {
            Finestra f(D, tray);
            f.finestra.showMinimized();
            QCoreApplication::processEvents();
            QCOMPARE(f.finestra.isVisible(), !tray);
            f.trova<QAction>("MENU_RIPRISTINA")->trigger();
            QVERIFY(f.finestra.isVisible() && !f.finestra.isMinimized() &&
                    f.finestra.size() == QSize(969, 607));
        }
        auto* icona = new IconaFinta(true); // with the window's own dialogs, whose exit ends the program
        FinestraModello finestra(M, std::unique_ptr<IconaNotifica>(icona));
        finestra.show();
        Q_EMIT icona->menuRichiesto();
        QVERIFY(finestra.menuIcona()->isVisible());
        finestra.menuIcona()->close();
        finestra.close();
        QCOMPARE(icona->chiamate.last(), QStringLiteral("rimuovi"));
        // Closing ended the program, so later event loops would end at once; running the main loop undoes it.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

    // Tab and Shift+Tab follow the window's order across pages, showing the page reached, skipping the rest.
    void tastiera_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QStringList>("passo"); // "from > to" with Tab, "from < to" with Shift+Tab
        QTest::addColumn<int>("pagina");
        const auto riga = [](const char* caso, Modello m, const char* passo, int pagina) {
            QTest::newRow(caso) << m << QString(passo).split(u' ') << pagina;
        };
        riga("commands to page 1", T, "Command_Function_4 > Check_SI_72", 1);
        riga("hidden rows skipped", T, "Check_NO_47 > Check_SI_77", 4);
        riga("switched-off page skipped backwards", M, "Check_SI_77 < Check_NO_31", 2);
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
        QFETCH(QStringList, passo);
        Finestra f(modello);
        f.q().segnaModificato(); // "Leggi" disabled
        QTest::keyClick(f.vaiA(qPrintable(passo[0])), Qt::Key_Tab,
                        passo[1] == u">" ? Qt::NoModifier : Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), passo[2]);
        QTEST(f.finestra.schede()->currentIndex(), "pagina");
    }

    // The note being typed reaches the recovery copy before "Fine"; hiding to the tray writes the copy.
    void copiaDiRecupero()
    {
        QTemporaryDir cartella;
        Finestra f(M);
        CopiaRecupero& recupero = f.finestra.recupero();
        recupero.setCartella(cartella.path());
        recupero.setIntervallo(std::chrono::milliseconds(0));
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
        QCOMPARE(FileXml::daFile(recupero.percorso()).valore(QStringLiteral("G/0")), QStringLiteral("Beta"));
    }

    // What a screen reader says of a sample of controls ("name | description"), the state included.
    void accessibilita_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QString>("controllo"); // an objectName, or "r,c" for a cell of the members grid
        QTest::addColumn<QString>("detto");
        const auto riga = [](Modello m, const char* controllo, const char* detto) {
            QTest::addRow("%s %s", qPrintable(nomeModello(m)), controllo) << m << controllo << detto;
        };
        riga(T, "Check_SI_0",
             "Si: La società ha effettuato operazioni atipiche o inusuali "
             "con: società infragruppo | Nota 1.a: presente. F2 apre la nota.");
        riga(M, "Check_SI_79",
             "Requisiti di professionalità dei membri del comitato per il controllo "
             "sulla gestione | Nota 1.0.a: assente. F2 apre la nota.");
        riga(D, "TEXT_GENERALE_35", "Data inizio incarico: mese | Solo cifre, al massimo 2.");
        riga(T, "TEXT_1",
             "E' stato istituito il comitato per le proposte di nomina? Quante riunioni sono "
             "state svolte dal comitato nel corso dell'anno? | Solo cifre, al massimo 3.");
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
        auto* tabella = QAccessible::queryAccessibleInterface(f.trova("MSHFlexGrid1"))->tableInterface();
        QAccessibleInterface* a = cella.size() == 2
                                      ? tabella->cellAt(cella[0].toInt(), cella[1].toInt())
                                      : QAccessible::queryAccessibleInterface(f.trova(qPrintable(controllo)));
        QTEST(a->text(QAccessible::Name) + " | " + a->text(QAccessible::Description), "detto");
    }
};

QTEST_MAIN(TestFinestraModello)
#include "tst_finestramodello.moc"
