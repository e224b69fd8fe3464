#include "stampa/grafica/stampapdf.h"

#include "questionario/questionario.h"
#include "stampa/grafica/superficiepittore.h"
#include "stampa/stampaquestionario.h"

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

bool stampaSuPdf(const Questionario& q, const QString& percorso, QString* errore)
{
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return fallito(errore, file.errorString());
    bool stampato = false;
    {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        pdf.setTitle(q.profilo().titoloFinestra);
        pdf.setCreator(titoloApplicazione());
        SuperficiePittore superficie(pdf, &file);
        stampato = stampaQuestionario(q, superficie);
    }
    if (!stampato) {
        const QString motivo =
            file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("stampa non riuscita");
        file.cancelWriting();
        return fallito(errore, motivo);
    }
    if (!file.commit())
        return fallito(errore, file.errorString());
    return true;
}
