#include "questionario/ui/paginadomande.h"

#include "questionario/filtritasti.h"
#include "questionario/interazione.h"
#include "questionario/questionario.h"
#include "questionario/ui/casellerisposta.h"
#include "questionario/ui/ingressotesto.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QLabel* etichettaTesto(int numero, QWidget* parent)
{
    auto* etichetta = new QLabel(parent);
    etichetta->setObjectName(QStringLiteral("LABEL_RIQUADRO_%1").arg(numero));
    etichetta->setTextFormat(Qt::PlainText);
    etichetta->setWordWrap(true);
    etichetta->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return etichetta;
}

} // namespace

PaginaDomande::PaginaDomande(Questionario& questionario, int pagina, QWidget* parent)
    : QWidget(parent), m_questionario(questionario)
{
    const PaginaCatalogo& catalogo = questionario.profilo().catalogo.pagine[pagina];
    auto* esterno = new QVBoxLayout(this);
    esterno->setContentsMargins(0, 0, 0, 0);
    if (!catalogo.applicabile) {
        costruisciNonApplicabile();
        return;
    }

    auto* scorrimento = new QScrollArea(this);
    scorrimento->setWidgetResizable(true);
    descriviPagina(scorrimento, catalogo.didascalia);
    scorrimento->setFrameShape(QFrame::NoFrame);
    esterno->addWidget(scorrimento);
    auto* contenuto = new QWidget;
    scorrimento->setWidget(contenuto);

    auto* colonna = new QVBoxLayout(contenuto);
    auto* intestazione = new QLabel(catalogo.intestazione, contenuto);
    intestazione->setObjectName(QStringLiteral("INTESTAZIONE_PAGINA_%1").arg(pagina));
    QFont grassetto = intestazione->font();
    grassetto.setBold(true);
    intestazione->setFont(grassetto);
    colonna->addWidget(intestazione);
    if (!catalogo.testoIniziale.isEmpty())
        colonna->addWidget(new QLabel(catalogo.testoIniziale, contenuto));

    auto* griglia = new QGridLayout;
    griglia->setHorizontalSpacing(12);
    griglia->setVerticalSpacing(8);
    griglia->setColumnStretch(0, 1);
    colonna->addLayout(griglia);
    colonna->addStretch();

    int r = 0;
    int indiceSopra = 0;
    for (const RigaPagina& riga : catalogo.righe) {
        QLabel* testo = etichettaTesto(riga.numeroEtichetta, contenuto);
        m_etichette.insert(riga.numeroEtichetta, testo);
        if (riga.eIntestazione()) {
            griglia->addWidget(testo, r++, 0, 1, 3);
            continue;
        }
        const Domanda& d = questionario.profilo().domanda(riga.indice);
        griglia->addWidget(testo, r, 0);
        QWidget* risposta = nullptr;
        if (d.haCaselle()) {
            auto* caselle = new CaselleRisposta(questionario, riga.indice, contenuto);
            m_ordine.append(caselle->caselle());
            risposta = caselle;
        } else {
            QLineEdit* campo = campoConteggio(d.campoConteggio);
            // "Quante riunioni ... dal comitato": the committee is the question above.
            campo->setAccessibleName(questionario.profilo().testoDomandaPerEsteso(indiceSopra) + u' ' +
                                     d.testo.trimmed());
            campo->setAccessibleDescription(QStringLiteral("Solo cifre, al massimo 3."));
            m_ordine.append(campo);
            risposta = campo;
        }
        griglia->addWidget(risposta, r, 1, Qt::AlignLeft | Qt::AlignTop);
        auto* nota = new EtichettaNota(questionario, riga.indice, contenuto);
        // As tall as the boxes beside it, its caption centred: it reads on the line of theirs at any scaling.
        nota->setMinimumHeight(risposta->sizeHint().height());
        nota->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        connect(nota, &EtichettaNota::cliccata, this, &PaginaDomande::notaCliccata);
        if (auto* caselle = qobject_cast<CaselleRisposta*>(risposta))
            connect(caselle, &CaselleRisposta::tastoNota, nota, &EtichettaNota::attiva);
        griglia->addWidget(nota, r, 2, Qt::AlignLeft | Qt::AlignTop);
        if (d.nascosta) {
            // The row exists, boxes and note slots included, but is never shown.
            testo->hide();
            risposta->hide();
            nota->hide();
        }
        indiceSopra = riga.indice;
        ++r;
    }
}

QLineEdit* PaginaDomande::campoConteggio(int numero)
{
    auto* campo = new QLineEdit(m_questionario.conteggioRiquadroII(numero));
    campo->setObjectName(QStringLiteral("TEXT_%1").arg(numero));
    campo->setFixedWidth(campo->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    new IngressoTesto(campo, &tastoConteggioRiquadroII, [this] { m_questionario.interazione().beep(); });
    connect(campo, &QLineEdit::textChanged, this,
            [this, numero](const QString& testo) { m_questionario.setConteggioRiquadroII(numero, testo); });
    connect(&m_questionario, &Questionario::conteggioRiquadroIICambiato, campo,
            [campo, numero](int n, const QString& testo) {
                if (n == numero && campo->text() != testo)
                    campo->setText(testo);
            });
    return campo;
}

void PaginaDomande::costruisciNonApplicabile()
{
    // A grey panel with the words spaced out in italic capitals; the page itself is switched off.
    auto* pannello = new QLabel(QStringLiteral("N O N   A P P L I C A B I L E"), this);
    pannello->setObjectName(QStringLiteral("NON_APPLICABILE"));
    pannello->setAlignment(Qt::AlignCenter);
    pannello->setAutoFillBackground(true);
    QPalette tavolozza = pannello->palette();
    tavolozza.setColor(QPalette::Window, QColor(192, 192, 192));
    tavolozza.setColor(QPalette::WindowText, QColor(96, 96, 96));
    pannello->setPalette(tavolozza);
    QFont carattere = pannello->font();
    carattere.setItalic(true);
    carattere.setPointSizeF(carattere.pointSizeF() * 2);
    pannello->setFont(carattere);
    layout()->addWidget(pannello);
}

void descriviPagina(QWidget* pagina, const QString& didascalia)
{
    // A click beside the controls gives the page itself the focus.
    pagina->setAccessibleName(didascalia);
    pagina->setAccessibleDescription(
        QStringLiteral("Pagina del questionario. Ctrl+Tab passa alla pagina seguente, Ctrl+Maiusc+Tab alla "
                       "precedente."));
}

void impostaTestiDomande(const Questionario& questionario, const QMap<int, QLabel*>& etichette)
{
    const Catalogo& catalogo = questionario.profilo().catalogo;
    QMap<int, QString> testi;
    for (const PaginaCatalogo& pagina : catalogo.pagine) {
        for (const RigaPagina& riga : pagina.righe) {
            const Domanda* d = riga.eIntestazione() ? nullptr : &catalogo.domande[riga.indice];
            // Hidden rows get no text, except question 69 outside the traditional model.
            if (d && d->nascosta && d->testo.isEmpty())
                continue;
            testi.insert(riga.numeroEtichetta, d ? d->testo : riga.intestazione);
        }
    }
    for (auto it = testi.cbegin(); it != testi.cend(); ++it) {
        if (QLabel* etichetta = etichette.value(it.key()))
            etichetta->setText(it.value());
    }
}
