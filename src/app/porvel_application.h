// What the program starts with: the application object.
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

}  // namespace porvel
