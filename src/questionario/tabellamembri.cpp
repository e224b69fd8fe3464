#include "questionario/tabellamembri.h"

#include "questionario/testo.h"

namespace {

const QString etichettaPresidente = QStringLiteral("Pres.");

// Row 0 is the president's; every other row r is labelled with r + 1.
QString etichettaIniziale(int riga)
{
    return riga == 0 ? etichettaPresidente : QString::number(riga + 1);
}

} // namespace

TabellaMembri::TabellaMembri(Modello modello, QObject* parent)
    : QAbstractTableModel(parent), m_layout(layoutMembri(modello))
{
    setGriglia();
}

void TabellaMembri::setGriglia()
{
    const int righe = numeroRighe();
    if (righe > righeIniziali) {
        beginRemoveRows({}, righeIniziali, righe - 1);
        m_righe.resize(righeIniziali);
        endRemoveRows();
    } else if (righe < righeIniziali) {
        beginInsertRows({}, righe, righeIniziali - 1);
        for (int r = righe; r < righeIniziali; ++r)
            m_righe.append(rigaVuotaNuova(QString()));
        endInsertRows();
    }
    for (int r = 0; r < righeIniziali; ++r)
        m_righe[r][0] = etichettaIniziale(r);
    Q_EMIT dataChanged(index(0, 0), index(righeIniziali - 1, 0));
}

bool TabellaMembri::aggiungiMembro()
{
    return aggiungiRiga(QString::number(numeroMembri() + 1));
}

QString TabellaMembri::cella(int riga, int colonna) const
{
    return cellaValida(riga, colonna) ? m_righe.at(riga).at(colonna) : QString();
}

bool TabellaMembri::setCella(int riga, int colonna, const QString& testo)
{
    if (!cellaValida(riga, colonna))
        return false;
    QString& attuale = m_righe[riga][colonna];
    if (attuale != testo) {
        attuale = testo;
        const QModelIndex i = index(riga, colonna);
        Q_EMIT dataChanged(i, i);
    }
    return true;
}

bool TabellaMembri::aggiungiRiga(const QString& testoPrimaColonna)
{
    if (numeroRighe() >= massimoMembri)
        return false;
    const int riga = numeroRighe();
    beginInsertRows({}, riga, riga);
    m_righe.append(rigaVuotaNuova(testoPrimaColonna));
    endInsertRows();
    return true;
}

void TabellaMembri::svuotaTutto()
{
    if (m_righe.isEmpty())
        return;
    for (QStringList& riga : m_righe) {
        for (QString& testo : riga)
            testo.clear();
    }
    Q_EMIT dataChanged(index(0, 0), index(numeroRighe() - 1, numeroColonne() - 1));
}

bool TabellaMembri::rigaVuota(int riga) const
{
    return celleNonVuote(riga) == 0;
}

int TabellaMembri::celleNonVuote(int riga) const
{
    if (!cellaValida(riga, 0))
        return 0;
    const QStringList& celle = m_righe.at(riga);
    int piene = 0;
    for (int c = 1; c <= m_layout.ultimaColonnaDati; ++c) {
        if (!celle.at(c).isEmpty())
            ++piene;
    }
    return piene;
}

QString TabellaMembri::etichettaRiga(int riga) const
{
    return cella(riga, 0);
}

QString TabellaMembri::requisiti(int riga) const
{
    return cella(riga, m_layout.colonnaNascosta);
}

QString TabellaMembri::nomeMembro(int riga) const
{
    const QString etichetta = etichettaRiga(riga);
    return etichetta == etichettaPresidente ? QStringLiteral("Presidente")
                                            : QStringLiteral("Membro ") + etichetta;
}

QString TabellaMembri::titoloNotaMembro(int riga) const
{
    const QString etichetta = etichettaRiga(riga);
    if (etichetta == etichettaPresidente)
        return QStringLiteral("Requisiti professionalità del PRESIDENTE - Testo associato");
    return QStringLiteral("Requisiti professionalità del MEMBRO ") + etichetta +
           QStringLiteral(" - Testo associato");
}

QString TabellaMembri::testoNotaMembro(int riga) const
{
    return normalizzaACapo(requisiti(riga));
}

void TabellaMembri::fineNotaMembro(int riga, const QString& testo)
{
    const QString nota = soloSpazi(testo) ? QString() : testo;
    setCella(riga, m_layout.colonnaNascosta, nota);
    setCella(riga, m_layout.colonnaRequisiti, nota.isEmpty() ? QString() : QStringLiteral("SI"));
}

int TabellaMembri::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : numeroRighe();
}

int TabellaMembri::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : numeroColonne();
}

QVariant TabellaMembri::data(const QModelIndex& index, int role) const
{
    if (!indiceValido(index))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_righe.at(index.row()).at(index.column());
    case Qt::AccessibleTextRole: {
        if (index.column() == 0)
            return nomeMembro(index.row());
        const QString& testo = m_righe.at(index.row()).at(index.column());
        return m_layout.colonne.at(index.column()).intestazioneIntera() + QStringLiteral(": ") +
               (testo.isEmpty() ? QStringLiteral("vuota") : testo);
    }
    case Qt::AccessibleDescriptionRole:
        if (index.column() == 0)
            return m_layout.intestazioneMembri();
        return nomeMembro(index.row()) + (index.column() == m_layout.colonnaRequisiti
                                              ? QStringLiteral(". Invio apre il testo dei requisiti.")
                                              : QStringLiteral(". Invio modifica la cella."));
    case Qt::TextAlignmentRole: {
        const Qt::Alignment orizzontale =
            m_layout.colonne.at(index.column()).centrata ? Qt::AlignHCenter : Qt::AlignLeft;
        // As an int, the form every delegate reads.
        return static_cast<int>(orizzontale | Qt::AlignTop);
    }
    default:
        return {};
    }
}

bool TabellaMembri::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !indiceValido(index) || !modificabile(index.column()))
        return false;
    return setCella(index.row(), index.column(), value.toString());
}

QVariant TabellaMembri::headerData(int section, Qt::Orientation orientation, int role) const
{
    // Rows carry their label in column 0; only columns have headings.
    if (orientation != Qt::Horizontal || section < 0 || section >= numeroColonne())
        return {};
    const ColonnaMembri& colonna = m_layout.colonne.at(section);
    if (role == Qt::DisplayRole)
        return colonna.intestazione;
    if (role == Qt::ToolTipRole && !colonna.suggerimento.isEmpty())
        return colonna.suggerimento;
    return {};
}

Qt::ItemFlags TabellaMembri::flags(const QModelIndex& index) const
{
    if (!indiceValido(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (modificabile(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool TabellaMembri::cellaValida(int riga, int colonna) const
{
    return riga >= 0 && riga < numeroRighe() && colonna >= 0 && colonna < numeroColonne();
}

bool TabellaMembri::indiceValido(const QModelIndex& indice) const
{
    return indice.isValid() && indice.model() == this && !indice.parent().isValid() &&
           cellaValida(indice.row(), indice.column());
}

// The row label is kept by the program; the requirements text and its marker change only through the note.
bool TabellaMembri::modificabile(int colonna) const
{
    return colonna != 0 && colonna != m_layout.colonnaNascosta && colonna != m_layout.colonnaRequisiti;
}

QStringList TabellaMembri::rigaVuotaNuova(const QString& testoPrimaColonna) const
{
    QStringList riga(numeroColonne());
    riga[0] = testoPrimaColonna;
    return riga;
}
