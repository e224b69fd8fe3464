#include "app/finestramodello.h"

#include "app/collegamentov11.h"
#include "app/vassoiofinestra.h"
#include "documento/comandifile.h"
#include "modelli/posizionifile.h"
#include "questionario/ui/finestranota.h"
#include "questionario/ui/grigliamembri.h"
#include "questionario/ui/paginadatigenerali.h"
#include "questionario/ui/paginadomande.h"
#include "stampa/stampaquestionario.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

QIcon iconaProgramma()
{
    QPixmap immagine(64, 64);
    immagine.fill(Qt::transparent);
    QPainter pittore(&immagine);
    pittore.setRenderHint(QPainter::Antialiasing);
    pittore.setBrush(QColor(0, 70, 140));
    pittore.setPen(Qt::NoPen);
    pittore.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    pittore.setPen(Qt::white);
    QFont carattere = pittore.font();
    carattere.setBold(true);
    carattere.setPixelSize(34);
    pittore.setFont(carattere);
    pittore.drawText(immagine.rect(), Qt::AlignCenter, QStringLiteral("O"));
    return QIcon(immagine);
}

FinestraModello::FinestraModello(Modello modello, std::unique_ptr<IconaNotifica> icona,
                                 Interazione* interazione, QWidget* parent)
    : QWidget(parent), m_interazione(this),
      m_questionario(modello, interazione ? *interazione : m_interazione), m_comandi(m_questionario)
{
    setObjectName(nomeModello(modello));
    setWindowTitle(m_questionario.profilo().titoloFinestra);
    setWindowIcon(iconaProgramma());
    m_vassoio = new VassoioFinestra(*this, std::move(icona));
    m_interazione.termina = [this] { terminaProgramma(); };
    m_interazione.editorNotaGruppo = [this](int indice) { apriNota(indice, -1); };
    m_interazione.editorNotaMembro = [this](int riga) { apriNota(-1, riga); };
    costruisci();
    caricamento();
    if (posizioniFile(modello).radiceEstraneaAlLettoreV11) {
        m_v11 = new CollegamentoV11(*this, m_comandi.stato());
        m_comandi.impostaDestinazioneV11(m_v11);
    }
    // After the load sequence, whose "saved" must not take away a copy left by the last run.
    m_recupero = new CopiaRecupero(m_questionario, m_comandi.stato(), this);
    // Out of sight, the window may be forgotten until the machine goes down.
    connect(m_vassoio, &VassoioFinestra::nascosta, m_recupero, &CopiaRecupero::scriviSubito);
    m_recupero->setFonteNotaInCorso([this]() -> std::optional<CopiaRecupero::NotaInCorso> {
        if (!m_notaAperta || !m_nota)
            return std::nullopt;
        CopiaRecupero::NotaInCorso nota = *m_notaAperta;
        nota.testo = m_nota->testo();
        return nota;
    });
    // The user can type the company's name at once.
    m_datiGenerali->campo(0)->setFocus(Qt::OtherFocusReason);

    resize(969, 607);
    if (const QScreen* schermo = QGuiApplication::primaryScreen()) {
        // Large scaling or a small screen: the window keeps inside the screen and its pages scroll.
        const QRect disponibile = schermo->availableGeometry();
        resize(size().boundedTo(disponibile.size() * 95 / 100));
        move(disponibile.center() - rect().center());
    }
}

FinestraModello::~FinestraModello() = default;

void FinestraModello::costruisci()
{
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(4, 4, 4, 4);

    m_schede = new QTabWidget(this);
    m_schede->setObjectName(QStringLiteral("MySSTab"));
    // Its tab bar reads as the page shown, each tab as its caption.
    m_schede->setAccessibleName(QStringLiteral("Pagine del questionario"));
    m_schede->setAccessibleDescription(
        QStringLiteral("Ctrl+Tab passa alla pagina seguente, Ctrl+Maiusc+Tab alla precedente."));
    colonna->addWidget(m_schede, 1);

    const Catalogo& catalogo = m_questionario.profilo().catalogo;
    m_membri = new GrigliaMembri(m_questionario);
    // A click on the requisiti column counts as an edit, then opens the member's note.
    connect(m_membri, &GrigliaMembri::notaMembroRichiesta, this, [this](int riga) {
        m_comandi.stato().setFlagSalvato(false);
        m_questionario.interazione().apriNotaMembro(riga);
    });
    m_datiGenerali = new PaginaDatiGenerali(m_questionario, m_membri);
    connect(m_datiGenerali, &PaginaDatiGenerali::notaCliccata, this, &FinestraModello::notaCliccata);
    auto* scorrimento = new QScrollArea;
    scorrimento->setWidgetResizable(true);
    scorrimento->setFrameShape(QFrame::NoFrame);
    scorrimento->setWidget(m_datiGenerali);
    descriviPagina(scorrimento, catalogo.pagine[DatiGeneraliPagina].didascalia);
    m_schede->addTab(scorrimento, catalogo.pagine[DatiGeneraliPagina].didascalia);
    // Shown again after a check or a read scrolled it, the page starts from its top, as far as the control
    // holding the focus lets it.
    connect(m_schede, &QTabWidget::currentChanged, this, [this, scorrimento](int pagina) {
        if (pagina != DatiGeneraliPagina)
            return;
        scorrimento->verticalScrollBar()->setValue(0);
        if (QWidget* fuoco = focusWidget(); fuoco && m_datiGenerali->isAncestorOf(fuoco))
            mostraNelloScorrimento(fuoco);
    });

    QMap<int, QLabel*> etichette;
    for (int p = RiquadroI_1; p < numeroPagine; ++p) {
        auto* pagina = new PaginaDomande(m_questionario, p);
        pagina->setObjectName(QStringLiteral("PAGINA_%1").arg(p));
        etichette.insert(pagina->etichetteTesto());
        m_ordinePagine.append(pagina->ordineTastiera());
        connect(pagina, &PaginaDomande::notaCliccata, this, &FinestraModello::notaCliccata);
        m_schede->addTab(pagina, catalogo.pagine[p].didascalia);
    }
    m_etichetteTesto = etichette;

    auto* riga = new QWidget(this);
    costruisciComandi(riga);
    colonna->addWidget(riga);
    ordineTastiera();
}

void FinestraModello::costruisciComandi(QWidget* riga)
{
    struct Definizione
    {
        const char* azione;
        QString menu;
        QString pulsante;
        QList<QKeySequence> tasti;
    };
    // The platform's own keys where it has them; "Genera" has none, and takes a plain one.
    const Definizione definizioni[5] = {
        {"MENU_STAMPA", QStringLiteral("Stampa"), QStringLiteral("Stampa"),
         QKeySequence::keyBindings(QKeySequence::Print)},
        {"MENU_SALVA", QStringLiteral("Salva Temp."), QStringLiteral("Salva temp."),
         QKeySequence::keyBindings(QKeySequence::Save)},
        {"MENU_LEGGI", QStringLiteral("Leggi"), QStringLiteral("Leggi"),
         QKeySequence::keyBindings(QKeySequence::Open)},
        {"MENU_GENERA",
         QStringLiteral("Genera"),
         QStringLiteral("Genera"),
         {QKeySequence(Qt::CTRL | Qt::Key_G)}},
        {"MENU_ESCI", QStringLiteral("Esci"), QStringLiteral("Esci"),
         QKeySequence::keyBindings(QKeySequence::Quit)},
    };

    auto* fila = new QHBoxLayout(riga);
    fila->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 5; ++i) {
        QAction* azione = m_vassoio->menu()->addAction(definizioni[i].menu);
        azione->setObjectName(QString::fromLatin1(definizioni[i].azione));
        azione->setShortcuts(definizioni[i].tasti);
        // Held by the window too, so that its keys work on every page, whatever the buttons' state.
        addAction(azione);
        m_azioni[i] = azione;
        auto* pulsante = new QPushButton(definizioni[i].pulsante, riga);
        pulsante->setObjectName(QStringLiteral("Command_Function_%1").arg(i));
        const QString tasto = azione->shortcut().toString(QKeySequence::NativeText);
        pulsante->setToolTip(tasto);
        pulsante->setAccessibleName(definizioni[i].pulsante);
        pulsante->setAccessibleDescription(tasto.isEmpty() ? QStringLiteral("Nessuna scorciatoia.")
                                                           : QStringLiteral("Scorciatoia: ") + tasto);
        pulsante->setAutoDefault(true);
        connect(pulsante, &QPushButton::clicked, azione, &QAction::trigger);
        m_pulsanti[i] = pulsante;
        fila->addWidget(pulsante);
    }
    connect(m_azioni[Stampa], &QAction::triggered, this, &FinestraModello::stampa);
    connect(m_azioni[SalvaTemporaneo], &QAction::triggered, this, [this] { salva(false); });
    connect(m_azioni[Leggi], &QAction::triggered, this, &FinestraModello::apriFile);
    connect(m_azioni[Genera], &QAction::triggered, this, [this] { salva(true); });
    connect(m_azioni[Esci], &QAction::triggered, this, &FinestraModello::esci);

    connect(&m_comandi.stato(), &StatoFinestra::leggiDisponibileCambiato, this,
            &FinestraModello::aggiornaStatoComandi);
}

void FinestraModello::ordineTastiera()
{
    // Page 0's fields, the members table, the office fields; then the commands and the questions; last of
    // all the controls the keyboard reaches after every question.
    QList<QWidget*> ordine = m_datiGenerali->ordineTastieraIniziale();
    ordine.append(static_cast<QWidget*>(m_membri->griglia()));
    ordine.append(m_datiGenerali->ordineTastieraDopoMembri());
    for (QPushButton* p : m_pulsanti)
        ordine.append(static_cast<QWidget*>(p));
    ordine.append(m_ordinePagine);
    ordine.append(static_cast<QWidget*>(m_membri->pulsanteAggiungi()));
    ordine.append(m_datiGenerali->ordineTastieraFinale());
    for (qsizetype i = 1; i < ordine.size(); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);
    m_ordineTastiera = ordine;
    for (QWidget* controllo : ordine)
        controllo->installEventFilter(this);
    // Tab leaves the grid instead of walking its cells.
    m_membri->griglia()->setTabKeyNavigation(false);
}

int FinestraModello::paginaDi(const QWidget* controllo) const
{
    for (int p = 0; p < m_schede->count(); ++p) {
        if (m_schede->widget(p)->isAncestorOf(controllo))
            return p;
    }
    return -1;
}

bool FinestraModello::raggiungibile(const QWidget* controllo) const
{
    const int pagina = paginaDi(controllo);
    if (pagina >= 0 && (!m_schede->isTabEnabled(pagina) || !controllo->isVisibleTo(m_schede->widget(pagina))))
        return false;
    return controllo->isEnabled() && (controllo->focusPolicy() & Qt::TabFocus) && !controllo->isHidden();
}

bool FinestraModello::eventFilter(QObject* oggetto, QEvent* evento)
{
    // Only a real Tab or Shift+Tab crosses the pages; Qt's own focus moves (a page being hidden, a click)
    // are left alone, so that the page shown and its tab never part.
    if (evento->type() == QEvent::KeyPress) {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        const bool tab = tasto->key() == Qt::Key_Tab || tasto->key() == Qt::Key_Backtab;
        if (tab && !(tasto->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return spostaFocusDaTastiera(tasto->key() == Qt::Key_Tab &&
                                         !(tasto->modifiers() & Qt::ShiftModifier));
    }
    return QWidget::eventFilter(oggetto, evento);
}

bool FinestraModello::spostaFocusDaTastiera(bool avanti)
{
    const qsizetype n = m_ordineTastiera.size();
    const qsizetype da = m_ordineTastiera.indexOf(focusWidget());
    if (da < 0 || n == 0)
        return false;
    for (qsizetype passo = 1; passo < n; ++passo) {
        QWidget* prossimo = m_ordineTastiera[(da + (avanti ? passo : n - passo)) % n];
        if (!raggiungibile(prossimo))
            continue;
        const int pagina = paginaDi(prossimo);
        // The focus goes first, so that the page being hidden no longer holds it.
        prossimo->setFocus(avanti ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        if (pagina >= 0 && pagina != m_schede->currentIndex())
            m_schede->setCurrentIndex(pagina);
        prossimo->setFocus(avanti ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        mostraNelloScorrimento(prossimo);
        return true;
    }
    return false;
}

void FinestraModello::caricamento()
{
    m_vassoio->aggiungi(windowTitle());
    m_comandi.stato().segnaSalvato();
    impostaTestiDomande(m_questionario, m_etichetteTesto);
    m_comandi.stato().setTitoloBase(windowTitle());
    m_questionario.membri().setGriglia();
    m_schede->setCurrentIndex(DatiGeneraliPagina);
    if (!m_questionario.profilo().catalogo.pagine[RiquadroII].applicabile)
        m_schede->setTabEnabled(RiquadroII, false);
    aggiornaStatoComandi();
}

void FinestraModello::aggiornaStatoComandi()
{
    // The "Leggi" button follows unsaved edits; its menu entry always stays available.
    m_pulsanti[Leggi]->setEnabled(m_comandi.stato().leggiDisponibile());
    for (QAction* azione : m_azioni)
        azione->setEnabled(true);
}

FinestraNota* FinestraModello::finestraNota()
{
    if (!m_nota) {
        m_nota = new FinestraNota(m_questionario, this);
        // A long note is typed in the note window: the recovery copy follows it before "Fine".
        connect(m_nota->casellaTesto(), &QPlainTextEdit::textChanged, m_recupero,
                &CopiaRecupero::notaInCorsoCambiata);
    }
    return m_nota;
}

void FinestraModello::apriNota(int indice, int riga)
{
    m_notaAperta = CopiaRecupero::NotaInCorso{indice, riga, {}};
    if (riga >= 0)
        finestraNota()->apriMembro(riga);
    else
        finestraNota()->apriGruppo(indice);
    m_notaAperta.reset();
}

void FinestraModello::notaCliccata(int indice)
{
    // The click counts as an edit whether or not the note opens.
    m_comandi.stato().setFlagSalvato(false);
    if (!m_questionario.notaApribileDaEtichetta(indice))
        return;
    m_questionario.interazione().apriNotaGruppo(indice);
    m_questionario.segnaModificato();
}

void FinestraModello::stampa()
{
    m_questionario.interazione().stampa(
        [this](SuperficieStampa& superficie) { return stampaQuestionario(m_questionario, superficie); },
        windowTitle());
}

void FinestraModello::salva(bool generazione)
{
    m_comandi.salva(generazione);
}

void FinestraModello::apriFile()
{
    m_comandi.apriFile();
}

void FinestraModello::esci()
{
    m_comandi.esci();
}

void FinestraModello::closeEvent(QCloseEvent* evento)
{
    // Closing the window ends the program, after the unsaved-changes prompt; Cancel keeps it open.
    if (m_terminato || m_comandi.chiusuraFinestra())
        evento->accept();
    else
        evento->ignore();
}

void FinestraModello::terminaProgramma()
{
    if (m_terminato)
        return;
    m_terminato = true;
    m_vassoio->rimuovi();
    QCoreApplication::exit(0);
}
