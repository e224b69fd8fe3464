#include "app/avvio.h"
#include "app/inizio.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    preparaApplicazione(app);
    Inizio inizio;
    inizio.show();
    return QApplication::exec();
}
