#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "demo_library.h"
#include "instrument_summary_window.h"
#include "language.h"
#include "message_box.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.removeAll(QStringLiteral("--demo")) > 0 && !porvel::UseBundledSimulator()) {
        std::fprintf(stderr, "porvel: the simulated instrument %s is missing\n",
                     qPrintable(porvel::BundledSimulatorPath()));
        return 2;
    }
    porvel::SetMessageButtonsLang(porvel::Language::Russian);
    porvel::InstrumentSummaryWindow window;
    window.show();
    return app.exec();
}
