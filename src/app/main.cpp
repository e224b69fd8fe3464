#include "app/inizio.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scheda Ombrisa"));
    QApplication::setApplicationDisplayName(
        QStringLiteral("Tamrel - Scheda riepilogativa dell'Ombrisa v. 2.0"));
    Inizio inizio;
    inizio.show();
    return QApplication::exec();
}
