#include "porvel_application.h"

#include <QMessageBox>
#include <exception>

namespace porvel {

PorvelApplication::PorvelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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
