#include "demo_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace porvel {

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
