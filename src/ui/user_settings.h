// What the program remembers of the user's work from one run to the next, in porvel/porvel.conf
// of the user's configuration folder ($XDG_CONFIG_HOME, else ~/.config): the last folder of the
// file dialogs, the recent archives, the main window's place and size, the table's column
// widths. The language is not among them: it starts as always. A file that cannot be read, is
// damaged or cannot be written never stops the program: what cannot be read starts from
// defaults, and what cannot be written is forgotten at the end of the run.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class QFileDialog;

namespace porvel {

namespace settings {

constexpr int kMaxRecentFiles = 8;

// The settings file itself.
QString FilePath();

// The folder the file dialogs last chose a file in; empty when none, or when it is gone.
QString LastFolder();
// Opens `dialog` in the last folder, when there is one.
void StartInLastFolder(QFileDialog& dialog);
// The folder of `path` becomes the last folder.
void RememberFolderOf(const QString& path);

// The archives opened or saved last, newest first, at most kMaxRecentFiles.
QStringList RecentFiles();
void AddRecentFile(const QString& path);
void RemoveRecentFile(const QString& path);
// `list` with `path` put first, once, cut to `most` entries.
QStringList WithRecentFile(QStringList list, const QString& path, int most = kMaxRecentFiles);

QByteArray WindowGeometry();
void SetWindowGeometry(const QByteArray& geometry);

// The archive table's column widths in pixels, by column; empty when none are kept.
std::vector<int> ColumnWidths();
void SetColumnWidths(const std::vector<int>& widths);

}  // namespace settings

}  // namespace porvel
