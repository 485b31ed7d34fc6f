#include <QStringList>
#include <cstdio>
#include <exception>

#include "device/libusb_binding.h"
#include "file_commands.h"
#include "main_window.h"
#include "porvel_application.h"

int main(int argc, char** argv) {
    porvel::PorvelApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.removeAll(QStringLiteral("--demo")) > 0 && !porvel::UseBundledSimulator()) {
        std::fprintf(stderr, "porvel: the simulated instrument %s is missing\n",
                     qPrintable(porvel::BundledSimulatorPath()));
        return 2;
    }
    // An error during start-up is shown, and the program ends without its message loop.
    try {
        porvel::MainWindow window;
        window.RestoreLastSession();
        window.show();
        // Unsaved work of a run that did not end cleanly is offered first; then the file named
        // on the command line (one that cannot be read is reported, and the program starts all
        // the same), with the save prompt if the restored work stands in its way.
        window.OfferRecovery();
        if (!arguments.isEmpty()) window.Files().OpenCommandLine(arguments);
        return app.exec();
    } catch (const std::exception& error) {
        porvel::PorvelApplication::ShowError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        porvel::PorvelApplication::ShowError(QString());
    }
    return 1;
}
