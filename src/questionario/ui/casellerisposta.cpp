#include "questionario/ui/casellerisposta.h"

#include "questionario/questionario.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>

CaselleRisposta::CaselleRisposta(Questionario& questionario, int indice, QWidget* parent)
    : QFrame(parent), m_questionario(questionario), m_indice(indice)
{
    setObjectName(QStringLiteral("FRAME_RIQUADRO_1_1_%1").arg(indice));
    const Domanda& d = questionario.profilo().domanda(indice);
    auto* riga = new QHBoxLayout(this);
    riga->setContentsMargins(0, 0, 0, 0);
    m_si = crea(QStringLiteral("Check_SI_%1").arg(indice), d.didascaliaSI);
    riga->addWidget(m_si);
    if (!d.casellaSingola()) {
        m_no = crea(QStringLiteral("Check_NO_%1").arg(indice), d.didascaliaNO);
        riga->addWidget(m_no);
    }
    if (d.offreNA) {
        m_na = crea(QStringLiteral("Check_NA_%1").arg(indice), QStringLiteral("N/A"));
        riga->addWidget(m_na);
    }
    riga->addStretch();

    connect(m_si, &QCheckBox::clicked, this,
            [this](bool stato) { m_questionario.setBox(m_indice, Casella::SI, stato); });
    if (m_no) {
        connect(m_no, &QCheckBox::clicked, this,
                [this](bool stato) { m_questionario.setBox(m_indice, Casella::NO, stato); });
    }
    if (m_na) {
        connect(m_na, &QCheckBox::clicked, this,
                [this](bool stato) { m_questionario.setBox(m_indice, Casella::NA, stato); });
    }
    connect(&questionario, &Questionario::casellaCambiata, this, [this](int i, Casella casella, bool stato) {
        if (i != m_indice)
            return;
        QCheckBox* box = casella == Casella::SI ? m_si : casella == Casella::NO ? m_no : m_na;
        if (box)
            box->setChecked(stato);
    });
    descriviNota(questionario.segnoNota(indice));
    connect(&questionario, &Questionario::segnoNotaCambiato, this, [this](int i, bool segno) {
        if (i == m_indice)
            descriviNota(segno);
    });
}

QCheckBox* CaselleRisposta::crea(const QString& nome, const QString& testo)
{
    auto* box = new QCheckBox(testo, this);
    box->setObjectName(nome);
    const QString domanda = m_questionario.profilo().testoDomandaPerEsteso(m_indice);
    box->setAccessibleName(testo.isEmpty() ? domanda : testo + QStringLiteral(": ") + domanda);
    if (testo.isEmpty()) {
        // The style marks a box's focus around its caption; a box without one gets a frame of its own, kept
        // in place (transparent) without the focus so that nothing moves.
        box->setStyleSheet(
            QStringLiteral("QCheckBox { border: 2px solid transparent; border-radius: 3px; spacing: 0px; "
                           "padding: 1px; } QCheckBox:focus { border-color: palette(highlight); }"));
    }
    if (m_questionario.profilo().domanda(m_indice).etichettaNotaVisibile) {
        box->setToolTip(QStringLiteral("F2: apre la nota"));
        box->installEventFilter(this);
    }
    return box;
}

bool CaselleRisposta::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(evento)->key() == Qt::Key_F2 &&
        static_cast<QKeyEvent*>(evento)->modifiers() == Qt::NoModifier) {
        Q_EMIT tastoNota();
        return true;
    }
    return QFrame::eventFilter(oggetto, evento);
}

void CaselleRisposta::descriviNota(bool segno)
{
    const Domanda& d = m_questionario.profilo().domanda(m_indice);
    const QString descrizione =
        d.etichettaNotaVisibile
            ? QStringLiteral("%1: %2. F2 apre la nota.")
                  .arg(d.etichettaNota, segno ? QStringLiteral("presente") : QStringLiteral("assente"))
            : QStringLiteral("Domanda senza nota.");
    for (QWidget* box : caselle())
        box->setAccessibleDescription(descrizione);
}

QList<QWidget*> CaselleRisposta::caselle() const
{
    QList<QWidget*> lista{m_si};
    if (m_no)
        lista.append(m_no);
    if (m_na)
        lista.append(m_na);
    return lista;
}

EtichettaNota::EtichettaNota(Questionario& questionario, int indice, QWidget* parent)
    : QLabel(questionario.profilo().domanda(indice).etichettaNota, parent), m_indice(indice)
{
    setObjectName(QStringLiteral("Label_NOTA_%1").arg(indice));
    setAccessibleName(questionario.profilo().domanda(indice).etichettaNota);
    setCursor(Qt::PointingHandCursor);
    setVisible(questionario.profilo().domanda(indice).etichettaNotaVisibile);
    mostraSegno(questionario.segnoNota(indice));
    connect(&questionario, &Questionario::segnoNotaCambiato, this, [this](int i, bool segno) {
        if (i == m_indice)
            mostraSegno(segno);
    });
}

void EtichettaNota::attiva()
{
    if (!isHidden())
        Q_EMIT cliccata(m_indice);
}

void EtichettaNota::mouseReleaseEvent(QMouseEvent* evento)
{
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()))
        Q_EMIT cliccata(m_indice);
    QLabel::mouseReleaseEvent(evento);
}

void EtichettaNota::mostraSegno(bool segno)
{
    QPalette tavolozza = palette();
    tavolozza.setColor(QPalette::WindowText,
                       segno ? QColor(255, 0, 0) : QApplication::palette().color(QPalette::ButtonText));
    setPalette(tavolozza);
    // The red that a screen reader cannot show.
    setAccessibleDescription(segno ? QStringLiteral("Nota presente") : QStringLiteral("Nessuna nota"));
}
