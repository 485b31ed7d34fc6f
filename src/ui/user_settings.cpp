#include "user_settings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace porvel::settings {
namespace {

const QString kLastFolder = QStringLiteral("files/lastFolder");
const QString kRecent = QStringLiteral("files/recent");
const QString kGeometry = QStringLiteral("mainWindow/geometry");
const QString kColumnWidths = QStringLiteral("mainWindow/columnWidths");
// Wider than any screen: a width beyond it is no width the user set.
constexpr int kWidestColumn = 10000;

// Read fresh each time, so that two running programs see each other's last words; a file that
// does not parse reads as empty.
QSettings Open() {
    return QSettings(FilePath(), QSettings::IniFormat);
}

QVariant Value(const QString& key) {
    const QSettings settings = Open();
    return settings.status() == QSettings::NoError ? settings.value(key) : QVariant();
}

}  // namespace

QString FilePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("porvel/porvel.conf"));
}

QString LastFolder() {
    const QString folder = Value(kLastFolder).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void StartInLastFolder(QFileDialog& dialog) {
    const QString folder = LastFolder();
    if (!folder.isEmpty()) dialog.setDirectory(folder);
}

void RememberFolderOf(const QString& path) {
    if (path.isEmpty()) return;
    Open().setValue(kLastFolder, QFileInfo(path).absolutePath());
}

QStringList WithRecentFile(QStringList list, const QString& path, int most) {
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > most) list.removeLast();
    return list;
}

QStringList RecentFiles() {
    QStringList files;
    // Only whole paths: anything else in the file is none of ours.
    for (const QString& path : Value(kRecent).toStringList())
        if (QDir::isAbsolutePath(path)) files << path;
    while (files.size() > kMaxRecentFiles) files.removeLast();
    return files;
}

void AddRecentFile(const QString& path) {
    Open().setValue(kRecent, WithRecentFile(RecentFiles(), QFileInfo(path).absoluteFilePath()));
}

void RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    Open().setValue(kRecent, files);
}

QByteArray WindowGeometry() {
    return Value(kGeometry).toByteArray();
}

void SetWindowGeometry(const QByteArray& geometry) {
    Open().setValue(kGeometry, geometry);
}

std::vector<int> ColumnWidths() {
    std::vector<int> widths;
    for (const QString& text : Value(kColumnWidths).toStringList()) {
        bool ok = false;
        const int width = text.toInt(&ok);
        if (!ok || width < 0 || width > kWidestColumn) return {};  // not ours: none kept
        widths.push_back(width);
    }
    return widths;
}

void SetColumnWidths(const std::vector<int>& widths) {
    QStringList texts;
    for (int width : widths) texts << QString::number(width);
    Open().setValue(kColumnWidths, texts);
}

}  // namespace porvel::settings
