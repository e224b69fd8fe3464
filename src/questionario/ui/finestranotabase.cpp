#include "questionario/ui/finestranotabase.h"

#include "questionario/testo.h"
#include "questionario/ui/ingressotesto.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

// The text box separates lines with LF; the program keeps CR LF. A lone CR is no line break and goes too.
QString perCasella(const QString& testo)
{
    return QString(testo).remove(u'\r');
}

// Qt lays a whole paragraph out again on every change, and wrapping at word boundaries looks, for every line,
// to the end of the run of characters without a space: one long such run makes each key cost time quadratic
// in its length. Beyond this length of run the box wraps anywhere, which keeps a key linear in the paragraph.
constexpr qsizetype runMassimaAParole = 1000;

bool runLunga(QStringView testo)
{
    qsizetype run = 0;
    for (const QChar c : testo) {
        if (c.isSpace())
            run = 0;
        else if (++run > runMassimaAParole)
            return true;
    }
    return false;
}

} // namespace

FinestraNotaBase::FinestraNotaBase(Interazione& interazione, const QString& nome, QWidget* parent)
    : QDialog(parent), m_limite(interazione)
{
    setObjectName(nome);
    setWindowTitle(QStringLiteral("Nota allegata"));
    setModal(true);
    resize(600, 380);

    auto* esterno = new QVBoxLayout(this);
    auto* cornice = new QFrame(this);
    cornice->setObjectName(QStringLiteral("Frame1"));
    esterno->addWidget(cornice);
    auto* colonna = new QVBoxLayout(cornice);

    auto* gruppo = new QGroupBox(QStringLiteral("Nota"), cornice);
    gruppo->setObjectName(QStringLiteral("Frame2"));
    auto* aiuto = new QLabel(
        QStringLiteral(
            "Cliccando sul nome della nota in corrispondenza di ogni singolo gruppo di risposte, è possibile "
            "visionare l'eventuale commento associato alla domanda. La presenza di quest'ultimo è "
            "contrassegnata dal testo di colore rosso.\nN.B.: max 65000 caratteri inseribili."),
        gruppo);
    aiuto->setObjectName(QStringLiteral("Label1"));
    aiuto->setWordWrap(true);
    m_contatore = new QLabel(gruppo);
    m_contatore->setObjectName(QStringLiteral("Label_Caratteri"));
    auto* righeAiuto = new QHBoxLayout(gruppo);
    righeAiuto->addWidget(aiuto, 1);
    righeAiuto->addWidget(m_contatore, 0, Qt::AlignRight | Qt::AlignBottom);
    colonna->addWidget(gruppo);

    m_testo = new QPlainTextEdit(cornice);
    m_testo->setObjectName(QStringLiteral("TEXT_NOTE"));
    m_testo->setTabChangesFocus(true);
    m_testo->setAccessibleDescription(
        QStringLiteral("Testo della nota: al massimo 65000 caratteri, un a capo ne conta due."));
    m_testo->installEventFilter(this);
    // Latin text needs no shaping: skipping it halves the layout of a long paragraph.
    QFont carattere = m_testo->font();
    carattere.setStyleStrategy(QFont::PreferNoShaping);
    m_testo->setFont(carattere);
    colonna->addWidget(m_testo, 1);
    connect(m_testo, &QPlainTextEdit::textChanged, this, &FinestraNotaBase::testoCambiato);
    connect(m_testo->document(), &QTextDocument::contentsChange, this, &FinestraNotaBase::contenutoCambiato);
    aggiornaContatore();

    auto* pulsanti = new QHBoxLayout;
    auto* cancellaNota = new QPushButton(QStringLiteral("Cancella"), cornice);
    cancellaNota->setObjectName(QStringLiteral("Delete_Note"));
    auto* fineNota = new QPushButton(QStringLiteral("Fine"), cornice);
    fineNota->setObjectName(QStringLiteral("End_Note"));
    cancellaNota->setAccessibleDescription(QStringLiteral("Svuota il testo della nota."));
    fineNota->setAccessibleDescription(QStringLiteral("Chiude la finestra e conserva la nota."));
    // Enter on a focused button presses it, as in the model window; the text box keeps Enter for itself.
    cancellaNota->setAutoDefault(true);
    fineNota->setAutoDefault(true);
    pulsanti->addStretch();
    pulsanti->addWidget(cancellaNota);
    pulsanti->addSpacing(40);
    pulsanti->addWidget(fineNota);
    pulsanti->addStretch();
    colonna->addLayout(pulsanti);
    connect(cancellaNota, &QPushButton::clicked, this, &FinestraNotaBase::cancella);
    connect(fineNota, &QPushButton::clicked, this, &FinestraNotaBase::fine);
}

void FinestraNotaBase::prepara(const QString& titolo, const QString& testo)
{
    setWindowTitle(titolo);
    m_testo->setAccessibleName(titolo);
    impostaTesto(perCasella(testo));
    m_testo->moveCursor(QTextCursor::End);
    m_testo->setFocus(Qt::OtherFocusReason);
}

QString FinestraNotaBase::testo() const
{
    return normalizzaACapo(m_testo->toPlainText());
}

int FinestraNotaBase::lunghezza() const
{
    const QTextDocument* documento = m_testo->document();
    // characterCount() counts each paragraph separator once plus one final separator.
    return documento->characterCount() - 1 + documento->blockCount() - 1;
}

void FinestraNotaBase::impostaTesto(const QString& testo)
{
    // The wrapping is chosen while the box is empty, so that neither the old text nor the new one is laid
    // out with the other's.
    const QTextOption::WrapMode aCapo =
        runLunga(testo) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (aCapo != m_testo->wordWrapMode()) {
        const QSignalBlocker silenzio(m_testo);
        m_testo->clear();
        m_testo->setWordWrapMode(aCapo);
    }
    m_testo->setPlainText(testo);
}

void FinestraNotaBase::contenutoCambiato(int posizione, int, int aggiunti)
{
    if (m_testo->wordWrapMode() == QTextOption::WrapAnywhere || aggiunti == 0)
        return;
    // Only the run around what came in can have grown; the box keeps wrapping anywhere until it is filled
    // again.
    const QTextDocument* documento = m_testo->document();
    for (QTextBlock blocco = documento->findBlock(posizione);
         blocco.isValid() && blocco.position() <= posizione + aggiunti; blocco = blocco.next()) {
        const QString testo = blocco.text();
        const qsizetype inizio = std::max<qsizetype>(posizione - blocco.position() - runMassimaAParole, 0);
        const qsizetype fine =
            std::min<qsizetype>(posizione + aggiunti - blocco.position() + runMassimaAParole, testo.size());
        if (inizio < fine && runLunga(QStringView(testo).mid(inizio, fine - inizio))) {
            m_aCapoOvunque = true; // applied once the change is complete
            return;
        }
    }
}

void FinestraNotaBase::aggiornaContatore()
{
    m_contatore->setText(QStringLiteral("%1 / %2").arg(lunghezza()).arg(LimiteNota::lunghezzaMassima));
}

void FinestraNotaBase::testoCambiato()
{
    if (m_limite.testoCambiato(lunghezza())) {
        QString tenuto = troncaSenzaSpezzare(testo(), LimiteNota::lunghezzaMassima);
        if (tenuto.endsWith(u'\r'))
            tenuto.chop(1); // half a line break
        impostaTesto(perCasella(tenuto));
        m_testo->moveCursor(QTextCursor::End);
    }
    if (std::exchange(m_aCapoOvunque, false))
        m_testo->setWordWrapMode(QTextOption::WrapAnywhere);
    aggiornaContatore();
}

bool FinestraNotaBase::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto != m_testo || evento->type() != QEvent::KeyPress)
        return QDialog::eventFilter(oggetto, evento);
    const auto* premuto = static_cast<QKeyEvent*>(evento);
    // Code 134 is U+0086 (a control character, which types no key of its own) and, in the single-byte
    // character set the program was first used with, the dagger: both are discarded.
    if (premuto->text().contains(QChar(LimiteNota::tastoSempreScartato)))
        return true;
    int lunghezzaTesto = lunghezza();
    for (Tasto tasto : tastiDi(*premuto)) {
        if (tasto.codice == u'\u2020')
            tasto.codice = LimiteNota::tastoSempreScartato;
        if (!m_limite.tastoPremuto(tasto.codice, lunghezzaTesto))
            return true;
        lunghezzaTesto += static_cast<int>(tasto.testo.size());
    }
    // Pasting by keyboard is judged as the key Ctrl+V; what it brings is cut by the length limit.
    return false;
}

void FinestraNotaBase::cancella()
{
    testoCancellato();
    impostaTesto(QString());
    m_testo->setFocus(Qt::OtherFocusReason);
}

void FinestraNotaBase::fine()
{
    const QString finale = testo();
    // A note of blanks only is no note.
    if (soloSpazi(finale))
        m_testo->clear();
    testoFinale(finale);
    done(QDialog::Accepted);
}

void FinestraNotaBase::closeEvent(QCloseEvent* evento)
{
    // The close box works as "Fine", so that the window never leaves a note half open.
    evento->ignore();
    fine();
}

void FinestraNotaBase::reject()
{
    fine();
}
