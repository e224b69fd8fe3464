#include "legacy/ui/finestranotav11.h"

#include "legacy/contenutov11.h"
#include "questionario/filtritasti.h"
#include "questionario/testo.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

// The text box separates lines with LF; the content keeps CR LF.
QString perCasella(const QString& testo)
{
    QString risultato = normalizzaACapo(testo);
    risultato.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return risultato;
}

} // namespace

FinestraNotaV11::FinestraNotaV11(ContenutoV11& contenuto, Interazione& interazione, QWidget* parent)
    : QDialog(parent), m_contenuto(contenuto), m_limite(interazione)
{
    setObjectName(QStringLiteral("Nota"));
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
    (new QVBoxLayout(gruppo))->addWidget(aiuto);
    colonna->addWidget(gruppo);

    m_testo = new QPlainTextEdit(cornice);
    m_testo->setObjectName(QStringLiteral("TEXT_NOTE"));
    m_testo->setTabChangesFocus(true);
    m_testo->installEventFilter(this);
    colonna->addWidget(m_testo, 1);
    connect(m_testo, &QPlainTextEdit::textChanged, this, &FinestraNotaV11::testoCambiato);

    auto* pulsanti = new QHBoxLayout;
    auto* cancellaNota = new QPushButton(QStringLiteral("Cancella"), cornice);
    cancellaNota->setObjectName(QStringLiteral("Delete_Note"));
    auto* fineNota = new QPushButton(QStringLiteral("Fine"), cornice);
    fineNota->setObjectName(QStringLiteral("End_Note"));
    cancellaNota->setAutoDefault(false);
    fineNota->setAutoDefault(false);
    pulsanti->addStretch();
    pulsanti->addWidget(cancellaNota);
    pulsanti->addSpacing(40);
    pulsanti->addWidget(fineNota);
    pulsanti->addStretch();
    colonna->addLayout(pulsanti);
    connect(cancellaNota, &QPushButton::clicked, this, &FinestraNotaV11::cancella);
    connect(fineNota, &QPushButton::clicked, this, &FinestraNotaV11::fine);
}

void FinestraNotaV11::apri(int gruppo)
{
    prepara(gruppo);
    exec();
}

void FinestraNotaV11::prepara(int gruppo)
{
    m_gruppo = gruppo;
    setWindowTitle(catalogoV11().domande.at(gruppo).etichettaNota + QStringLiteral(" - Testo associato"));
    m_testo->setPlainText(perCasella(testoNotaV11(m_contenuto, gruppo)));
    m_testo->moveCursor(QTextCursor::End);
    m_testo->setFocus(Qt::OtherFocusReason);
}

QString FinestraNotaV11::testo() const
{
    return normalizzaACapo(m_testo->toPlainText());
}

int FinestraNotaV11::lunghezza() const
{
    const QTextDocument* documento = m_testo->document();
    // characterCount() counts each paragraph separator once plus one final separator; stored, a line break
    // is two characters.
    return documento->characterCount() - 1 + documento->blockCount() - 1;
}

void FinestraNotaV11::testoCambiato()
{
    if (!m_limite.testoCambiato(lunghezza()))
        return;
    QString tenuto = troncaSenzaSpezzare(testo(), LimiteNota::lunghezzaMassima);
    if (tenuto.endsWith(u'\r'))
        tenuto.chop(1); // half a line break
    m_testo->setPlainText(perCasella(tenuto));
    m_testo->moveCursor(QTextCursor::End);
}

bool FinestraNotaV11::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto != m_testo || evento->type() != QEvent::KeyPress)
        return QDialog::eventFilter(oggetto, evento);
    auto* tasto = static_cast<QKeyEvent*>(evento);
    char16_t codice = 0;
    // Pasting by keyboard is the key Ctrl+V: refused at the limit like any other.
    if (tasto->matches(QKeySequence::Paste))
        codice = tastoIncolla;
    else if (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter)
        codice = tastoInvio;
    else if (tasto->key() == Qt::Key_Backspace)
        codice = tastoIndietro;
    else if (!tasto->text().isEmpty() && tasto->text().at(0).unicode() >= 32)
        codice = tasto->text().at(0).unicode();
    else
        return false; // not a typed character: arrows, Delete, shortcuts
    // Code 134 is the dagger of the single-byte character set the program was first used with.
    if (codice == u'\u2020')
        codice = LimiteNota::tastoSempreScartato;
    return !m_limite.tastoPremuto(codice, lunghezza());
}

void FinestraNotaV11::cancella()
{
    cancellaNotaV11(m_contenuto, m_gruppo);
    m_testo->clear();
    m_testo->setFocus(Qt::OtherFocusReason);
}

void FinestraNotaV11::fine()
{
    const QString finale = testo();
    // A note of blanks only is no note.
    if (soloSpazi(finale))
        m_testo->clear();
    fineNotaV11(m_contenuto, m_gruppo, finale);
    done(QDialog::Accepted);
}

void FinestraNotaV11::closeEvent(QCloseEvent* evento)
{
    // The close box works as "Fine".
    evento->ignore();
    fine();
}

void FinestraNotaV11::reject()
{
    fine();
}
