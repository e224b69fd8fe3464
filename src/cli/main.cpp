#include "cli/comandi.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[])
{
    // The application object gives the program's folder, where the writer finds its templates.
    QCoreApplication app(argc, argv);
    QFile ingresso, uscita;
    if (!ingresso.open(stdin, QIODevice::ReadOnly) || !uscita.open(stdout, QIODevice::WriteOnly))
        return UscitaErroreFile;
    QTextStream errori(stderr);
    const int esito = eseguiRigaComando(QCoreApplication::arguments(), ingresso, uscita, errori);
    uscita.flush();
    errori.flush();
    return esito;
}
