#include "questionario/ui/paginadatigenerali.h"

#include "questionario/filtritasti.h"
#include "questionario/interazione.h"
#include "questionario/questionario.h"
#include "questionario/ui/casellerisposta.h"
#include "questionario/ui/ingressotesto.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// Digits a short field is drawn for; 0 for the fields that take the width they are given.
int cifreVisibili(int campo)
{
    switch (campo) {
    case 1:
        return 11;
    case 2:
    case 3:
    case 34:
    case 35:
        return 2;
    case 4:
    case 36:
        return 4;
    case 33:
    case 62:
    case 63:
    case 64:
    case 65:
        return 3;
    default:
        return 0;
    }
}

// Measured on the field's own font, so that short fields keep their digits visible at any scaling.
void adattaACifre(QLineEdit* campo, int cifre)
{
    const QMargins margini = campo->textMargins();
    const int cornice = campo->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, campo);
    campo->setFixedWidth(campo->fontMetrics().horizontalAdvance(QString(cifre + 1, QLatin1Char('0'))) +
                         margini.left() + margini.right() + 2 * cornice + 4);
}

// A field as a screen reader names it: its label; a part of a date after the date's label.
QString nomeAccessibile(const ProfiloModello& profilo, int campo)
{
    const auto parte = [&](int primo, const char* quale) {
        return profilo.etichettaCampoGenerale(primo).section(QStringLiteral(" ("), 0, 0) +
               QStringLiteral(": ") + QString::fromLatin1(quale);
    };
    switch (campo) {
    case 2:
    case 34:
        return parte(campo, "giorno");
    case 3:
    case 35:
        return parte(campo - 1, "mese");
    case 4:
    case 36:
        return parte(campo - 2, "anno");
    default:
        return profilo.etichettaCampoGenerale(campo);
    }
}

// What the field takes, as its typing rule lets it.
QString descrizioneAccessibile(int campo)
{
    if (const int cifre = cifreVisibili(campo); cifre > 0)
        return QStringLiteral("Solo cifre, al massimo %1.").arg(cifre);
    return campo == 6 ? QStringLiteral("Solo cifre.") : QStringLiteral("Testo libero.");
}

QLabel* intestazione(const QString& testo, const QString& nome, QWidget* genitore)
{
    auto* etichetta = new QLabel(testo, genitore);
    etichetta->setObjectName(nome);
    QFont grassetto = etichetta->font();
    grassetto.setBold(true);
    etichetta->setFont(grassetto);
    etichetta->setWordWrap(true);
    return etichetta;
}

} // namespace

PaginaDatiGenerali::PaginaDatiGenerali(Questionario& questionario, QWidget* bloccoMembri, QWidget* parent)
    : QWidget(parent), m_questionario(questionario), m_bloccoMembri(bloccoMembri)
{
    setObjectName(QStringLiteral("DatiGenerali"));
    const ProfiloModello& profilo = questionario.profilo();
    for (int indice : profilo.campiGenerali())
        creaCampo(indice);
    for (int indice : {79, 80, 81}) {
        auto* caselle = new CaselleRisposta(questionario, indice, this);
        // As wide as the boxes, so that the note label stands right beside them.
        caselle->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        m_caselle.insert(indice, caselle);
    }

    // A day/month/year line: the three fields from `primo` on, parted by "/".
    const auto lineaData = [this](int primo) {
        auto* linea = new QHBoxLayout;
        linea->addWidget(m_campi[primo]);
        for (int indice : {primo + 1, primo + 2}) {
            auto* barra = new QLabel(QStringLiteral("/"), this);
            barra->setObjectName(QStringLiteral("LABEL_BARRA_%1").arg(indice));
            barra->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
            linea->addWidget(barra);
            linea->addWidget(m_campi[indice]);
        }
        return linea;
    };
    const auto nota = [this](int indice) {
        auto* etichetta = new EtichettaNota(m_questionario, indice, this);
        connect(etichetta, &EtichettaNota::cliccata, this, &PaginaDatiGenerali::notaCliccata);
        connect(m_caselle[indice], &CaselleRisposta::tastoNota, etichetta, &EtichettaNota::attiva);
        return etichetta;
    };

    // Upper block, left column: the company, the closing date, the referent.
    auto* sinistra = new QGridLayout;
    int riga = 0;
    for (int indice : {0, 1, 2, 5, 6, 7}) {
        sinistra->addWidget(creaEtichetta(indice), riga, 0);
        if (indice == 2)
            sinistra->addLayout(lineaData(2), riga, 1, Qt::AlignLeft);
        else if (cifreVisibili(indice) > 0)
            sinistra->addWidget(m_campi[indice], riga, 1, Qt::AlignLeft);
        else
            sinistra->addWidget(m_campi[indice], riga, 1);
        ++riga;
    }
    sinistra->setColumnStretch(1, 1);
    sinistra->setRowStretch(riga, 1);

    // Upper block, right column: the requirements with their boxes, then the numbers of meetings. Its long
    // labels wrap, so the page still fits a narrow window.
    auto* destra = new QGridLayout;
    riga = 0;
    destra->addWidget(intestazione(profilo.intestazioneRequisiti, QStringLiteral("LABEL_REQUISITI"), this),
                      riga++, 0, 1, 3);
    for (int indice : {79, 80}) {
        auto* etichetta =
            new QLabel(indice == 79 ? profilo.etichettaCasella79 : profilo.etichettaCasella80, this);
        etichetta->setObjectName(QStringLiteral("LABEL_CASELLA_%1").arg(indice));
        etichetta->setWordWrap(true);
        destra->addWidget(etichetta, riga, 0);
        destra->addWidget(m_caselle[indice], riga, 1, Qt::AlignLeft);
        destra->addWidget(nota(indice), riga++, 2);
    }
    destra->addWidget(intestazione(QStringLiteral("Numero di assemblee e riunioni nell'anno"),
                                   QStringLiteral("LABEL_RIUNIONI"), this),
                      riga++, 0, 1, 3);
    for (int indice : {62, 63, 64, 65}) {
        if (!m_campi.contains(indice))
            continue;
        QLabel* etichetta = creaEtichetta(indice);
        etichetta->setWordWrap(true);
        destra->addWidget(etichetta, riga, 0);
        destra->addWidget(m_campi[indice], riga, 1, Qt::AlignLeft);
        if (indice == 65) {
            m_riunioniNA = new QCheckBox(QStringLiteral("N/A"), this);
            m_riunioniNA->setObjectName(QStringLiteral("chk_RiunioniNA"));
            m_riunioniNA->setAccessibleName(QStringLiteral("N/A: ") + profilo.etichettaCampoGenerale(65));
            m_riunioniNA->setAccessibleDescription(QStringLiteral(
                "Spuntata, il numero di riunioni del comitato esecutivo resta vuoto e bloccato."));
            destra->addWidget(m_riunioniNA, riga, 2, Qt::AlignLeft);
        }
        ++riga;
    }
    destra->setColumnStretch(0, 1);
    destra->setRowStretch(riga, 1);

    auto* superiore = new QHBoxLayout;
    superiore->addLayout(sinistra, 4);
    superiore->addSpacing(fontMetrics().horizontalAdvance(QStringLiteral("MM")));
    superiore->addLayout(destra, 5);

    // Lower block: the offices allowed by the articles with box 81, and the start date of the office.
    auto* inferiore = new QHBoxLayout;
    inferiore->addWidget(creaEtichetta(33));
    inferiore->addWidget(m_campi[33]);
    inferiore->addWidget(m_caselle[81]);
    inferiore->addWidget(nota(81));
    inferiore->addStretch();
    inferiore->addWidget(creaEtichetta(34));
    inferiore->addLayout(lineaData(34));

    auto* pagina = new QVBoxLayout(this);
    pagina->addLayout(superiore);
    if (m_bloccoMembri)
        pagina->addWidget(m_bloccoMembri, 1);
    else
        pagina->addStretch(1);
    pagina->addLayout(inferiore);

    connect(&questionario, &Questionario::campoGeneraleCambiato, this,
            [this](int indice, const QString& testo) {
                // Only text written by others (the reader, the "N/A" box) differs from what the field holds.
                QLineEdit* campo = m_campi.value(indice);
                if (campo && campo->text() != testo)
                    campo->setText(testo);
            });
    if (m_riunioniNA) {
        connect(m_riunioniNA, &QCheckBox::clicked, this,
                [this](bool stato) { m_questionario.setRiunioniNA(stato); });
        connect(&questionario, &Questionario::riunioniNACambiato, this,
                &PaginaDatiGenerali::mostraRiunioniNA);
        mostraRiunioniNA(questionario.riunioniNA());
    }
    applicaOrdineTastiera();
}

QLineEdit* PaginaDatiGenerali::creaCampo(int indice)
{
    auto* campo = new QLineEdit(m_questionario.campoGenerale(indice), this);
    campo->setObjectName(QStringLiteral("TEXT_GENERALE_%1").arg(indice));
    campo->setAccessibleName(nomeAccessibile(m_questionario.profilo(), indice));
    campo->setAccessibleDescription(descrizioneAccessibile(indice));
    if (const int cifre = cifreVisibili(indice); cifre > 0)
        adattaACifre(campo, cifre);
    auto* ingresso = new IngressoTesto(
        campo,
        [indice](int lunghezza, int selezione, char16_t tasto) {
            return tastoCampoGenerale(indice, lunghezza, selezione, tasto);
        },
        [this] { m_questionario.interazione().beep(); });
    // A field that takes a letter typed into it empty holds free text, and takes any text that arrives.
    const bool libero = tastoCampoGenerale(indice, 0, 0, u'a').accettato;
    ingresso->testoGiudicato = [libero] { return !libero; };
    ingresso->invio = [this, indice] {
        if (QLineEdit* successivo = m_campi.value(campoSuccessivoSuInvio(indice)))
            successivo->setFocus(Qt::OtherFocusReason);
        // Enter types nothing in a one-line field and goes no further than the page.
        return true;
    };
    // The leading zero of a day or month.
    campo->installEventFilter(this);
    // textEdited, not textChanged: what the questionnaire writes back must not come round again.
    connect(campo, &QLineEdit::textEdited, this,
            [this, indice](const QString& testo) { m_questionario.setCampoGenerale(indice, testo); });
    m_campi.insert(indice, campo);
    return campo;
}

QLabel* PaginaDatiGenerali::creaEtichetta(int indice)
{
    auto* etichetta = new QLabel(m_questionario.profilo().etichettaCampoGenerale(indice), this);
    etichetta->setObjectName(QStringLiteral("LABEL_GENERALE_%1").arg(indice));
    etichetta->setBuddy(m_campi.value(indice));
    return etichetta;
}

bool PaginaDatiGenerali::eventFilter(QObject* oggetto, QEvent* evento)
{
    const int indice = m_campi.key(qobject_cast<QLineEdit*>(oggetto), -1);
    if (indice >= 0 && evento->type() == QEvent::FocusOut)
        campoLasciato(indice, static_cast<QFocusEvent*>(evento));
    return QWidget::eventFilter(oggetto, evento);
}

void PaginaDatiGenerali::campoLasciato(int indice, const QFocusEvent* evento)
{
    // Another window taking over, or the field's own context menu, does not leave the field.
    if (!campoConZeroIniziale(indice) || evento->reason() == Qt::ActiveWindowFocusReason ||
        evento->reason() == Qt::PopupFocusReason)
        return;
    // Queued: Qt first finishes giving the focus to where the user moved it, so that the completed date part
    // then takes it on to the next part, as the change rule says.
    QMetaObject::invokeMethod(
        this,
        [this, indice] {
            m_questionario.setCampoGenerale(indice,
                                            conZeroIniziale(indice, m_questionario.campoGenerale(indice)));
        },
        Qt::QueuedConnection);
}

void PaginaDatiGenerali::mostraRiunioniNA(bool stato)
{
    m_riunioniNA->setChecked(stato);
    QLineEdit* campo = m_campi.value(65);
    // Locked: grey like a window border; free: the field's own white.
    QPalette tavolozza;
    if (stato) {
        tavolozza = campo->palette();
        tavolozza.setColor(QPalette::Base, tavolozza.color(QPalette::Active, QPalette::Mid));
    }
    campo->setPalette(tavolozza);
    campo->setEnabled(!stato);
}

QList<QWidget*> PaginaDatiGenerali::ordineTastieraIniziale() const
{
    QList<QWidget*> ordine;
    for (int indice = 0; indice <= 7; ++indice)
        ordine.append(m_campi[indice]);
    ordine.append(m_caselle[79]->caselle().first());
    ordine.append(m_caselle[80]->caselle().first());
    for (int indice : {62, 63, 64, 65}) {
        if (QLineEdit* campo = m_campi.value(indice))
            ordine.append(campo);
    }
    return ordine;
}

QList<QWidget*> PaginaDatiGenerali::ordineTastieraDopoMembri() const
{
    return {m_campi[33], m_campi[34], m_campi[35], m_campi[36]};
}

QList<QWidget*> PaginaDatiGenerali::ordineTastieraFinale() const
{
    QList<QWidget*> ordine{m_caselle[81]->caselle().first()};
    if (QWidget* no = m_caselle[80]->casellaNO())
        ordine.append(no);
    if (m_riunioniNA)
        ordine.append(m_riunioniNA);
    return ordine;
}

void PaginaDatiGenerali::applicaOrdineTastiera()
{
    QList<QWidget*> ordine = ordineTastieraIniziale();
    // The members table joins where it takes the focus itself or through its proxy; the window, which
    // knows its inside, chains it exactly.
    if (m_bloccoMembri) {
        ordine.append(m_bloccoMembri->focusPolicy() != Qt::NoFocus ? m_bloccoMembri
                                                                   : m_bloccoMembri->focusProxy());
    }
    ordine += ordineTastieraDopoMembri();
    ordine += ordineTastieraFinale();
    // Qt ignores a link to a widget that takes no focus, which would break the chain there.
    ordine.removeIf([](const QWidget* w) { return !w || w->focusPolicy() == Qt::NoFocus; });
    for (qsizetype i = 1; i < ordine.size(); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);
}
