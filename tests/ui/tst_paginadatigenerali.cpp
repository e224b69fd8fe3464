#include "questionario/questionario.h"
#include "questionario/ui/paginadatigenerali.h"
#include "support/interazionefinta.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(Modello)

namespace {

// The scripted port, except that moving the focus really moves it, as the window's port does.
class InterazioneConFocus : public InterazioneFinta
{
public:
    QWidget* radice = nullptr;
    void spostaFocus(const QString& nome) override
    {
        InterazioneFinta::spostaFocus(nome);
        if (QWidget* controllo = radice ? radice->findChild<QWidget*>(nome) : nullptr)
            controllo->setFocus(Qt::OtherFocusReason);
    }
};

QString nomeCampo(int i)
{
    return QStringLiteral("TEXT_GENERALE_%1").arg(i);
}

// A questionnaire with its page on screen, over a stand-in for the members frame that takes the focus.
struct Banco
{
    explicit Banco(Modello modello = Modello::Tradizionale) : questionario(modello, interazione)
    {
        auto* membri = new QWidget;
        membri->setObjectName(QStringLiteral("Frame8"));
        membri->setFocusPolicy(Qt::StrongFocus);
        pagina = std::make_unique<PaginaDatiGenerali>(questionario, membri);
        interazione.radice = pagina.get();
        pagina->show();
        pagina->activateWindow();
    }
    bool attiva() { return QTest::qWaitForWindowActive(pagina.get()); }
    QLineEdit* campo(int i) const { return pagina->findChild<QLineEdit*>(nomeCampo(i)); }
    QString testo(const QString& nome) const
    {
        if (const auto* casella = pagina->findChild<QAbstractButton*>(nome))
            return casella->text();
        const auto* etichetta = pagina->findChild<QLabel*>(nome);
        return etichetta ? etichetta->text() : QStringLiteral("(manca %1)").arg(nome);
    }
    static QString fuoco()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    }
    // Types `tasti` into `campo`: "\r" is Enter, "^" selects the whole text (Ctrl+A).
    static void digita(QLineEdit* campo, const QString& tasti)
    {
        for (QChar c : tasti) {
            if (c == u'\r')
                QTest::keyClick(campo, Qt::Key_Return);
            else if (c == u'^')
                QTest::keyClick(campo, Qt::Key_A, Qt::ControlModifier);
            else
                QTest::keyClick(campo, c.toLatin1());
        }
    }

    InterazioneConFocus interazione;
    Questionario questionario;
    std::unique_ptr<PaginaDatiGenerali> pagina;
};

} // namespace

class TestPaginaDatiGenerali : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void testi_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QStringList>("testi"); // heading, label of box 79, of box 80, of fields 62 and 64
        QTest::addColumn<bool>("siNo80");
        QTest::addColumn<bool>("comitato");
        QTest::newRow("tradizionale")
            << Modello::Tradizionale
            << QStringList{"Requisiti di professionalità dei sindaci",
                           "Materie e settori strettamente attinenti quello dell'impresa",
                           "Eventuali condizioni aggiuntive per la sussistenza dei requisisti di "
                           "professionalità dei sindaci",
                           "Numero di riunioni del collegio sindacale",
                           "Numero di riunioni del consiglio d'amministrazione"}
            << true << true;
        QTest::newRow("dualistico")
            << Modello::Dualistico
            << QStringList{"Requisiti di professionalità ed indipendenza",
                           "Requisiti di professionalità dei consiglieri di sorveglianza",
                           "Requisiti di indipendenza, cause di ineleggibilità e decadenze ulteriori "
                           "rispetto a quelli di legge",
                           "Numero di riunioni del consiglio di sorveglianza",
                           "Numero di riunioni del consiglio di gestione"}
            << false << false;
        QTest::newRow("monistico")
            << Modello::Monistico
            << QStringList{"Requisiti di professionalità ed indipendenza",
                           "Requisiti di professionalità dei membri del comitato per il controllo sulla gestione",
                           "Requisiti di indipendenza previsti da codici di comportamento di associazioni di categoria o di "
                           "società di gestione di mercati, se previsti dallo statuto",
                           "Numero di riunioni del comitato per il controllo sulla gestione",
                           "Numero di riunioni del consiglio d'amministrazione"}
            << false << true;
    }

    void testi()
    {
        QFETCH(Modello, modello);
        QFETCH(QStringList, testi);
        QFETCH(bool, siNo80);
        QFETCH(bool, comitato);
        Banco b(modello);
        const QList<std::pair<QString, QString>> attesi{
            {"LABEL_GENERALE_0", "Denominazione della società"},
            {"LABEL_GENERALE_1", "Codice Fiscale della società"},
            {"LABEL_GENERALE_2", "Data di chiusura del bilancio (gg/mm/aaaa)"},
            {"LABEL_BARRA_3", "/"},
            {"LABEL_BARRA_4", "/"},
            {"LABEL_GENERALE_5", "Indirizzo Referente"},
            {"LABEL_GENERALE_6", "Telefono Referente"},
            {"LABEL_GENERALE_7", "E-mail Referente"},
            {"LABEL_REQUISITI", testi[0]},
            {"LABEL_CASELLA_79", testi[1]},
            {"Check_SI_79", ""},
            {"Label_NOTA_79", "Nota 1.0.a"},
            {"LABEL_CASELLA_80", testi[2]},
            {"Check_SI_80", siNo80 ? "Si" : ""},
            {"Label_NOTA_80", "Nota 1.0.b"},
            {"LABEL_RIUNIONI", "Numero di assemblee e riunioni nell'anno"},
            {"LABEL_GENERALE_62", testi[3]},
            {"LABEL_GENERALE_63", "Numero di assemblee"},
            {"LABEL_GENERALE_64", testi[4]},
            {"LABEL_GENERALE_33", "Numero massimo di incarichi previsti dallo statuto"},
            {"Check_SI_81", ""},
            {"Label_NOTA_81", "Nota 1.0.c"},
            {"LABEL_GENERALE_34", "Data inizio incarico (gg/mm/aaaa)"},
            {"LABEL_BARRA_35", "/"},
            {"LABEL_BARRA_36", "/"},
        };
        for (const auto& [nome, testo] : attesi)
            QCOMPARE(b.testo(nome), testo);
        QCOMPARE(b.testo("Check_NO_80"), siNo80 ? QStringLiteral("No") : "(manca Check_NO_80)");
        QCOMPARE(b.testo("LABEL_GENERALE_65"),
                 comitato ? QStringLiteral("Numero di riunioni del comitato esecutivo")
                          : "(manca LABEL_GENERALE_65)");
        QCOMPARE(b.testo("chk_RiunioniNA"), comitato ? QStringLiteral("N/A") : "(manca chk_RiunioniNA)");

        QStringList campi, attesiCampi;
        for (const QLineEdit* campo : b.pagina->findChildren<QLineEdit*>())
            campi.append(campo->objectName());
        for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 33, 34, 35, 36, 62, 63, 64, 65})
            if (i != 65 || comitato)
                attesiCampi.append(nomeCampo(i));
        campi.sort();
        attesiCampi.sort();
        QCOMPARE(campi, attesiCampi);
    }

    void tasti_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("atteso");
        QTest::addColumn<int>("beep");
        const auto riga = [](const char* nome, int campo, const QString& tasti, const QString& atteso,
                             int beep) { QTest::newRow(nome) << campo << tasti << atteso << beep; };
        riga("denominazione libera", 0, "Alfa & C. 1", "Alfa & C. 1", 0);
        riga("codice fiscale senza lettere", 1, "12a3B", "123", 0);
        riga("dodicesima cifra", 1, "123456789012", "12345678901", 1);
        riga("solo lettere: nulla cambia", 1, "abc", "", 0);
        riga("terza cifra del giorno", 2, "123", "12", 0);
        riga("giorno selezionato e sostituito", 2, "12^4", "4", 0);
        riga("anno", 4, "2o0245", "2024", 0);
        riga("telefono", 6, "06-123 45", "0612345", 0);
        riga("quarta cifra degli incarichi", 33, "1234", "123", 1);
        riga("riunioni", 62, "12a34", "123", 1);
    }

    void tasti()
    {
        QFETCH(int, campo);
        QFETCH(QString, tasti);
        QFETCH(QString, atteso);
        QFETCH(int, beep);
        Banco b;
        Banco::digita(b.campo(campo), tasti);
        QCOMPARE(b.campo(campo)->text(), atteso);
        QCOMPARE(b.questionario.campoGenerale(campo), atteso);
        QCOMPARE(b.interazione.beepSuonati, beep);
        // Typing counts as an edit and makes "Leggi" unavailable; refused keys are no typing.
        QCOMPARE(b.questionario.flagSalvato(), atteso.isEmpty());
        QCOMPARE(b.questionario.leggiDisponibile(), atteso.isEmpty());
    }

    void fuoco_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<int>("cliccato"); // -1: no click after typing
        QTest::addColumn<QString>("atteso");
        QTest::addColumn<int>("fuocoAtteso");
        const auto riga = [](const char* nome, int campo, const QString& tasti, int cliccato,
                             const QString& atteso, int fuoco) {
            QTest::newRow(nome) << campo << tasti << cliccato << atteso << fuoco;
        };
        riga("giorno completo", 2, "12", -1, "12", 3);
        riga("mese completo", 3, "12", -1, "12", 4);
        riga("mese di inizio completo", 35, "01", -1, "01", 36);
        riga("giorno di una cifra, clic altrove", 2, "7", 5, "07", 3);
        riga("mese di inizio di una cifra, clic altrove", 35, "4", 62, "04", 36);
        riga("anno di una cifra, clic altrove", 4, "7", 5, "7", 5);
        riga("Invio nella denominazione", 0, "\r", -1, "", 1);
        riga("Invio nel codice fiscale pieno", 1, "12345678901\r", -1, "12345678901", 2);
        riga("Invio nell'anno a metà", 4, "20\r", -1, "20", 5);
        riga("Invio nell'anno pieno", 4, "2024\r", -1, "2024", 5);
        riga("Invio nell'e-mail: nessun seguito", 7, "a@b.it\r", -1, "a@b.it", 7);
        riga("Invio negli incarichi", 33, "5\r", -1, "5", 34);
        riga("Invio nell'anno di inizio", 36, "\r", -1, "", 36);
    }

    void fuoco()
    {
        QFETCH(int, campo);
        QFETCH(QString, tasti);
        QFETCH(int, cliccato);
        QFETCH(QString, atteso);
        QFETCH(int, fuocoAtteso);
        Banco b;
        QVERIFY(b.attiva());
        QTest::mouseClick(b.campo(campo), Qt::LeftButton);
        QCOMPARE(Banco::fuoco(), nomeCampo(campo));
        Banco::digita(b.campo(campo), tasti);
        if (cliccato >= 0)
            QTest::mouseClick(b.campo(cliccato), Qt::LeftButton);
        // What the focus change left queued.
        QCoreApplication::processEvents();
        QCOMPARE(b.campo(campo)->text(), atteso);
        QCOMPARE(b.questionario.campoGenerale(campo), atteso);
        QCOMPARE(Banco::fuoco(), nomeCampo(fuocoAtteso));
        QCOMPARE(b.interazione.beepSuonati, 0);
    }

    void incolla_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QKeyCombination>("combinazione");
        QTest::addColumn<QString>("atteso");
        const QKeyCombination ctrlV(Qt::ControlModifier, Qt::Key_V),
            maiuscIns(Qt::ShiftModifier, Qt::Key_Insert);
        QTest::newRow("Ctrl+V, testo libero") << 0 << ctrlV << "123";
        QTest::newRow("Maiusc+Ins, testo libero") << 5 << maiuscIns << "123";
        QTest::newRow("Ctrl+V, codice fiscale") << 1 << ctrlV << "";
        QTest::newRow("Maiusc+Ins, codice fiscale") << 1 << maiuscIns << "";
        QTest::newRow("Ctrl+V, giorno") << 34 << ctrlV << "";
        QTest::newRow("Ctrl+V, incarichi") << 33 << ctrlV << "";
    }

    void incolla()
    {
        QFETCH(int, campo);
        QFETCH(QKeyCombination, combinazione);
        QFETCH(QString, atteso);
        Banco b;
        QGuiApplication::clipboard()->setText(QStringLiteral("123"));
        QTest::keyClick(b.campo(campo), combinazione.key(), combinazione.keyboardModifiers());
        QCOMPARE(b.campo(campo)->text(), atteso);
        QCOMPARE(b.questionario.campoGenerale(campo), atteso);
    }

    void riunioniNA()
    {
        Banco b;
        QLineEdit* campo = b.campo(65);
        auto* na = b.pagina->findChild<QCheckBox*>("chk_RiunioniNA");
        const QColor bianco = campo->palette().color(QPalette::Base);
        QTest::keyClicks(campo, "12");
        b.questionario.segnaSalvato();

        QTest::mouseClick(na, Qt::LeftButton);
        QVERIFY(b.questionario.riunioniNA());
        QCOMPARE(campo->text(), QString());
        QCOMPARE(b.questionario.campoGenerale(65), QString());
        QVERIFY(!campo->isEnabled());
        const QColor grigio = campo->palette().color(QPalette::Base);
        // Clearly grey: darker than the window around it, not only the paler look of any disabled field.
        const QColor sfondo = QApplication::palette().color(QPalette::Window);
        QVERIFY2(qGray(grigio.rgb()) < qGray(sfondo.rgb()), qPrintable(grigio.name() + " " + sfondo.name()));
        QVERIFY(!b.questionario.flagSalvato());

        QTest::mouseClick(na, Qt::LeftButton);
        QVERIFY(!b.questionario.riunioniNA());
        QVERIFY(campo->isEnabled());
        QCOMPARE(campo->text(), QString());
        QCOMPARE(campo->palette().color(QPalette::Base), bianco);
    }

    void scritturaDelLettore()
    {
        Banco b;
        QVERIFY(b.attiva());
        b.campo(0)->setFocus();
        b.questionario.setCaricamento(true);
        b.questionario.setCampoGenerale(2, "12");
        b.questionario.setCampoGenerale(65, "4");
        b.questionario.setRiunioniNA(true);
        QCOMPARE(b.campo(2)->text(), QStringLiteral("12"));
        QCOMPARE(b.campo(65)->text(), QString());
        QVERIFY(b.pagina->findChild<QCheckBox*>("chk_RiunioniNA")->isChecked());
        QVERIFY(!b.campo(65)->isEnabled());
        QCOMPARE(Banco::fuoco(), nomeCampo(0));
        QVERIFY(b.interazione.chiamate("focus").isEmpty());
        QVERIFY(b.questionario.flagSalvato());
        QVERIFY(b.questionario.leggiDisponibile());
    }

    void ordineTastiera_data()
    {
        QTest::addColumn<Modello>("modello");
        QTest::addColumn<QStringList>("ordine");
        const auto ordine = [](bool comitato, const QStringList& finale) {
            QStringList nomi;
            for (int i = 0; i <= 7; ++i)
                nomi.append(nomeCampo(i));
            nomi << "Check_SI_79"
                 << "Check_SI_80";
            for (int i = 62; i <= (comitato ? 65 : 64); ++i)
                nomi.append(nomeCampo(i));
            nomi << "Frame8";
            for (int i = 33; i <= 36; ++i)
                nomi.append(nomeCampo(i));
            return nomi + finale;
        };
        QTest::newRow("tradizionale")
            << Modello::Tradizionale << ordine(true, {"Check_SI_81", "Check_NO_80", "chk_RiunioniNA"});
        QTest::newRow("dualistico") << Modello::Dualistico << ordine(false, {"Check_SI_81"});
        QTest::newRow("monistico") << Modello::Monistico << ordine(true, {"Check_SI_81", "chk_RiunioniNA"});
    }

    void ordineTastiera()
    {
        QFETCH(Modello, modello);
        QFETCH(QStringList, ordine);
        Banco b(modello);
        QVERIFY(b.attiva());
        b.campo(0)->setFocus();
        QStringList percorso{Banco::fuoco()};
        while (percorso.size() < ordine.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            percorso.append(Banco::fuoco());
        }
        QCOMPARE(percorso, ordine);

        // The parts the window chains around its own controls give the same order.
        QStringList parti;
        for (const QWidget* w : b.pagina->ordineTastieraIniziale() +
                                    QList<QWidget*>{b.pagina->findChild<QWidget*>("Frame8")} +
                                    b.pagina->ordineTastieraDopoMembri() + b.pagina->ordineTastieraFinale())
            parti.append(w->objectName());
        QCOMPARE(parti, ordine);
    }
};

QTEST_MAIN(TestPaginaDatiGenerali)
#include "tst_paginadatigenerali.moc"
