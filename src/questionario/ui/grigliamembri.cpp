#include "questionario/ui/grigliamembri.h"

#include "questionario/filtritasti.h"
#include "questionario/interazione.h"
#include "questionario/questionario.h"
#include "questionario/ui/ingressotesto.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The grid asks for about six rows, the window's own proportion, and takes more only from a taller window.
class VistaMembri : public QTableView
{
public:
    using QTableView::QTableView;
    QSize sizeHint() const override { return {QTableView::sizeHint().width(), minimumHeight()}; }
};

// What the cell editor takes in a column, as the column's typing rule lets it.
QString descrizioneEditor(const LayoutMembri& layout, int colonna)
{
    if (colonna == layout.colonnaCodiceFiscale)
        return QStringLiteral("Al massimo 16 caratteri, senza spazi.");
    if (layout.colonnaConteggio(colonna))
        return QStringLiteral("Solo cifre, al massimo 3.");
    if (colonna == layout.colonnaElettoMinoranze)
        return QStringLiteral("SI o NO.");
    return QStringLiteral("Testo libero.");
}

} // namespace

GrigliaMembri::GrigliaMembri(Questionario& questionario, QWidget* parent)
    : QFrame(parent), m_questionario(questionario)
{
    setObjectName(QStringLiteral("Frame8"));
    TabellaMembri& tabella = questionario.membri();
    const LayoutMembri& layout = tabella.layout();

    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(0, 0, 0, 0);
    m_intestazioni = new QWidget(this);
    colonna->addWidget(m_intestazioni);

    QFont piccolo = font();
    piccolo.setPointSizeF(piccolo.pointSizeF() * 0.85);
    for (int c = 0; c < layout.numeroColonne(); ++c) {
        const ColonnaMembri& info = layout.colonne[c];
        QLabel* etichetta = nullptr;
        if (!info.intestazione.isEmpty() && info.larghezza > 0) {
            etichetta = new QLabel(info.intestazione, m_intestazioni);
            etichetta->setObjectName(QStringLiteral("LABEL_COLONNA_%1").arg(c));
            etichetta->setFont(piccolo);
            etichetta->setWordWrap(true);
            etichetta->setAlignment(info.centrata ? Qt::AlignHCenter | Qt::AlignBottom
                                                  : Qt::AlignLeft | Qt::AlignBottom);
            etichetta->setToolTip(info.suggerimento);
        }
        m_etichette.append(etichetta);
    }
    m_intestazioni->setFixedHeight(QFontMetrics(piccolo).height() * 6);

    m_griglia = new VistaMembri(this);
    m_griglia->setObjectName(QStringLiteral("MSHFlexGrid1"));
    m_griglia->setAccessibleName(layout.intestazioneMembri());
    m_griglia->setAccessibleDescription(
        QStringLiteral("Un membro per riga, il presidente nella prima. Invio su una cella la modifica; nella "
                       "colonna dei requisiti apre il testo dei requisiti."));
    m_griglia->setModel(&tabella);
    m_griglia->horizontalHeader()->hide();
    m_griglia->verticalHeader()->hide();
    m_griglia->setSelectionMode(QAbstractItemView::SingleSelection);
    m_griglia->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_griglia->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_griglia->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The style marks only the current cell, faintly: the grid holding the focus gets a frame that shows it,
    // as wide as the plain one so that nothing moves.
    m_griglia->setStyleSheet(QStringLiteral("QTableView { border: 1px solid palette(mid); padding: 1px; } "
                                            "QTableView:focus { border: 2px solid palette(highlight); "
                                            "padding: 0px; }"));
    m_griglia->setColumnHidden(layout.colonnaNascosta, true);
    // About six rows show; more scroll.
    const int altezzaRiga = m_griglia->fontMetrics().height() + 8;
    m_griglia->verticalHeader()->setDefaultSectionSize(altezzaRiga);
    m_griglia->verticalHeader()->setMinimumSectionSize(altezzaRiga);
    m_griglia->setMinimumHeight(altezzaRiga * 6 + 2 * m_griglia->frameWidth());
    m_griglia->viewport()->installEventFilter(this);
    m_griglia->installEventFilter(this);
    colonna->addWidget(m_griglia, 1);

    m_editor = new QLineEdit(m_griglia->viewport());
    m_editor->setObjectName(QStringLiteral("txtEdit"));
    m_editor->hide();
    m_editor->installEventFilter(this);
    auto* ingresso = new IngressoTesto(
        m_editor,
        [this](int lunghezza, int, char16_t tasto) {
            return tastoCellaMembri(m_questionario.modello(), m_colonnaCorrente, lunghezza, tasto);
        },
        [this] { m_questionario.interazione().beep(); });
    // The name and the minorities column take any text.
    ingresso->testoGiudicato = [this] {
        const LayoutMembri& colonne = m_questionario.membri().layout();
        return m_colonnaCorrente == colonne.colonnaCodiceFiscale ||
               colonne.colonnaConteggio(m_colonnaCorrente);
    };
    connect(m_griglia, &QTableView::clicked, this, &GrigliaMembri::apriCella);
    // The grid always mirrors what is typed.
    connect(m_editor, &QLineEdit::textEdited, this, [this](const QString& testo) {
        m_questionario.membri().setCella(m_rigaCorrente, m_colonnaCorrente, testo);
        m_questionario.segnaModificato();
    });
    // The editor never stays over a cell it no longer covers.
    connect(m_griglia->verticalScrollBar(), &QScrollBar::valueChanged, this, &GrigliaMembri::nascondiEditor);

    m_aggiungi = new QPushButton(QStringLiteral("Aggiungi Membro"), this);
    m_aggiungi->setObjectName(QStringLiteral("btnAggiungi"));
    m_aggiungi->setAccessibleDescription(
        QStringLiteral("Aggiunge una riga in fondo alla tabella dei membri."));
    // Extra height goes to the grid: the headings stay right above their columns.
    colonna->addWidget(m_aggiungi, 0, Qt::AlignLeft);
    connect(m_aggiungi, &QPushButton::clicked, this, [this] {
        if (m_questionario.membri().aggiungiMembro())
            m_griglia->scrollToBottom();
    });
}

void GrigliaMembri::resizeEvent(QResizeEvent* evento)
{
    QFrame::resizeEvent(evento);
    adattaColonne();
}

bool GrigliaMembri::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == m_griglia->viewport() && evento->type() == QEvent::Resize) {
        adattaColonne();
    } else if (oggetto == m_griglia) {
        if (evento->type() == QEvent::FocusIn) {
            nascondiEditor();
        } else if (evento->type() == QEvent::KeyPress) {
            auto* tasto = static_cast<QKeyEvent*>(evento);
            if (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter) {
                apriCella(m_griglia->currentIndex());
                return true;
            }
        }
    } else if (oggetto == m_editor) {
        if (evento->type() == QEvent::KeyPress)
            return tastoEditor(static_cast<QKeyEvent*>(evento));
        // The editor's own context menu does not end the editing.
        if (evento->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(evento)->reason() != Qt::PopupFocusReason)
            editorLasciato();
    }
    return QFrame::eventFilter(oggetto, evento);
}

void GrigliaMembri::apriCella(const QModelIndex& cella)
{
    if (!cella.isValid())
        return;
    m_rigaCorrente = cella.row();
    m_colonnaCorrente = cella.column();
    TabellaMembri& tabella = m_questionario.membri();
    if (m_colonnaCorrente == 0)
        return;
    if (m_colonnaCorrente == tabella.layout().colonnaRequisiti) {
        nascondiEditor();
        Q_EMIT notaMembroRichiesta(m_rigaCorrente);
        return;
    }
    // The editor takes the cell's place for a screen reader too.
    m_editor->setAccessibleName(tabella.layout().colonne.at(m_colonnaCorrente).intestazioneIntera() +
                                QStringLiteral(", ") + tabella.nomeMembro(m_rigaCorrente));
    m_editor->setAccessibleDescription(descrizioneEditor(tabella.layout(), m_colonnaCorrente));
    m_valoreOriginale = tabella.cella(m_rigaCorrente, m_colonnaCorrente);
    m_editor->setText(m_valoreOriginale);
    m_editor->setGeometry(m_griglia->visualRect(cella));
    m_inModifica = true;
    m_editor->show();
    m_editor->selectAll();
    m_editor->setFocus(Qt::OtherFocusReason);
}

bool GrigliaMembri::tastoEditor(QKeyEvent* tasto)
{
    if (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter) {
        m_griglia->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (tasto->key() == Qt::Key_Escape) {
        m_questionario.membri().setCella(m_rigaCorrente, m_colonnaCorrente, m_valoreOriginale);
        m_griglia->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void GrigliaMembri::editorLasciato()
{
    if (!m_inModifica)
        return;
    m_inModifica = false;
    TabellaMembri& tabella = m_questionario.membri();
    if (m_colonnaCorrente == tabella.layout().colonnaElettoMinoranze) {
        // Judged on the editor's text, so Escape after an invalid value still empties the cell; a valid value
        // leaves the cell's own text upper-cased, so Escape keeps what the cell had.
        if (controllaElettoMinoranze(m_editor->text()).valido) {
            tabella.setCella(m_rigaCorrente, m_colonnaCorrente,
                             tabella.cella(m_rigaCorrente, m_colonnaCorrente).toUpper());
        } else {
            m_questionario.interazione().messaggio(messaggioSoloSiNo, titoloSoloSiNo,
                                                   Interazione::Pulsanti::Ok, Interazione::Icona::Nessuna);
            tabella.setCella(m_rigaCorrente, m_colonnaCorrente, QString());
        }
    }
    m_editor->hide();
}

void GrigliaMembri::nascondiEditor()
{
    if (m_editor->isVisible() && m_editor->hasFocus())
        m_griglia->setFocus(Qt::OtherFocusReason); // the focus-out check runs first
    editorLasciato();
    m_editor->hide();
}

void GrigliaMembri::adattaColonne()
{
    const LayoutMembri& layout = m_questionario.membri().layout();
    const int disponibile = m_griglia->viewport()->width();
    // The row labels ("Pres.") always fit; the other columns share the rest in the layout's proportions.
    const int primaColonna =
        std::max(layout.colonne[0].larghezza * disponibile / 13275,
                 m_griglia->fontMetrics().horizontalAdvance(QStringLiteral("Pres.")) + 10);
    int totale = 0;
    for (int c = 1; c < layout.numeroColonne(); ++c)
        totale += layout.colonne[c].larghezza;
    if (totale <= 0 || disponibile <= primaColonna)
        return;
    int x = m_griglia->frameWidth();
    int altezza = 0;
    for (int c = 0; c < layout.numeroColonne(); ++c) {
        const int larghezza =
            c == 0 ? primaColonna : layout.colonne[c].larghezza * (disponibile - primaColonna) / totale;
        if (larghezza > 0)
            m_griglia->setColumnWidth(c, larghezza);
        if (QLabel* etichetta = m_etichette.value(c)) {
            // A heading wider than its column ("Eletto dalle minor.") spills evenly over both sides.
            int w = std::max(larghezza - 2, 1);
            int sinistra = x + 1;
            int parola = 0;
            for (const QString& p : etichetta->text().split(u' '))
                parola = std::max(parola, etichetta->fontMetrics().horizontalAdvance(p) + 2);
            if (parola > w) {
                sinistra -= (parola - w) / 2;
                w = parola;
            }
            etichetta->setGeometry(sinistra, 0, w, m_intestazioni->height());
            altezza = std::max(altezza, etichetta->heightForWidth(w));
        }
        x += larghezza;
    }
    // The headings are as tall as the longest one needs at this width.
    if (altezza > 0 && altezza != m_intestazioni->height()) {
        m_intestazioni->setFixedHeight(altezza);
        for (QLabel* etichetta : m_etichette) {
            if (etichetta)
                etichetta->resize(etichetta->width(), altezza);
        }
    }
}
