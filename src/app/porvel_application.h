// What the program starts with: the application object, and the way to the bundled simulated
// instrument for --demo.
#pragma once

#include <QApplication>
#include <QString>

namespace porvel {

// An error that no handler deals with is shown in the toolkit's standard error box, and the
// program goes on with the next event.
class PorvelApplication : public QApplication {
public:
    PorvelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The standard error box with the error's message (empty when it has none).
    static void ShowError(const QString& message);
};

// Where the bundled simulated instrument lies relative to the program:
// <program dir>/../lib/porvel/libporvel-sim.so as the install leaves it, else
// <program dir>/../lib/libporvel-sim.so as the build leaves it (that path when neither is there).
QString BundledSimulatorPath();
// Points the USB binding at the bundled simulator; false when it is not there.
bool UseBundledSimulator();

}  // namespace porvel
