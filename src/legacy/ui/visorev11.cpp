#include "legacy/ui/visorev11.h"

#include "app/finestramodello.h"
#include "legacy/letturav11.h"
#include "legacy/ui/finestranotav11.h"
#include "modelli/colonnemembri.h"
#include "modelli/posizionifile.h"
#include "modelli/profilomodello.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Room for `cifre` characters of the field's own font, so that short fields keep their text visible at any
// scaling.
void adattaACifre(QLineEdit* campo, int cifre)
{
    campo->setFixedWidth(campo->fontMetrics().horizontalAdvance(QString(cifre + 1, u'0')) + 12);
}

QLabel* etichettaTesto(const QString& testo, const QString& nome, QWidget* genitore)
{
    auto* etichetta = new QLabel(testo, genitore);
    etichetta->setObjectName(nome);
    etichetta->setTextFormat(Qt::PlainText);
    etichetta->setWordWrap(true);
    return etichetta;
}

// A disabled frame whose boxes still read as clearly as enabled ones: only the clicks are gone.
void disabilitaLeggibile(QWidget* cornice)
{
    QPalette tavolozza = cornice->palette();
    for (QPalette::ColorRole ruolo : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        tavolozza.setColor(QPalette::Disabled, ruolo, tavolozza.color(QPalette::Active, ruolo));
    cornice->setPalette(tavolozza);
    cornice->setEnabled(false);
}

QCheckBox* casella(const QString& testo, const QString& nome, QWidget* genitore)
{
    auto* box = new QCheckBox(testo, genitore);
    box->setObjectName(nome);
    return box;
}

} // namespace

VisoreV11::VisoreV11(std::unique_ptr<IconaNotifica> icona, Interazione* interazione, QWidget* parent)
    : QWidget(parent), m_interazione(this), m_portaEsterna(interazione)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(titoloBaseV11);
    setWindowIcon(iconaProgramma());
    m_vassoio = new VassoioFinestra(*this, std::move(icona));
    m_interazione.editorNotaGruppo = [this](int gruppo) { finestraNota()->apri(gruppo); };
    costruisci();

    resize(969, 607);
    if (const QScreen* schermo = QGuiApplication::primaryScreen()) {
        const QRect disponibile = schermo->availableGeometry();
        resize(size().boundedTo(disponibile.size() * 95 / 100));
        move(disponibile.center() - rect().center());
    }
}

VisoreV11::~VisoreV11() = default;

Interazione& VisoreV11::porta()
{
    return m_portaEsterna ? *m_portaEsterna : m_interazione;
}

QPushButton* VisoreV11::pulsante(Comando comando) const
{
    return comando == Stampa ? m_pulsanteStampa : m_pulsanteEsci;
}

void VisoreV11::costruisci()
{
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(4, 4, 4, 4);

    m_schede = new QTabWidget(this);
    m_schede->setObjectName(QStringLiteral("MySSTab"));
    colonna->addWidget(m_schede, 1);
    const Catalogo& catalogo = catalogoV11();
    m_schede->addTab(paginaDatiGenerali(), catalogo.pagine[DatiGeneraliPagina].didascalia);
    for (int p = RiquadroI_1; p < numeroPagine; ++p)
        m_schede->addTab(paginaDomande(p), catalogo.pagine[p].didascalia);

    auto* riga = new QWidget(this);
    costruisciComandi(riga);
    colonna->addWidget(riga);
}

QLineEdit* VisoreV11::campo(const QString& nome, QWidget* genitore)
{
    // Locked, not disabled: the text stays readable and can be selected and copied.
    auto* campo = new QLineEdit(genitore);
    campo->setObjectName(nome);
    campo->setReadOnly(true);
    return campo;
}

QWidget* VisoreV11::paginaDatiGenerali()
{
    auto* pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("DatiGenerali"));
    for (int i = 0; i < numeroCampiGeneraliV11; ++i)
        m_campi[i] = campo(QStringLiteral("TEXT_GENERALE_%1").arg(i), pagina);

    // The captions are those of the traditional model's page.
    const ProfiloModello& tradizionale = profilo(Modello::Tradizionale);
    const auto etichetta = [&](int indice) {
        auto* e = new QLabel(tradizionale.etichettaCampoGenerale(indice), pagina);
        e->setObjectName(QStringLiteral("LABEL_GENERALE_%1").arg(indice));
        e->setBuddy(m_campi[indice]);
        return e;
    };
    // A day/month/year line: the three fields from `primo` on, parted by "/".
    const auto lineaData = [&](int primo) {
        auto* linea = new QHBoxLayout;
        adattaACifre(m_campi[primo], 2);
        linea->addWidget(m_campi[primo]);
        for (int indice : {primo + 1, primo + 2}) {
            auto* barra = new QLabel(QStringLiteral("/"), pagina);
            barra->setObjectName(QStringLiteral("LABEL_BARRA_%1").arg(indice));
            linea->addWidget(barra);
            adattaACifre(m_campi[indice], indice == primo + 2 ? 4 : 2);
            linea->addWidget(m_campi[indice]);
        }
        linea->addStretch();
        return linea;
    };

    auto* dati = new QGridLayout;
    int r = 0;
    for (int indice : {0, 1, 2, 5, 6, 7}) {
        dati->addWidget(etichetta(indice), r, 0);
        if (indice == 2) {
            dati->addLayout(lineaData(2), r, 1);
        } else if (indice == 1) {
            adattaACifre(m_campi[1], 16);
            dati->addWidget(m_campi[1], r, 1, Qt::AlignLeft);
        } else {
            dati->addWidget(m_campi[indice], r, 1);
        }
        ++r;
    }
    dati->setColumnStretch(1, 1);
    auto* superiore = new QHBoxLayout;
    superiore->addLayout(dati, 2);
    superiore->addStretch(1);

    // Five fixed member rows under the headings of the traditional members table; row k holds the fields
    // 8 + 5k to 12 + 5k and minority mark k.
    const LayoutMembri& colonne = layoutMembri(Modello::Tradizionale);
    auto* membri = new QGridLayout;
    membri->setVerticalSpacing(6);
    for (int c = colonne.colonnaNome; c <= colonne.primaColonnaIncarichi + 2; ++c) {
        QLabel* intestazione =
            etichettaTesto(colonne.colonne[c].suggerimento, QStringLiteral("LABEL_MEMBRI_%1").arg(c), pagina);
        if (c == colonne.colonnaNome) {
            QFont grassetto = intestazione->font();
            grassetto.setBold(true);
            intestazione->setFont(grassetto);
        } else {
            intestazione->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        }
        if (c >= colonne.colonnaElettoMinoranze) {
            intestazione->setFixedWidth(
                intestazione->fontMetrics().horizontalAdvance(QStringLiteral("ricoperti in società")));
        }
        membri->addWidget(intestazione, 0, c, Qt::AlignBottom);
    }
    auto* cornice = new QFrame(pagina);
    cornice->setObjectName(QStringLiteral("FRAME_MINORANZE"));
    auto* colonnaMinoranze = new QVBoxLayout(cornice);
    colonnaMinoranze->setContentsMargins(0, 0, 0, 0);
    colonnaMinoranze->setSpacing(0);
    for (int k = 0; k < numeroMinoranzeV11; ++k) {
        const int riga = k + 1;
        auto* numero = new QLabel(k == 0 ? QStringLiteral("Pres.") : QString::number(k + 1), pagina);
        numero->setObjectName(QStringLiteral("LABEL_MEMBRO_%1").arg(k));
        membri->addWidget(numero, riga, 0);
        m_campi[8 + 5 * k]->setMinimumWidth(
            m_campi[8 + 5 * k]->fontMetrics().horizontalAdvance(QString(11, u'n')));
        membri->addWidget(m_campi[8 + 5 * k], riga, colonne.colonnaNome);
        adattaACifre(m_campi[9 + 5 * k], 16);
        membri->addWidget(m_campi[9 + 5 * k], riga, colonne.colonnaCodiceFiscale);
        for (int n = 0; n < 3; ++n) {
            adattaACifre(m_campi[10 + 5 * k + n], 3);
            membri->addWidget(m_campi[10 + 5 * k + n], riga, colonne.primaColonnaIncarichi + n,
                              Qt::AlignHCenter);
        }
        // Each box in an equal share of the frame, level with its row.
        m_minoranze[k] = casella(QString(), QStringLiteral("CHECK_MINORANZE_%1").arg(k), cornice);
        colonnaMinoranze->addWidget(m_minoranze[k], 1, Qt::AlignCenter);
    }
    membri->addWidget(cornice, 1, colonne.colonnaElettoMinoranze, numeroMinoranzeV11, 1);
    disabilitaLeggibile(cornice);
    membri->setColumnStretch(colonne.colonnaNome, 1);

    auto* inferiore = new QHBoxLayout;
    inferiore->addWidget(etichetta(33));
    adattaACifre(m_campi[33], 3);
    inferiore->addWidget(m_campi[33]);
    inferiore->addStretch();
    inferiore->addWidget(etichetta(34));
    inferiore->addLayout(lineaData(34));

    auto* colonna = new QVBoxLayout(pagina);
    colonna->addLayout(superiore);
    colonna->addSpacing(fontMetrics().height());
    colonna->addLayout(membri);
    colonna->addSpacing(fontMetrics().height());
    colonna->addLayout(inferiore);
    colonna->addStretch(1);

    auto* scorrimento = new QScrollArea;
    scorrimento->setWidgetResizable(true);
    scorrimento->setFrameShape(QFrame::NoFrame);
    scorrimento->setWidget(pagina);
    return scorrimento;
}

QWidget* VisoreV11::paginaDomande(int pagina)
{
    const Catalogo& catalogo = catalogoV11();
    const PaginaCatalogo& righe = catalogo.pagine[pagina];
    auto* scorrimento = new QScrollArea;
    scorrimento->setObjectName(QStringLiteral("PAGINA_%1").arg(pagina));
    scorrimento->setWidgetResizable(true);
    scorrimento->setFrameShape(QFrame::NoFrame);
    auto* contenuto = new QWidget;
    scorrimento->setWidget(contenuto);
    auto* colonna = new QVBoxLayout(contenuto);
    auto* riquadro = new QGroupBox(righe.intestazione, contenuto);
    riquadro->setObjectName(QStringLiteral("RIQUADRO_PAGINA_%1").arg(pagina));
    colonna->addWidget(riquadro);
    colonna->addStretch();

    auto* interno = new QVBoxLayout(riquadro);
    if (!righe.testoIniziale.isEmpty())
        interno->addWidget(etichettaTesto(righe.testoIniziale, QStringLiteral("LABEL_RELAZIONE"), riquadro));
    auto* griglia = new QGridLayout;
    griglia->setHorizontalSpacing(12);
    griglia->setVerticalSpacing(8);
    griglia->setColumnStretch(0, 1);
    interno->addLayout(griglia);

    int r = 0;
    for (const RigaPagina& riga : righe.righe) {
        const Domanda* d = riga.eIntestazione() ? nullptr : &catalogo.domande[riga.indice];
        QLabel* testo =
            etichettaTesto(d ? d->testo : riga.intestazione,
                           QStringLiteral("LABEL_RIQUADRO_%1").arg(riga.numeroEtichetta), riquadro);
        testo->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (!d) {
            griglia->addWidget(testo, r++, 0, 1, 3);
            continue;
        }
        const int g = d->indice;
        griglia->addWidget(testo, r, 0);
        if (d->haCaselle()) {
            // The frame of the boxes is disabled: the answers show but take no click and no key.
            auto* caselle = new QFrame(riquadro);
            caselle->setObjectName(QStringLiteral("FRAME_RIQUADRO_1_1_%1").arg(g));
            auto* fila = new QHBoxLayout(caselle);
            fila->setContentsMargins(0, 0, 0, 0);
            m_caselle[g].si = casella(d->didascaliaSI, QStringLiteral("Check_SI_%1").arg(g), caselle);
            fila->addWidget(m_caselle[g].si);
            m_caselle[g].no = casella(d->didascaliaNO, QStringLiteral("Check_NO_%1").arg(g), caselle);
            fila->addWidget(m_caselle[g].no);
            if (d->offreNA) {
                m_caselle[g].na =
                    casella(QStringLiteral("N/A"), QStringLiteral("Check_NA_%1").arg(g), caselle);
                fila->addWidget(m_caselle[g].na);
            }
            fila->addStretch();
            // A screen reader hears which question a box answers, as in the model window.
            for (QCheckBox* box : {m_caselle[g].si, m_caselle[g].no, m_caselle[g].na}) {
                if (box)
                    box->setAccessibleName(box->text() + QStringLiteral(": ") + d->testo);
            }
            disabilitaLeggibile(caselle);
            griglia->addWidget(caselle, r, 1, Qt::AlignLeft | Qt::AlignTop);
        } else {
            QLineEdit* conteggio = campo(QStringLiteral("TEXT_%1").arg(d->campoConteggio), riquadro);
            adattaACifre(conteggio, 4);
            conteggio->setAccessibleName(d->testo);
            m_conteggi[d->campoConteggio] = conteggio;
            griglia->addWidget(conteggio, r, 1, Qt::AlignLeft | Qt::AlignTop);
        }
        auto* nota = new QLabel(d->etichettaNota, riquadro);
        nota->setObjectName(QStringLiteral("Label_NOTA_%1").arg(g));
        nota->setCursor(Qt::PointingHandCursor);
        nota->setVisible(d->etichettaNotaVisibile);
        nota->installEventFilter(this);
        m_etichetteNota[g] = nota;
        griglia->addWidget(nota, r, 2, Qt::AlignLeft | Qt::AlignTop);
        ++r;
    }
    return scorrimento;
}

void VisoreV11::costruisciComandi(QWidget* riga)
{
    m_stampa = m_vassoio->menu()->addAction(QStringLiteral("Stampa"));
    m_stampa->setObjectName(QStringLiteral("MENU_STAMPA"));
    m_esci = m_vassoio->menu()->addAction(QStringLiteral("Esci"));
    m_esci->setObjectName(QStringLiteral("MENU_ESCI"));

    m_pulsanteStampa = new QPushButton(QStringLiteral("Stampa"), riga);
    m_pulsanteStampa->setObjectName(QStringLiteral("Command_Function_0"));
    m_pulsanteEsci = new QPushButton(QStringLiteral("Esci"), riga);
    m_pulsanteEsci->setObjectName(QStringLiteral("Command_Function_4"));
    auto* fila = new QHBoxLayout(riga);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->addWidget(m_pulsanteStampa, 2);
    fila->addStretch(3);
    fila->addWidget(m_pulsanteEsci, 1);

    // The same keys as the model windows, from any page of the viewer.
    m_stampa->setShortcuts(QKeySequence::Print);
    m_esci->setShortcuts(QKeySequence::Quit);
    addAction(m_stampa);
    addAction(m_esci);
    m_pulsanteStampa->setToolTip(m_stampa->shortcut().toString(QKeySequence::NativeText));
    m_pulsanteEsci->setToolTip(m_esci->shortcut().toString(QKeySequence::NativeText));
    connect(m_pulsanteStampa, &QPushButton::clicked, m_stampa, &QAction::trigger);
    connect(m_pulsanteEsci, &QPushButton::clicked, m_esci, &QAction::trigger);
    connect(m_stampa, &QAction::triggered, this, &VisoreV11::stampaRichiesta);
    connect(m_esci, &QAction::triggered, this, &VisoreV11::esci);
}

void VisoreV11::apri(const ContenutoV11& contenuto, const QString& percorso)
{
    impostaContenuto(contenuto);
    setWindowTitle(titoloVisoreV11(percorso, cartellaProgramma()));
    m_vassoio->aggiungi(titoloApplicazione());
    m_flagSalvato = true;
    m_schede->setCurrentIndex(DatiGeneraliPagina);
    ripristina();
}

void VisoreV11::impostaContenuto(const ContenutoV11& contenuto)
{
    m_contenuto = contenuto;
    mostraContenuto();
}

void VisoreV11::mostraContenuto()
{
    for (int i = 0; i < numeroCampiGeneraliV11; ++i) {
        m_campi[i]->setText(m_contenuto.campiGenerali[i]);
        m_campi[i]->setCursorPosition(0);
    }
    for (int k = 0; k < numeroMinoranzeV11; ++k)
        m_minoranze[k]->setChecked(m_contenuto.minoranze[k]);
    for (int k = 0; k < numeroConteggiV11; ++k)
        m_conteggi[k]->setText(m_contenuto.conteggi[k]);
    for (int g = 0; g < numeroGruppiV11; ++g) {
        const Risposta risposta = m_contenuto.risposte[g];
        const CaselleGruppo& c = m_caselle[g];
        if (c.si) {
            c.si->setChecked(risposta == Risposta::SI);
            c.no->setChecked(risposta == Risposta::NO);
        }
        if (c.na)
            c.na->setChecked(risposta == Risposta::NA);
        mostraSegno(g);
    }
}

void VisoreV11::mostraSegno(int gruppo)
{
    QLabel* etichetta = m_etichetteNota[gruppo];
    QPalette tavolozza = etichetta->palette();
    tavolozza.setColor(QPalette::WindowText, m_contenuto.segniNota[gruppo]
                                                 ? QColor(255, 0, 0)
                                                 : QApplication::palette().color(QPalette::ButtonText));
    etichetta->setPalette(tavolozza);
    etichetta->setAccessibleDescription(m_contenuto.segniNota[gruppo] ? QStringLiteral("Nota presente")
                                                                      : QStringLiteral("Nessuna nota"));
}

FinestraNotaV11* VisoreV11::finestraNota()
{
    if (!m_nota)
        m_nota = new FinestraNotaV11(m_contenuto, porta(), this);
    return m_nota;
}

void VisoreV11::notaCliccata(int gruppo)
{
    m_flagSalvato = false;
    m_indiceNota = gruppo;
    if (!notaApribileV11(m_contenuto, gruppo))
        return;
    porta().apriNotaGruppo(gruppo);
    mostraSegno(gruppo);
}

bool VisoreV11::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::MouseButtonRelease) {
        const auto trovata = std::find(m_etichetteNota.cbegin(), m_etichetteNota.cend(), oggetto);
        const auto* clic = static_cast<QMouseEvent*>(evento);
        if (trovata != m_etichetteNota.cend() && clic->button() == Qt::LeftButton &&
            (*trovata)->rect().contains(clic->position().toPoint())) {
            notaCliccata(int(trovata - m_etichetteNota.cbegin()));
            return true;
        }
    }
    return QWidget::eventFilter(oggetto, evento);
}

void VisoreV11::esci()
{
    m_vassoio->rimuovi();
    hide();
    Q_EMIT chiuso();
}

void VisoreV11::closeEvent(QCloseEvent* evento)
{
    // Closed by its close box the viewer is gone; the next version 1.1 file makes a new one.
    m_vassoio->rimuovi();
    setAttribute(Qt::WA_DeleteOnClose);
    evento->accept();
    Q_EMIT chiuso();
}
