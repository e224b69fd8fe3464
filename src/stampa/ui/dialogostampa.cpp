#include "stampa/ui/dialogostampa.h"

#include "stampa/grafica/superficiepittore.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace {

constexpr int esitoAnteprima = 2;

void disegnaSu(QPrinter& stampante, const Disegno& disegno, const QString& titolo)
{
    // Printing to a file goes through the PDF writer, which never leaves half a file over a good one.
    if (stampante.outputFormat() == QPrinter::PdfFormat && !stampante.outputFileName().isEmpty()) {
        stampaSuPdf(disegno, titolo, stampante.outputFileName());
        return;
    }
    SuperficiePittore superficie(stampante);
    disegno(superficie);
}

} // namespace

void stampaConDialogo(QWidget* genitore, const Disegno& disegno, const QString& titolo)
{
    QPrinter stampante(QPrinter::HighResolution);
    // The dialog offers a PDF named after the document, cutting what follows its last dot: a name that ends
    // in ".pdf" keeps the whole title.
    stampante.setDocName(titolo + QStringLiteral(".pdf"));
    stampante.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    QPrintDialog dialogo(&stampante, genitore);
    dialogo.setObjectName(QStringLiteral("MyCommonDialog_Print"));
    if (auto* pulsanti = dialogo.findChild<QDialogButtonBox*>()) {
        QPushButton* anteprima =
            pulsanti->addButton(QStringLiteral("An&teprima..."), QDialogButtonBox::ActionRole);
        anteprima->setObjectName(QStringLiteral("Anteprima"));
        QObject::connect(anteprima, &QPushButton::clicked, &dialogo,
                         [&dialogo] { dialogo.done(esitoAnteprima); });
    }
    const int esito = dialogo.exec();
    if (esito == esitoAnteprima) {
        QPrintPreviewDialog anteprima(&stampante, genitore);
        anteprima.setWindowTitle(QStringLiteral("Anteprima di stampa - ") + titolo);
        // Large enough to read a page.
        if (const QScreen* schermo = genitore ? genitore->screen() : QGuiApplication::primaryScreen())
            anteprima.resize(schermo->availableGeometry().size() * 8 / 10);
        QObject::connect(&anteprima, &QPrintPreviewDialog::paintRequested, &anteprima,
                         [&](QPrinter* p) { disegnaSu(*p, disegno, titolo); });
        anteprima.exec();
    } else if (esito == QDialog::Accepted) {
        disegnaSu(stampante, disegno, titolo);
    }
}
