// The recovery file: a copy of the table's unsaved work in the user's state folder, so that a
// crash, a killed program or a power loss takes nothing that was read or changed. Each running
// program keeps its own file ("unsaved-<pid>-<start>-<n>.wpa", in the archive format) beside a lock
// file that says the program still runs; a file whose program is gone is an orphan, which the
// next start offers to restore. The path of the archive the work belonged to, when it had one,
// is kept beside it in "<file>.name" (UTF-8): the snapshot stays a plain archive, and a file
// from a program that wrote no name restores unnamed.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class QLockFile;

namespace porvel {

class ArchiveTable;
class CurveStore;

// $XDG_STATE_HOME/porvel, or ~/.local/state/porvel when the variable is unset or not absolute.
QString RecoveryFolder();

// A recovery file left by a program that is gone. Its lock is held while the object lives, so
// two programs started together never both restore it.
struct OrphanedRecovery {
    QString path;
    QDateTime written;    // local time of the last write
    QString archivePath;  // the archive the work belonged to; empty when it had no name
    std::shared_ptr<QLockFile> lock;
};

// The orphans in `folder`, newest first. A folder that cannot be read gives none.
std::vector<OrphanedRecovery> FindOrphanedRecoveries(const QString& folder);

// Removes an orphan whose work is restored or given up, and its lock.
void RemoveOrphan(OrphanedRecovery& orphan);

// Moves a recovery file that cannot be read out of the way under a name that is offered no
// more ("damaged-<time>-<name>"), keeping its bytes for whoever wants to look. The new path, or
// an empty one when it could not be moved.
QString SetAsideDamaged(const QString& path);

// The archive as the recovery file holds it: the bytes of a .wpa file, made on the calling
// thread (the table and the store belong to the main thread).
QByteArray ArchiveSnapshot(const ArchiveTable& table, const CurveStore& curves);

// Writes this program's recovery file on a thread of its own, so that the main thread only
// hands over the bytes: every write goes to disk whole (synced, then renamed into place), the
// newest write waiting replaces an older one that has not started, and a removal cancels a
// write that has not started.
class RecoveryWriter {
public:
    // After each write or removal, on the writer's thread: whether it succeeded, and the
    // system's words when it did not.
    using Outcome = std::function<void(bool ok, const QString& reason)>;

    explicit RecoveryWriter(QString folder, Outcome outcome = {});
    // Finishes what was handed over; the file stays (only Remove takes it away), so work that
    // was never saved outlives an abnormal end as an orphan.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // `archivePath` names the archive the work belongs to; empty for none.
    void Write(QByteArray archiveBytes, QString archivePath = {});
    void Remove();
    // Returns once everything handed over is done.
    void WaitIdle();
    // The file this program writes; it exists only between a write and a removal.
    QString Path() const { return path_; }

private:
    enum class Job { Write, Remove };
    void Run();
    void Perform(Job job, const QByteArray& bytes, const QString& archivePath);
    bool WriteName(const QString& archivePath, QString* reason);
    bool TakeLock(QString* reason);

    const QString folder_;
    const QString path_;
    const Outcome outcome_;
    std::unique_ptr<QLockFile> lock_;  // used on the writer's thread only

    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Job> pending_;
    QByteArray pendingBytes_;
    QString pendingName_;
    std::optional<QString> writtenName_;  // what the name file holds; writer's thread only
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace porvel
