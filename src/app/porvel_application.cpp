#include "porvel_application.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

namespace {
constexpr const char* kLibraryVariable = "PORVEL_USB_LIBRARY";
#ifdef _WIN32
constexpr const char* kSimulatorFile = "../lib/porvel-sim.dll";
#else
constexpr const char* kSimulatorFile = "../lib/libporvel-sim.so";
#endif
}  // namespace

QString BundledSimulatorPath() {
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                               .absoluteFilePath(QString::fromLatin1(kSimulatorFile)));
}

bool UseBundledSimulator() {
    const QString path = BundledSimulatorPath();
    if (!QFileInfo::exists(path)) return false;
    qputenv(kLibraryVariable, QFile::encodeName(path));
    return true;
}

}  // namespace porvel
