#include "porvel_application.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

namespace {
constexpr const char* kLibraryVariable = "PORVEL_USB_LIBRARY";
#ifdef _WIN32
constexpr const char* kSimulatorFiles[] = {"../lib/porvel/porvel-sim.dll", "../lib/porvel-sim.dll"};
#else
constexpr const char* kSimulatorFiles[] = {"../lib/porvel/libporvel-sim.so",
                                           "../lib/libporvel-sim.so"};
#endif
}  // namespace

QString BundledSimulatorPath() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    QString path;
    for (const char* file : kSimulatorFiles) {
        path = QDir::cleanPath(programDir.absoluteFilePath(QString::fromLatin1(file)));
        if (QFileInfo::exists(path)) break;
    }
    return path;
}

bool UseBundledSimulator() {
    const QString path = BundledSimulatorPath();
    if (!QFileInfo::exists(path)) return false;
    qputenv(kLibraryVariable, QFile::encodeName(path));
    return true;
}

}  // namespace porvel
