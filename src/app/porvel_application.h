// The application object: an error that no handler deals with is shown in the toolkit's
// standard error box, and the program goes on with the next event.
#pragma once

#include <QApplication>

namespace porvel {

class PorvelApplication : public QApplication {
public:
    PorvelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The standard error box with the error's message (empty when it has none).
    static void ShowError(const QString& message);
};

}  // namespace porvel
