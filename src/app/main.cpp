#include "app/inizio.h"
#include "modelli/modello.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scheda Ombrisa"));
    QApplication::setApplicationDisplayName(titoloApplicazione());
    Inizio inizio;
    inizio.show();
    return QApplication::exec();
}
