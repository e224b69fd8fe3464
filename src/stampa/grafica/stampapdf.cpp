#include "stampa/grafica/stampapdf.h"

#include "documento/documentoxml.h"
#include "modelli/modello.h"
#include "stampa/grafica/superficiepittore.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

bool fallito(QString* errore, const QString& testo)
{
    if (errore)
        *errore = testo;
    return false;
}

} // namespace

bool stampaSuPdf(const Disegno& disegno, const QString& titolo, const QString& percorso, QString* errore)
{
    // A pipe or a device node would be swapped for a plain file.
    const QFileInfo info(percorso);
    if (info.isDir())
        return fallito(errore, QStringLiteral("il percorso indica una cartella"));
    if (info.exists() && !info.isFile())
        return fallito(errore, QStringLiteral("non è un file ordinario"));
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return fallito(errore, motivoErroreFile(file));
    bool stampato = false;
    {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        pdf.setTitle(titolo);
        pdf.setCreator(titoloApplicazione());
        SuperficiePittore superficie(pdf, &file);
        stampato = disegno(superficie);
    }
    if (!stampato) {
        const QString motivo = file.error() != QFileDevice::NoError ? motivoErroreFile(file)
                                                                    : QStringLiteral("stampa non riuscita");
        file.cancelWriting();
        return fallito(errore, motivo);
    }
    if (!file.commit())
        return fallito(errore, motivoErroreFile(file));
    return true;
}
