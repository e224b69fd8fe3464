#include "questionario/questionario.h"
#include "questionario/ui/paginadatigenerali.h"
#include "support/arrivotesto.h"
#include "support/interazionefinta.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
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
    explicit Banco(Modello modello = Modello::Tradizionale)
        : questionario(modello, interazione), modifiche(&questionario, &Questionario::modificato)
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
    static QString fuoco()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    InterazioneConFocus interazione;
    Questionario questionario;
    QSignalSpy modifiche;
    std::unique_ptr<PaginaDatiGenerali> pagina;
};

} // namespace

class TestPaginaDatiGenerali : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // However text comes, the field's rule judges it as the keys it stands for; the free-text fields take
    // it as it is.
    void ingresso_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("prima"); // "^" at its end: selected
        QTest::addColumn<int>("modo");      // -1 typed keys, else an Arrivo
        QTest::addColumn<QString>("arrivato");
        QTest::addColumn<QString>("atteso");
        QTest::addColumn<int>("beep");
        const int tasti = -1, incolla = int(Arrivo::Incolla), menu = int(Arrivo::Menu),
                  rilascio = int(Arrivo::Rilascio), metodo = int(Arrivo::Metodo);
        const auto riga = [](const char* nome, int campo, const char* prima, int modo,
                             const QString& arrivato, const char* atteso, int beep) {
            QTest::newRow(nome) << campo << QString::fromUtf8(prima) << modo << arrivato
                                << QString::fromUtf8(atteso) << beep;
        };
        riga("typed: twelfth digit", 1, "", tasti, "123456789012", "12345678901", 1);
        riga("typed: selected day replaced", 2, "12^", tasti, "4", "4", 0);
        riga("Ctrl+V is a refused key", 62, "", incolla, "12", "", 0);
        riga("Ctrl+V at the limit beeps", 63, "123", incolla, "4", "123", 1);
        riga("Ctrl+V in free text", 5, "Via ", incolla, "Po 1", "Via Po 1", 0);
        riga("menu: letters into a count", 62, "", menu, "abc", "", 0);
        riga("menu: count limit", 64, "1", menu, "2345", "123", 1);
        riga("menu: telephone keeps digits", 6, "", menu, "06-123 45", "0612345", 0);
        riga("menu: over a selection", 36, "1999^", menu, "2024", "2024", 0);
        riga("menu: line breaks type nothing", 1, "", menu, "123\r\n456\n", "123456", 0);
        riga("menu: free text as it comes", 0, "", menu, "Alfa\r\nBeta", "Alfa\r\nBeta", 0);
        riga("drop: letters into a count", 65, "7", rilascio, "xy", "7", 0);
        riga("drop: digits go in", 65, "", rilascio, "12", "12", 0);
        riga("drop: beyond the limit", 33, "12", rilascio, "345", "123", 1);
        riga("drop: free text", 7, "", rilascio, "a@b.it", "a@b.it", 0);
        riga("input method: day", 34, "", metodo, "3x", "3", 0);
        riga("input method: whole", 4, "", metodo, "2024", "2024", 0);
    }
    void ingresso()
    {
        QFETCH(int, campo);
        QFETCH(QString, prima);
        QFETCH(int, modo);
        QFETCH(QString, arrivato);
        QFETCH(QString, atteso);
        Banco b;
        QLineEdit* c = b.campo(campo);
        const bool selezionato = prima.endsWith(u'^');
        const QString iniziale = selezionato ? prima.chopped(1) : prima;
        {
            const Questionario::Caricamento caricamento(b.questionario);
            b.questionario.setCampoGenerale(campo, iniziale);
        }
        if (selezionato)
            c->selectAll();
        if (modo < 0)
            QTest::keyClicks(c, arrivato);
        else
            faiArrivare(c, Arrivo(modo), arrivato);
        QCOMPARE(c->text(), atteso);
        QTEST(b.interazione.beepSuonati, "beep");
        // What went in reached the questionnaire, as an edit; nothing going in is no edit.
        QCOMPARE(b.questionario.campoGenerale(campo), atteso);
        QCOMPARE(b.modifiche.count() > 0, atteso != iniziale);
    }

    // Enter and the completed date parts move the focus; a one-digit day or month gets its zero on leaving.
    void fuoco_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<int>("cliccato"); // -1: no click after typing
        QTest::addColumn<QString>("atteso");
        QTest::addColumn<int>("fuocoAtteso");
        const auto riga = [](const char* nome, int campo, const char* tasti, int cliccato, const char* atteso,
                             int fuoco) {
            QTest::newRow(nome) << campo << tasti << cliccato << atteso << fuoco;
        };
        riga("day complete", 2, "12", -1, "12", 3);
        riga("start month complete", 35, "01", -1, "01", 36);
        riga("one-digit day, click elsewhere", 2, "7", 5, "07", 3);
        riga("one-digit start month, click elsewhere", 35, "4", 62, "04", 36);
        riga("one-digit year, click elsewhere", 4, "7", 5, "7", 5);
        riga("Enter in the company name", 0, "\r", -1, "", 1);
        riga("Enter in a full tax code", 1, "12345678901\r", -1, "12345678901", 2);
        riga("Enter in a half year", 4, "20\r", -1, "20", 5);
        riga("Enter in the e-mail: nowhere", 7, "a@b.it\r", -1, "a@b.it", 7);
        riga("Enter in the offices", 33, "5\r", -1, "5", 34);
        riga("Enter in the start year", 36, "\r", -1, "", 36);
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
        QTest::keyClicks(b.campo(campo), tasti);
        if (cliccato >= 0)
            QTest::mouseClick(b.campo(cliccato), Qt::LeftButton);
        QCoreApplication::processEvents(); // what the focus change left queued
        QCOMPARE(b.questionario.campoGenerale(campo), atteso);
        QCOMPARE(Banco::fuoco(), nomeCampo(fuocoAtteso));
    }

    void riunioniNA()
    {
        Banco b;
        QLineEdit* campo = b.campo(65);
        auto* na = b.pagina->findChild<QCheckBox*>(QStringLiteral("chk_RiunioniNA"));
        const QColor bianco = campo->palette().color(QPalette::Base);
        QTest::keyClicks(campo, QStringLiteral("12"));
        b.modifiche.clear();
        QTest::mouseClick(na, Qt::LeftButton);
        QVERIFY(b.questionario.riunioniNA());
        QCOMPARE(campo->text(), QString());
        QCOMPARE(b.questionario.campoGenerale(65), QString());
        QVERIFY(!campo->isEnabled());
        // Clearly grey: darker than the window around it, not only the paler look of any disabled field.
        QVERIFY(qGray(campo->palette().color(QPalette::Base).rgb()) <
                qGray(QApplication::palette().color(QPalette::Window).rgb()));
        QVERIFY(b.modifiche.count() > 0);
        QTest::mouseClick(na, Qt::LeftButton);
        QVERIFY(campo->isEnabled());
        QCOMPARE(campo->text(), QString());
        QCOMPARE(campo->palette().color(QPalette::Base), bianco);
    }

    // What the reader writes shows at once and moves no focus.
    void scritturaDelLettore()
    {
        Banco b;
        QVERIFY(b.attiva());
        b.campo(0)->setFocus();
        {
            const Questionario::Caricamento caricamento(b.questionario);
            b.questionario.setCampoGenerale(2, QStringLiteral("12"));
            b.questionario.setCampoGenerale(65, QStringLiteral("4"));
            b.questionario.setRiunioniNA(true);
        }
        QCOMPARE(b.campo(2)->text(), QStringLiteral("12"));
        QCOMPARE(b.campo(65)->text(), QString());
        QVERIFY(!b.campo(65)->isEnabled());
        QCOMPARE(Banco::fuoco(), nomeCampo(0));
        QCOMPARE(b.modifiche.count(), 0);
    }
};

QTEST_MAIN(TestPaginaDatiGenerali)
#include "tst_paginadatigenerali.moc"
