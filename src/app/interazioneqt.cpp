#include "app/interazioneqt.h"

#include "stampa/ui/dialogostampa.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QMessageBox>
#include <QScrollArea>
#include <QTabWidget>
#include <QTreeView>

namespace {

// The file list's date column, in the dialog's language rather than the system's.
class DateNellaLingua : public QIdentityProxyModel
{
public:
    DateNellaLingua(const QLocale& lingua, QObject* parent) : QIdentityProxyModel(parent), m_lingua(lingua) {}

    QVariant data(const QModelIndex& indice, int ruolo) const override
    {
        const auto* file = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (file && indice.column() == colonnaData && ruolo == Qt::DisplayRole)
            return m_lingua.toString(file->lastModified(mapToSource(indice)), QLocale::ShortFormat);
        return QIdentityProxyModel::data(indice, ruolo);
    }

    static constexpr int colonnaData = 3;

private:
    QLocale m_lingua;
};

// The toolkit's own dialog, so that it speaks the program's language whatever the desktop; its date column
// wide enough for a whole date.
void preparaDialogo(QFileDialog& finestra)
{
    finestra.setOption(QFileDialog::DontUseNativeDialog);
    finestra.setProxyModel(new DateNellaLingua(finestra.locale(), &finestra));
    if (auto* vista = finestra.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        const QString campione =
            finestra.locale().toString(QDateTime(QDate(2000, 12, 28), QTime(23, 59)), QLocale::ShortFormat);
        vista->header()->resizeSection(DateNellaLingua::colonnaData, vista->fontMetrics().horizontalAdvance(
                                                                         campione + QStringLiteral("MM")));
    }
}

} // namespace

Interazione::Esito InterazioneQt::messaggio(const QString& testo, const QString& titolo, Pulsanti pulsanti,
                                            Icona icona)
{
    QMessageBox box(m_finestra);
    box.setWindowTitle(titolo);
    box.setText(testo);
    switch (icona) {
    case Icona::Nessuna:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icona::Critica:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icona::Domanda:
        box.setIcon(QMessageBox::Question);
        break;
    case Icona::Esclamazione:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icona::Informazione:
        box.setIcon(QMessageBox::Information);
        break;
    }
    switch (pulsanti) {
    case Pulsanti::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Pulsanti::SiNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Pulsanti::SiNoAnnulla:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Esito::Si;
    case QMessageBox::No:
        return Esito::No;
    case QMessageBox::Cancel:
        return Esito::Annulla;
    default:
        return Esito::Ok;
    }
}

std::optional<QString> InterazioneQt::chiediFileDaSalvare(const FiltroFile& dialogo)
{
    QFileDialog finestra(m_finestra, dialogo.titolo, dialogo.cartella, dialogo.filtro);
    preparaDialogo(finestra);
    finestra.setAcceptMode(QFileDialog::AcceptSave);
    finestra.setFileMode(QFileDialog::AnyFile);
    // The file is written under exactly the name typed: no extension is added.
    finestra.setDefaultSuffix(QString());
    // Overwriting an existing file is confirmed by the dialog itself; creating a new one is confirmed here.
    while (finestra.exec() == QDialog::Accepted && !finestra.selectedFiles().isEmpty()) {
        const QString percorso = finestra.selectedFiles().constFirst();
        if (QFileInfo::exists(percorso))
            return percorso;
        const QString domanda =
            QStringLiteral("%1\nIl file non esiste. Crearlo?").arg(QFileInfo(percorso).fileName());
        if (QMessageBox::question(&finestra, dialogo.titolo, domanda) == QMessageBox::Yes)
            return percorso;
    }
    return std::nullopt;
}

std::optional<QString> InterazioneQt::chiediFileDaAprire(const FiltroFile& dialogo)
{
    QFileDialog finestra(m_finestra, dialogo.titolo, dialogo.cartella, dialogo.filtro);
    preparaDialogo(finestra);
    finestra.setAcceptMode(QFileDialog::AcceptOpen);
    finestra.setFileMode(QFileDialog::ExistingFile);
    if (finestra.exec() != QDialog::Accepted || finestra.selectedFiles().isEmpty())
        return std::nullopt;
    return finestra.selectedFiles().constFirst();
}

void InterazioneQt::beep()
{
    QApplication::beep();
}

void InterazioneQt::stampa(const std::function<bool(SuperficieStampa&)>& disegno, const QString& titolo)
{
    stampaConDialogo(m_finestra, disegno, titolo);
}

void InterazioneQt::apriNotaGruppo(int indice)
{
    if (editorNotaGruppo)
        editorNotaGruppo(indice);
}

void InterazioneQt::apriNotaMembro(int riga)
{
    if (editorNotaMembro)
        editorNotaMembro(riga);
}

void InterazioneQt::mostraPagina(int pagina)
{
    if (!m_finestra)
        return;
    if (auto* schede = m_finestra->findChild<QTabWidget*>(QStringLiteral("MySSTab")))
        schede->setCurrentIndex(pagina);
}

void InterazioneQt::ripristinaFinestra()
{
    if (!m_finestra)
        return;
    m_finestra->showNormal();
    m_finestra->raise();
    m_finestra->activateWindow();
}

void InterazioneQt::spostaFocus(const QString& nomeControllo)
{
    if (!m_finestra)
        return;
    if (auto* controllo = m_finestra->findChild<QWidget*>(nomeControllo)) {
        controllo->setFocus(Qt::TabFocusReason); // a keyboard-like move, so the focus frame shows
        mostraNelloScorrimento(controllo);
    }
}

void mostraNelloScorrimento(QWidget* controllo)
{
    for (QWidget* w = controllo->parentWidget(); w; w = w->parentWidget()) {
        if (auto* scorrimento = qobject_cast<QScrollArea*>(w)) {
            scorrimento->ensureWidgetVisible(controllo);
            return;
        }
    }
}

void InterazioneQt::impostaTitolo(const QString& titolo)
{
    if (m_finestra)
        m_finestra->setWindowTitle(titolo);
}

void InterazioneQt::terminaProgramma()
{
    if (termina)
        termina();
    else
        QCoreApplication::exit(0);
}
