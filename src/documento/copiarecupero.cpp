#include "documento/copiarecupero.h"

#include "documento/comandifile.h"
#include "documento/lettura.h"
#include "documento/scrittura.h"
#include "modelli/modello.h"
#include "questionario/alzata.h"
#include "questionario/interazione.h"
#include "questionario/questionario.h"
#include "questionario/testo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <exception>

namespace {

// Puts the note being typed into the questionnaire for the time of one write, and takes it out again.
class NotaApplicata
{
public:
    NotaApplicata(Questionario& q, const std::optional<CopiaRecupero::NotaInCorso>& nota) : m_q(q)
    {
        if (!nota)
            return;
        if (nota->riga >= 0) {
            const LayoutMembri& colonne = q.membri().layout();
            m_riga = nota->riga;
            m_nascosta = q.membri().cella(m_riga, colonne.colonnaNascosta);
            m_requisiti = q.membri().cella(m_riga, colonne.colonnaRequisiti);
            q.membri().fineNotaMembro(m_riga, nota->testo);
        } else if (indiceValido(nota->indice)) {
            m_indice = nota->indice;
            m_si = q.casella(m_indice, Casella::SI);
            m_testo = m_si ? q.notaSI(m_indice) : q.notaAltre(m_indice);
            m_segno = q.segnoNota(m_indice);
            const bool vuota = soloSpazi(nota->testo);
            metti(vuota ? QString() : nota->testo, !vuota);
        }
    }
    ~NotaApplicata()
    {
        if (m_riga >= 0) {
            const LayoutMembri& colonne = m_q.membri().layout();
            m_q.membri().setCella(m_riga, colonne.colonnaNascosta, m_nascosta);
            m_q.membri().setCella(m_riga, colonne.colonnaRequisiti, m_requisiti);
        } else if (m_indice >= 0) {
            metti(m_testo, m_segno);
        }
    }
    NotaApplicata(const NotaApplicata&) = delete;
    NotaApplicata& operator=(const NotaApplicata&) = delete;

private:
    // Into the slot "Fine" would use: the SI slot while SI is ticked, else the other.
    void metti(const QString& testo, bool segno)
    {
        if (m_si)
            m_q.setNotaSI(m_indice, testo);
        else
            m_q.setNotaAltre(m_indice, testo);
        m_q.setSegnoNota(m_indice, segno);
    }

    Questionario& m_q;
    int m_riga = -1;
    QString m_nascosta;
    QString m_requisiti;
    int m_indice = -1;
    bool m_si = false;
    QString m_testo;
    bool m_segno = false;
};

} // namespace

CopiaRecupero::CopiaRecupero(Questionario& questionario, StatoFinestra& stato, QObject* parent)
    : QObject(parent), m_q(questionario), m_stato(stato),
      m_cartella(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(intervalloPredefinito);
    connect(&m_timer, &QTimer::timeout, this, &CopiaRecupero::scriviSubito);

    // Every change of what the file holds, the ones that leave the saved flag alone included (the meeting
    // counts of Riquadro II).
    const auto modifica = [this] { modificato(); };
    connect(&m_q, &Questionario::modificato, this, modifica);
    connect(&m_q, &Questionario::casellaCambiata, this, modifica);
    connect(&m_q, &Questionario::segnoNotaCambiato, this, modifica);
    connect(&m_q, &Questionario::campoGeneraleCambiato, this, modifica);
    connect(&m_q, &Questionario::riunioniNACambiato, this, modifica);
    connect(&m_q, &Questionario::conteggioRiquadroIICambiato, this, modifica);
    connect(&m_q.membri(), &TabellaMembri::dataChanged, this, modifica);

    connect(&m_stato, &StatoFinestra::salvato, this, &CopiaRecupero::rimuovi);
    connect(&m_stato, &StatoFinestra::uscitaRegolare, this, &CopiaRecupero::rimuovi);
}

QString CopiaRecupero::percorso() const
{
    return QDir(m_cartella)
        .filePath(QStringLiteral("recupero-%1.xml").arg(nomeModello(m_q.modello()).toLower()));
}

void CopiaRecupero::modificato()
{
    if (m_inScrittura)
        return;
    m_daScrivere = true;
    // Started by the first edit only: the edits that follow wait for the same write.
    if (!m_timer.isActive())
        m_timer.start();
}

void CopiaRecupero::scriviSubito()
{
    m_timer.stop();
    if (!m_daScrivere || m_cartella.isEmpty())
        return;
    if (!QFileInfo::exists(m_cartella)) {
        if (!QDir().mkpath(m_cartella))
            return;
        // The copy holds the company's data: for the user's eyes only.
        QFile::setPermissions(m_cartella,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    try {
        const Alzata inScrittura(m_inScrittura);
        const NotaApplicata nota(m_q, m_fonteNota ? m_fonteNota() : std::nullopt);
        scriviFile(m_q, percorso());
    } catch (const std::exception&) {
        // Never in the way of the typing: the previous copy stays, and the next edit tries again.
        return;
    }
    m_daScrivere = false;
    Q_EMIT scritta();
}

void CopiaRecupero::rimuovi()
{
    m_timer.stop();
    m_daScrivere = false;
    QFile::remove(percorso());
}

void CopiaRecupero::offriRipristino()
{
    const QFileInfo copia(percorso());
    if (!copia.isFile())
        return;
    const QDateTime scritta = copia.lastModified();
    const QString testo =
        QStringLiteral("È stata trovata una copia di recupero del questionario, salvata il %1 "
                       "alle %2. Si desidera ripristinarla?")
            .arg(scritta.toString(QStringLiteral("dd/MM/yyyy")), scritta.toString(QStringLiteral("HH:mm")));
    Interazione& interazione = m_q.interazione();
    if (interazione.messaggio(testo, titoloApplicazione(), Interazione::Pulsanti::SiNo,
                              Interazione::Icona::Domanda) != Interazione::Esito::Si) {
        rimuovi();
        return;
    }
    const EsitoLettura esito = leggiFile(m_q, copia.filePath());
    // What was read is what the copy holds. An unreadable copy is left alone: the message says why, and what
    // could be read stays on screen.
    m_timer.stop();
    m_daScrivere = false;
    if (!esito.letto) {
        if (esito.errore)
            interazione.mostra(*esito.errore);
        return;
    }
    m_stato.segnaModificato();
}
