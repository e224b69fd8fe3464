#include "app/finestramodello.h"
#include "app/iconanotificaqt.h"
#include "modelli/posizionifile.h"
#include "questionario/ui/finestranota.h"
#include "support/arrivotesto.h"
#include "support/interazionefinta.h"
#include "support/percorsixml.h"

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
};

// Everything the window shows, one line per control, in a stable order.
QStringList schermo(const FinestraModello& finestra)
{
    QStringList righe;
    for (const QLineEdit* campo :
         finestra.findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^TEXT"))))
        righe << QStringLiteral("%1=%2 %3").arg(campo->objectName(), campo->text()).arg(campo->isEnabled());
    for (const QCheckBox* casella : finestra.findChildren<QCheckBox*>())
        righe << QStringLiteral("%1=%2").arg(casella->objectName()).arg(casella->isChecked());
    for (const QLabel* etichetta :
         finestra.findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Label_NOTA"))))
        righe << etichetta->objectName() + u'=' + etichetta->palette().color(QPalette::WindowText).name();
    const QAbstractItemModel* griglia =
        finestra.findChild<QTableView*>(QStringLiteral("MSHFlexGrid1"))->model();
    for (int r = 0; r < griglia->rowCount(); ++r) {
        for (int c = 0; c < griglia->columnCount(); ++c)
            righe
                << QStringLiteral("cella %1,%2=%3").arg(r).arg(c).arg(griglia->index(r, c).data().toString());
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
        const bool si = d.casellaSingola() || i % 3 == 0, no = !si && (i % 3 == 1 || !d.offreNA);
        q.setBox(i, si ? Casella::SI : no ? Casella::NO : Casella::NA, true);
        // Note 1.0.b opens on "Si" only: a "No" of box 80 never has a note.
        const bool nota = si || (no && d.etichettaNotaVisibile && i < 79);
        si ? q.setNotaSI(i, QStringLiteral("Nota SI %1\r\nseconda riga").arg(i))
           : q.setNotaAltre(i, nota ? QStringLiteral("Nota NO %1").arg(i) : QString());
        q.setSegnoNota(i, nota);
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
    // As it opens: the tray icon first, the title as its tip (cut to 63 characters by the icon itself); page
    // 0 in front; Riquadro II in the traditional model only; the commands' buttons and menu entries; a name
    // and a description for a screen reader on every control the keyboard reaches. Page 0 shows whole; in a
    // lower window the check's focus scrolls to its field, and shown again the page starts at its top. Saved,
    // changed and read back, a questionnaire with a value of every kind shows as it was, "Leggi" back.
    void finestra()
    {
        QFETCH(Modello, modello);
        Finestra f(modello);
        QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
        QCOMPARE(f.icona->chiamate, QStringList{QStringLiteral("aggiungi|") + f.finestra.windowTitle()});
        QVERIFY(f.stato().flagSalvato() && f.finestra.schede()->currentIndex() == 0);
        const bool riquadroII = modello == Modello::Tradizionale;
        QCOMPARE(f.finestra.schede()->isTabEnabled(3), riquadroII);
        QCOMPARE(f.trova(QStringLiteral("NON_APPLICABILE")) != nullptr, !riquadroII);
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
        QCOMPARE(pagina->verticalScrollBar()->maximum(), 0);
        for (const char* nome : {"TEXT_GENERALE_0", "TEXT_GENERALE_33", "Check_SI_81", "Label_NOTA_81",
                                 "TEXT_GENERALE_36", "btnAggiungi"}) {
            QWidget* w = f.trova(QString::fromLatin1(nome));
            QVERIFY2(
                pagina->viewport()->rect().contains(QRect(w->mapTo(pagina->viewport(), QPoint()), w->size())),
                nome);
        }
        auto* griglia = f.trova<QTableView>(QStringLiteral("MSHFlexGrid1"));
        QVERIFY(griglia->viewport()->height() >= 5 * griglia->rowHeight(0)); // about six rows at least
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

        QTemporaryDir cartella;
        const QString percorso = cartella.filePath(QStringLiteral("salvato.xml"));
        compila(f.finestra.questionario());
        const QStringList prima = schermo(f.finestra);
        f.finta.fileDaSalvare.enqueue(percorso);
        QTest::mouseClick(f.finestra.pulsante(FinestraModello::SalvaTemporaneo), Qt::LeftButton);
        QVERIFY2(QFileInfo::exists(percorso) && f.stato().flagSalvato(),
                 qPrintable(f.finta.registro.join(u'\n')));
        QTest::mouseClick(f.vaiA(QStringLiteral("Check_SI_79")), Qt::LeftButton);
        QTest::keyClicks(f.vaiA(QStringLiteral("TEXT_GENERALE_5")), QStringLiteral("xyz"));
        QVERIFY(schermo(f.finestra) != prima && !f.finestra.pulsante(FinestraModello::Leggi)->isEnabled());
        f.finta.risposteMessaggi.enqueue(Interazione::Esito::No);
        f.finta.fileDaAprire.enqueue(percorso);
        f.finestra.azione(FinestraModello::Leggi)->trigger();
        const QStringList dopo = schermo(f.finestra);
        for (qsizetype i = 0; i < std::max(prima.size(), dopo.size()); ++i)
            QCOMPARE(dopo.value(i), prima.value(i));
        QCOMPARE(f.finta.chiamate(QStringLiteral("titolo")).last(),
                 "titolo|" + f.finestra.windowTitle() + " - " + percorso);
        QVERIFY(f.finestra.pulsante(FinestraModello::Leggi)->isEnabled() && f.stato().flagSalvato());
    }

    // The button, the tray menu's entry and the key of each command run the same operation; the keys work
    // from any page, "Leggi" too while an edit keeps its button disabled (and "Esci" then asks first).
    void comandi()
    {
        Finestra f(Modello::Tradizionale);
        QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
        const std::tuple<const char*, QKeySequence, QString> comandi[] = {
            {"STAMPA", QKeySequence::Print, "stampa|" + f.finestra.windowTitle()},
            {"SALVA", QKeySequence::Save, "salvafile|Salva file"},
            {"LEGGI", QKeySequence::Open, "aprifile|Apri file"},
            {"GENERA", QKeySequence(Qt::CTRL | Qt::Key_G),
             "messaggio|Errore|Verificare nel riquadro Dati Generali la denominazione della società prima di "
             "passare alla generazione del file."},
            {"ESCI", QKeySequence::Quit, "termina"}};
        for (const QString via : {"pulsante", "menu", "tasti"}) {
            for (int i = 0; i < 5; ++i) {
                const auto& [menu, tasti, segno] = comandi[i];
                QString atteso = segno;
                if (via == u"tasti") {
                    if (tasti.isEmpty())
                        continue; // the platform has no standard key for this command
                    QTest::mouseClick(f.vaiA(QStringLiteral("Check_NA_8")), Qt::LeftButton);
                    QVERIFY(!f.finestra.pulsante(FinestraModello::Leggi)->isEnabled());
                    if (i == FinestraModello::Esci)
                        atteso = QStringLiteral(
                            "messaggio|Warning|Con questa operazione verranno perse tutte le "
                            "modifiche\r\neffettuate: si desidera salvarle in un file temporaneo?");
                }
                f.finta.registro.clear();
                if (via == u"pulsante")
                    QTest::mouseClick(f.trova<QPushButton>(QStringLiteral("Command_Function_%1").arg(i)),
                                      Qt::LeftButton);
                else if (via == u"menu")
                    f.trova<QAction>(QStringLiteral("MENU_") + menu)->trigger();
                else
                    QTest::keySequence(f.vaiA(QStringLiteral("Check_SI_77")), tasti);
                QVERIFY2(f.finta.registro.contains(atteso),
                         qPrintable(via + u' ' + menu + u':' + f.finta.registro.join(u'\n')));
            }
        }
    }

    // F2 on an answer box is a click on the question's note label: the click's edit, the label's condition.
    // The meeting counts of Riquadro II take digits only, however they come, and are no edit.
    void tastiSulleCaselle()
    {
        Finestra f(Modello::Tradizionale);
        QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
        Questionario& q = f.finestra.questionario();
        // The box, the answer ticked beforehand, whether the note opens, whether the label shows.
        const std::tuple<const char*, Casella, bool, bool> casi[] = {
            {"Check_NO_21", Casella::NO, false, false},
            {"Check_SI_49", Casella::NO, true, true},
            {"Check_SI_49", Casella::SI, false, true},
            {"Check_SI_81", Casella::SI, true, true}};
        for (const auto& [casella, risposta, apre, etichetta] : casi) {
            const int indice = QString::fromLatin1(casella).section(u'_', -1).toInt();
            {
                const Questionario::Caricamento caricamento(q);
                q.setBox(indice, risposta, true);
            }
            f.stato().segnaSalvato();
            f.finta.registro.clear();
            QWidget* box = f.vaiA(QString::fromLatin1(casella));
            QCOMPARE(box->toolTip(), etichetta ? QStringLiteral("F2: apre la nota") : QString());
            QTest::keyClick(box, Qt::Key_F2);
            QCOMPARE(f.finta.chiamate(QStringLiteral("nota")),
                     apre ? QStringList{QStringLiteral("nota|%1").arg(indice)} : QStringList());
            QVERIFY(f.stato().flagSalvato() != etichetta && QApplication::focusWidget() == box);
        }

        f.stato().segnaSalvato();
        auto* conteggio = static_cast<QLineEdit*>(f.vaiA(QStringLiteral("TEXT_1")));
        QTest::keyClicks(conteggio, QStringLiteral("1a2345"));
        QCOMPARE(conteggio->text(), QStringLiteral("123"));
        conteggio->clear();
        faiArrivare(conteggio, Arrivo::Menu, QStringLiteral("4x2"));
        QCOMPARE(q.conteggioRiquadroII(1), QStringLiteral("42"));
        QVERIFY(f.stato().flagSalvato() && f.finestra.pulsante(FinestraModello::Leggi)->isEnabled());
    }

    // The icon's menu opens on a left click; minimised, the window lives on as its icon and "Ripristina"
    // brings it back as it was (without a tray it stays an ordinary minimised window); closing the window
    // takes the icon away.
    void icona()
    {
        QVERIFY(attivazioneApreMenu(QSystemTrayIcon::Trigger) &&
                attivazioneApreMenu(QSystemTrayIcon::DoubleClick) &&
                !attivazioneApreMenu(QSystemTrayIcon::Context) &&
                !attivazioneApreMenu(QSystemTrayIcon::MiddleClick));
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
        QTest::addColumn<QString>("da");
        QTest::addColumn<bool>("avanti");
        QTest::addColumn<QString>("a");
        QTest::addColumn<int>("pagina");
        const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
        QTest::newRow("commands to page 1") << T << "Command_Function_4" << true << "Check_SI_72" << 1;
        QTest::newRow("back to the commands") << T << "Check_SI_72" << false << "Command_Function_4" << 1;
        QTest::newRow("page 1 to page 2") << T << "Check_NA_14" << true << "Check_SI_15" << 2;
        QTest::newRow("count field of Riquadro II") << T << "Check_NO_33" << true << "TEXT_0" << 3;
        QTest::newRow("hidden rows skipped") << T << "Check_NO_47" << true << "Check_SI_77" << 4;
        QTest::newRow("switched-off page skipped") << D << "Check_NO_74" << true << "Check_SI_77" << 4;
        QTest::newRow("and back over it") << M << "Check_SI_77" << false << "Check_NO_31" << 2;
        QTest::newRow("disabled Leggi skipped")
            << T << "Command_Function_1" << true << "Command_Function_3" << 0;
        QTest::newRow("members grid to the offices")
            << T << "MSHFlexGrid1" << true << "TEXT_GENERALE_33" << 0;
        QTest::newRow("e-mail to box 79") << T << "TEXT_GENERALE_7" << true << "Check_SI_79" << 0;
        QTest::newRow("box 80 to the meetings") << T << "Check_SI_80" << true << "TEXT_GENERALE_62" << 0;
        QTest::newRow("meetings to the grid") << T << "TEXT_GENERALE_65" << true << "MSHFlexGrid1" << 0;
        QTest::newRow("two-tier meetings to the grid")
            << D << "TEXT_GENERALE_64" << true << "MSHFlexGrid1" << 0;
        QTest::newRow("start year to the commands")
            << T << "TEXT_GENERALE_36" << true << "Command_Function_0" << 0;
        QTest::newRow("Aggiungi to box 81") << T << "btnAggiungi" << true << "Check_SI_81" << 0;
        QTest::newRow("box 81 to the No of 80") << T << "Check_SI_81" << true << "Check_NO_80" << 0;
        QTest::newRow("first field back to the last")
            << T << "TEXT_GENERALE_0" << false << "chk_RiunioniNA" << 0;
        QTest::newRow("two-tier: back to box 81") << D << "TEXT_GENERALE_0" << false << "Check_SI_81" << 0;
    }
    void tastiera()
    {
        QFETCH(Modello, modello);
        QFETCH(QString, da);
        QFETCH(bool, avanti);
        Finestra f(modello);
        f.finestra.questionario().segnaModificato(); // "Leggi" disabled
        QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
        QTest::keyClick(f.vaiA(da), Qt::Key_Tab, avanti ? Qt::NoModifier : Qt::ShiftModifier);
        QTEST(QApplication::focusWidget()->objectName(), "a");
        QTEST(f.finestra.schede()->currentIndex(), "pagina");
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

    // What a screen reader says of a sample of controls, the questionnaire's state included.
    void accessibilita_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QString>("controllo"); // an objectName, or "r,c" for a cell of the members grid
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("descrizione");
        const auto riga = [](Modello m, const char* controllo, const char* nome, const char* descrizione) {
            QTest::addRow("%s %s", qPrintable(nomeModello(m)), controllo)
                << m << controllo << nome << descrizione;
        };
        const auto T = Modello::Tradizionale, D = Modello::Dualistico, M = Modello::Monistico;
        riga(T, "Check_SI_0",
             "Si: La società ha effettuato operazioni atipiche o inusuali con: società infragruppo",
             "Nota 1.a: presente. F2 apre la nota.");
        riga(M, "Check_SI_79",
             "Requisiti di professionalità dei membri del comitato per il controllo sulla gestione",
             "Nota 1.0.a: assente. F2 apre la nota.");
        riga(D, "TEXT_GENERALE_35", "Data inizio incarico: mese", "Solo cifre, al massimo 2.");
        riga(
            T, "TEXT_1",
            "E' stato istituito il comitato per le proposte di nomina? Quante riunioni sono state svolte dal "
            "comitato nel corso dell'anno?",
            "Solo cifre, al massimo 3.");
        riga(D, "Command_Function_3", "Genera", "Scorciatoia: Ctrl+G");
        riga(M, "0,2", "Codice Fiscale: RSSMRA80A01H501U", "Presidente. Invio modifica la cella.");
        riga(T, "1,12", "Requisiti di professionalità: vuota",
             "Membro 2. Invio apre il testo dei requisiti.");
    }
    void accessibilita()
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
        const auto cella = [&] { return controllo.section(u',', 0, 0).toInt(); };
        QAccessibleInterface* a =
            controllo.contains(u',')
                ? QAccessible::queryAccessibleInterface(f.trova(QStringLiteral("MSHFlexGrid1")))
                      ->tableInterface()
                      ->cellAt(cella(), controllo.section(u',', 1).toInt())
                : QAccessible::queryAccessibleInterface(f.trova(controllo));
        QTEST(a->text(QAccessible::Name), "nome");
        QTEST(a->text(QAccessible::Description), "descrizione");
    }

    // Where the style marks the focus faintly or not at all, the boxes without a caption and the members grid
    // have a frame of the highlight colour while they hold it. A question's note label reads on the line of
    // its boxes' captions.
    void aspetto()
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
        const int casella = inizioInchiostro(f.trova(QStringLiteral("Check_SI_72")), pagina);
        QVERIFY(casella >= 0 &&
                qAbs(inizioInchiostro(f.trova(QStringLiteral("Label_NOTA_72")), pagina) - casella) <= 1);
    }
};

QTEST_MAIN(TestFinestraModello)
#include "tst_finestramodello.moc"
