#include "questionario/questionario.h"
#include "questionario/ui/paginadatigenerali.h"
#include "support/arrivotesto.h"
#include "support/interazionefinta.h"

#include <QApplication>
#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>

namespace {

// A questionnaire with its page on screen; its scripted port really moves the focus, as the window's does.
struct Banco : InterazioneFinta
{
    Questionario questionario{Modello::Tradizionale, *this};
    QSignalSpy modifiche{&questionario, &Questionario::modificato};
    PaginaDatiGenerali pagina{questionario, nullptr};

    Banco()
    {
        pagina.show();
        QVERIFY(QTest::qWaitForWindowActive(&pagina));
    }
    void spostaFocus(const QString& nome) override { pagina.findChild<QWidget*>(nome)->setFocus(); }
    QLineEdit* campo(int i) { return pagina.findChild<QLineEdit*>("TEXT_GENERALE_" + QString::number(i)); }
};

// Field; text before ("^": selected); typed keys (-1) or an Arrivo, and the text; text after; beeps; field
// clicked afterwards (-1 none); field with the focus (-1 after a menu, which leaves no window active here).
using Ingresso = std::tuple<int, QString, int, QString, QString, int, int, int>;

} // namespace

Q_DECLARE_METATYPE(Ingresso)

class TestPaginaDatiGenerali : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Text, however it comes (a row per way; the key rules are the filters'), is judged as its keys. Enter
    // and complete date parts move the focus; a lone day or month digit gets its zero on leaving.
    void ingresso_data()
    {
        QTest::addColumn<Ingresso>("ingresso");
        const int tasti = -1, menu = int(Arrivo::Menu), rilascio = int(Arrivo::Rilascio);
        const auto riga = [](const char* nome, const Ingresso& ingresso) { QTest::newRow(nome) << ingresso; };
        riga("typed: twelfth digit", {1, "", tasti, "123456789012", "12345678901", 1, -1, 1});
        riga("typed: selected day replaced", {2, "12^", tasti, "4", "4", 0, -1, 2});
        riga("Ctrl+V is a refused key", {62, "", int(Arrivo::Incolla), "12", "", 0, -1, 62});
        riga("menu: over a selection", {36, "1999^", menu, "2024", "2024", 0, -1, -1});
        riga("menu: a day digit, no zero yet", {3, "", menu, "5", "5", 0, -1, -1});
        riga("menu: line breaks type nothing", {1, "", menu, "123\r\n456\n", "123456", 0, -1, -1});
        riga("menu: free text as it comes", {0, "", menu, "Alfa\r\nBeta", "Alfa\r\nBeta", 0, -1, -1});
        riga("drop: letters into a count", {65, "7", rilascio, "xy", "7", 0, -1, 65});
        riga("drop: digits go in", {65, "", rilascio, "12", "12", 0, -1, 65});
        riga("drop: beyond the limit", {33, "12", rilascio, "345", "123", 1, -1, 33});
        riga("input method: day", {34, "", int(Arrivo::Metodo), "3x", "3", 0, -1, 34});
        riga("day complete", {2, "", tasti, "12", "12", 0, -1, 3});
        riga("start month complete", {35, "", tasti, "01", "01", 0, -1, 36});
        riga("one-digit day, click elsewhere", {2, "", tasti, "7", "07", 0, 5, 3});
        riga("one-digit start month, click elsewhere", {35, "", tasti, "4", "04", 0, 62, 36});
        riga("one-digit year, click elsewhere", {4, "", tasti, "7", "7", 0, 5, 5});
        riga("empty day, click elsewhere", {3, "", tasti, "", "", 0, 5, 5});
        riga("Enter in a full tax code", {1, "", tasti, "12345678901\r", "12345678901", 0, -1, 2});
        riga("Enter in the e-mail: nowhere", {7, "", tasti, "a@b.it\r", "a@b.it", 0, -1, 7});
    }
    void ingresso()
    {
        QFETCH(Ingresso, ingresso);
        const auto& [campo, prima, modo, arrivato, atteso, beep, cliccato, fuoco] = ingresso;
        Banco b;
        QLineEdit* c = b.campo(campo);
        const QString iniziale = prima.endsWith(u'^') ? prima.chopped(1) : prima;
        (Questionario::Caricamento(b.questionario), b.questionario.setCampoGenerale(campo, iniziale));
        QTest::mouseClick(c, Qt::LeftButton);
        if (prima.endsWith(u'^'))
            c->selectAll();
        modo < 0 ? QTest::keyClicks(c, arrivato) : faiArrivare(c, Arrivo(modo), arrivato);
        if (cliccato >= 0)
            QTest::mouseClick(b.campo(cliccato), Qt::LeftButton);
        QCoreApplication::processEvents(); // what the focus change left queued
        // What went in reached the questionnaire, as an edit; nothing going in is no edit.
        QCOMPARE(c->text() + u'|' + b.questionario.campoGenerale(campo), atteso + u'|' + atteso);
        QCOMPARE(b.modifiche.isEmpty(), atteso == iniziale);
        QCOMPARE(b.beepSuonati, beep);
        if (fuoco >= 0)
            QCOMPARE(QApplication::focusWidget(), b.campo(fuoco));
    }

    // What the reader writes shows at once and moves no focus, its "N/A" too. The user's "N/A" empties field
    // 65, locks it and greys it clearly, and is an edit; unticked, the field is free and white again.
    void riunioniNA()
    {
        Banco b;
        QLineEdit* campo = b.campo(65);
        auto* na = b.pagina.findChild<QCheckBox*>(QStringLiteral("chk_RiunioniNA"));
        const QColor bianco = campo->palette().color(QPalette::Base);
        b.campo(0)->setFocus();
        {
            const Questionario::Caricamento caricamento(b.questionario);
            b.questionario.setCampoGenerale(2, QStringLiteral("12"));
            b.questionario.setCampoGenerale(65, QStringLiteral("4"));
            b.questionario.setRiunioniNA(true);
        }
        QVERIFY(b.campo(2)->text() == u"12" && QApplication::focusWidget() == b.campo(0));
        QVERIFY(na->isChecked() && !campo->isEnabled() && campo->text().isEmpty() && b.modifiche.isEmpty());
        QTest::mouseClick(na, Qt::LeftButton);
        QVERIFY(campo->isEnabled() && campo->palette().color(QPalette::Base) == bianco);
        QTest::keyClicks(campo, QStringLiteral("12"));
        b.modifiche.clear();
        QTest::mouseClick(na, Qt::LeftButton);
        QVERIFY(!campo->isEnabled() && campo->text().isEmpty() && !b.modifiche.isEmpty());
        // Clearly grey: darker than the window around it, not only the paler look of any disabled field.
        QVERIFY(qGray(campo->palette().color(QPalette::Base).rgb()) <
                qGray(QApplication::palette().color(QPalette::Window).rgb()));
    }
};

QTEST_MAIN(TestPaginaDatiGenerali)
#include "tst_paginadatigenerali.moc"
