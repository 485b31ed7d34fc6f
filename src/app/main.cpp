#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "demo_library.h"
#include "main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.removeAll(QStringLiteral("--demo")) > 0 && !porvel::UseBundledSimulator()) {
        std::fprintf(stderr, "porvel: the simulated instrument %s is missing\n",
                     qPrintable(porvel::BundledSimulatorPath()));
        return 2;
    }
    porvel::TForm1 window;
    window.show();
    return app.exec();
}
