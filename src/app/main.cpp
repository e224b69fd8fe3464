#include "app/inizio.h"
#include "modelli/modello.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scheda Ombrisa"));

    // The program speaks Italian, and so do the toolkit's own dialogs and buttons ("Sì", "Annulla", "Salva").
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTranslator traduzioneQt;
    if (traduzioneQt.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduzioneQt);

    Inizio inizio;
    inizio.show();
    return QApplication::exec();
}
