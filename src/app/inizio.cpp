#include "app/inizio.h"

#include "app/finestramodello.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

// Positions are laid out in twips; 15 twips are one pixel at 96 dpi.
QRect daTwips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

} // namespace

Inizio::Inizio(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Inizio"));
    setWindowTitle(titoloApplicazione());
    setFixedSize(daTwips(0, 0, 5760, 3465).size());

    auto* intestazione = new QLabel(QStringLiteral("SCHEDA RIEPILOGATIVA DELL'OMBRISA"), this);
    intestazione->setObjectName(QStringLiteral("Label1"));
    intestazione->setAlignment(Qt::AlignCenter);
    intestazione->setWordWrap(true);
    QFont carattere = intestazione->font();
    carattere.setPointSize(14);
    carattere.setBold(true);
    intestazione->setFont(carattere);
    intestazione->setGeometry(daTwips(240, 120, 5415, 735));

    QPushButton* tradizionale =
        pulsante("btnTradzionale", QStringLiteral("Modello Tradizionale"), 1200, Modello::Tradizionale);
    QPushButton* monistico =
        pulsante("btnMonistico", QStringLiteral("Modello  Monistico"), 1800, Modello::Monistico);
    QPushButton* dualistico =
        pulsante("btnDualistico", QStringLiteral("Modello  Dualistico"), 2400, Modello::Dualistico);
    setTabOrder(tradizionale, monistico);
    setTabOrder(monistico, dualistico);
    tradizionale->setFocus(Qt::OtherFocusReason);

    if (const QScreen* schermo = QGuiApplication::primaryScreen())
        move(schermo->availableGeometry().center() - rect().center());
}

Inizio::~Inizio() = default;

QPushButton* Inizio::pulsante(const char* nome, const QString& testo, int top, Modello modello)
{
    auto* p = new QPushButton(testo, this);
    p->setObjectName(QString::fromLatin1(nome));
    p->setGeometry(daTwips(1200, top, 3525, 495));
    p->setAccessibleDescription(QStringLiteral("Apre il questionario del modello ") +
                                testo.section(u' ', -1).toLower() + u'.');
    // Enter on the focused button chooses the model, as Space and a click do.
    p->setAutoDefault(true);
    connect(p, &QPushButton::clicked, this, [this, modello] { apriModello(modello); });
    return p;
}

void Inizio::apriModello(Modello modello)
{
    const bool nuova = !m_finestra;
    if (nuova)
        m_finestra = std::make_unique<FinestraModello>(modello);
    // The model window is shown first, so that there is never a moment without a visible window.
    m_finestra->show();
    hide();
    if (nuova)
        m_finestra->recupero().offriRipristino();
}
