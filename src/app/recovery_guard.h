// RecoveryGuard: keeps the recovery file in step with the main window's table. Every change of
// the table (a read, a delete, a move, a sort, an append) sends its snapshot to the file; a table
// that is what its file holds, or empty, has none. At start it offers what a program that did
// not end cleanly left behind.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>

#include "archive/archive_file.h"
#include "archive/recovery_file.h"
#include "base/language.h"

namespace porvel {

class ArchiveTable;
class CurveStore;

class RecoveryGuard : public QObject {
    Q_OBJECT
public:
    // Its questions and messages speak the language `language` gives when they are made.
    RecoveryGuard(ArchiveTable& table, CurveStore& curves, const QString& folder,
                  LanguageSource language, QObject* parent = nullptr);

    // The table was changed: its snapshot is written once the event loop turns, so the changes
    // of one command make one write.
    void TableChanged();
    // The table is what its file holds (just opened or saved): the recovery file goes.
    void TableInFile();
    // A clean exit: the recovery file goes before the program ends.
    void Close();

    // Where the table's archive is kept, read at each snapshot so that a restore can give the
    // work back under its name; empty while it has none.
    void NameArchiveWith(std::function<QString()> archivePath) {
        archivePath_ = std::move(archivePath);
    }

    // Reads a recovery file into the table as an unsaved archive, named `archivePath` when the
    // work had a name; its result says whether the file was sound.
    using Restore =
        std::function<ArchiveFileResult(const QString& path, const QString& archivePath)>;
    // Offers the recovery files of programs that ended without a clean exit, newest first:
    // Yes restores one through `restore` (the rest wait for a later start), No removes it,
    // Cancel keeps them all for a later start. A damaged file is set aside and said. True when one
    // was restored.
    bool OfferRestore(const Restore& restore);

    RecoveryWriter& Writer() { return writer_; }

signals:
    // A write of the recovery file failed after one that worked (or as the first): the text
    // says so and why, in the language of that moment.
    void WriteFailed(const QString& text);

private:
    void WriteSnapshot();

    ArchiveTable& table_;
    CurveStore& curves_;
    const QString folder_;
    const LanguageSource language_;
    std::function<QString()> archivePath_;
    QTimer snapshotTimer_;
    std::atomic<bool> lastWriteOk_{true};
    RecoveryWriter writer_;  // last, so that it stops before what its outcomes reach
};

// "Восстановить несохранённый архив от 10.12.2026 14:05?" and its English; with the archive's
// file name, when the work had one: "… архив demo.wpa от …".
QString RestoreQuestion(const QDateTime& written, const QString& archiveName, Language language);

}  // namespace porvel
