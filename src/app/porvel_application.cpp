#include "porvel_application.h"

#include <QMessageBox>
#include <exception>

#include "menu_icons.h"

namespace porvel {

PorvelApplication::PorvelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setWindowIcon(ApplicationIcon());
    // The desktop entry the running program belongs to (its icon and name in task bars).
    setDesktopFileName(QStringLiteral("org.example.Porvel"));
}

bool PorvelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowError(QString());
    }
    return false;
}

void PorvelApplication::ShowError(const QString& message) {
    QMessageBox::critical(nullptr, applicationDisplayName(), message);
}

}  // namespace porvel
