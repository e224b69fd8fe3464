#include "app/avvio.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void preparaApplicazione(QApplication& applicazione)
{
    QApplication::setApplicationName(QStringLiteral("Scheda Ombrisa"));

    // The program speaks Italian, and so do the toolkit's own dialogs and buttons ("Sì", "Annulla", "Salva").
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    auto* traduzioneQt = new QTranslator(&applicazione);
    if (traduzioneQt->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(traduzioneQt);
}
