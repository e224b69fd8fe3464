#include "cli/comandi.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Standard error carries the tool's own messages: the toolkit's notes (a missing runtime folder of the
// offscreen platform, say) stay out of it; its critical messages do not.
void messaggioQt(QtMsgType tipo, const QMessageLogContext&, const QString& testo)
{
    if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(testo));
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(messaggioQt);
    // The application object gives the program's folder, where the writer finds its templates. Printing needs
    // fonts and a paint device, never a display.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && std::strcmp(argv[1], "stampa") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QFile ingresso, uscita;
    if (!ingresso.open(stdin, QIODevice::ReadOnly) || !uscita.open(stdout, QIODevice::WriteOnly))
        return UscitaErroreFile;
    QTextStream errori(stderr);
    const int esito = eseguiRigaComando(QCoreApplication::arguments(), ingresso, uscita, errori);
    uscita.flush();
    errori.flush();
    return esito;
}
