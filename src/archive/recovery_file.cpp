#include "recovery_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <algorithm>
#include <atomic>

#include "archive_file.h"
#include "archive_table.h"
#include "base/durable_save.h"
#include "curve_store.h"

namespace porvel {

namespace {

const QString kFilePrefix = QStringLiteral("unsaved-");
const QString kFileSuffix = QStringLiteral(".wpa");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kNameSuffix = QStringLiteral(".name");
const QString kDamagedPrefix = QStringLiteral("damaged-");
const QString kFolderName = QStringLiteral("porvel");

// A lock whose program is gone is stale however young it is; a live program's lock never is.
std::unique_ptr<QLockFile> TryLock(const QString& filePath) {
    auto lock = std::make_unique<QLockFile>(filePath + kLockSuffix);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

// Unique among the programs that run now and ran before (the process number alone may come
// round again while an orphan of that number waits), and among the writers of one program.
QString OwnFileName() {
    static std::atomic<int> writers{0};
    return kFilePrefix + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
           QString::number(QDateTime::currentMSecsSinceEpoch()) + QLatin1Char('-') +
           QString::number(++writers) + kFileSuffix;
}

}  // namespace

QString RecoveryFolder() {
    QString base = QString::fromLocal8Bit(qgetenv("XDG_STATE_HOME"));
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(base).filePath(kFolderName);
}

std::vector<OrphanedRecovery> FindOrphanedRecoveries(const QString& folder) {
    std::vector<OrphanedRecovery> orphans;
    const QFileInfoList files =
        QDir(folder).entryInfoList({kFilePrefix + QLatin1Char('*') + kFileSuffix}, QDir::Files);
    for (const QFileInfo& file : files) {
        std::unique_ptr<QLockFile> lock = TryLock(file.absoluteFilePath());
        if (!lock) continue;  // its program still runs, or the folder takes no lock
        QFile name(file.absoluteFilePath() + kNameSuffix);
        const QString archivePath = name.open(QIODevice::ReadOnly)
                                        ? QString::fromUtf8(name.readAll()).trimmed()
                                        : QString();
        orphans.push_back(
            {file.absoluteFilePath(), file.lastModified(), archivePath, std::move(lock)});
    }
    std::sort(
        orphans.begin(), orphans.end(),
        [](const OrphanedRecovery& a, const OrphanedRecovery& b) { return a.written > b.written; });
    return orphans;
}

void RemoveOrphan(OrphanedRecovery& orphan) {
    QFile::remove(orphan.path);
    QFile::remove(orphan.path + kNameSuffix);
    orphan.lock.reset();  // unlocking removes the lock file
}

QString SetAsideDamaged(const QString& path) {
    const QFileInfo file(path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString aside =
        file.dir().filePath(kDamagedPrefix + stamp + QLatin1Char('-') + file.fileName());
    if (!QFile::rename(path, aside)) return QString();
    QFile::rename(path + kNameSuffix, aside + kNameSuffix);
    return aside;
}

QByteArray ArchiveSnapshot(const ArchiveTable& table, const CurveStore& curves) {
    // Room for every curve word and cells of a usual length, so that the bytes are rarely
    // moved while they grow.
    constexpr qsizetype kUsualCellBytes = 4 + 16;
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(curves.TotalWords()) * 2 +
                  qsizetype{table.GridRowCount()} * ArchiveTable::kColumns * kUsualCellBytes);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteArchive(table, curves, buffer);
    buffer.close();
    return bytes;
}

RecoveryWriter::RecoveryWriter(QString folder, Outcome outcome)
    : folder_(std::move(folder)),
      path_(QDir(folder_).filePath(OwnFileName())),
      outcome_(std::move(outcome)),
      thread_([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard<std::mutex> guard(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void RecoveryWriter::Write(QByteArray archiveBytes, QString archivePath) {
    {
        std::lock_guard<std::mutex> guard(mutex_);
        pending_ = Job::Write;
        pendingBytes_ = std::move(archiveBytes);
        pendingName_ = std::move(archivePath);
    }
    changed_.notify_all();
}

void RecoveryWriter::Remove() {
    {
        std::lock_guard<std::mutex> guard(mutex_);
        pending_ = Job::Remove;
        pendingBytes_.clear();
    }
    changed_.notify_all();
}

void RecoveryWriter::WaitIdle() {
    std::unique_lock<std::mutex> guard(mutex_);
    changed_.wait(guard, [this] { return !pending_ && !busy_; });
}

void RecoveryWriter::Run() {
    std::unique_lock<std::mutex> guard(mutex_);
    for (;;) {
        changed_.wait(guard, [this] { return pending_ || stopping_; });
        if (!pending_) break;  // stopping, with nothing left to do
        const Job job = *pending_;
        const QByteArray bytes = std::move(pendingBytes_);
        const QString name = std::move(pendingName_);
        pending_.reset();
        pendingBytes_.clear();
        pendingName_.clear();
        busy_ = true;
        guard.unlock();
        Perform(job, bytes, name);
        guard.lock();
        busy_ = false;
        changed_.notify_all();
    }
    lock_.reset();
}

void RecoveryWriter::Perform(Job job, const QByteArray& bytes, const QString& archivePath) {
    QString reason;
    bool ok = true;
    if (job == Job::Remove) {
        ok = !QFileInfo::exists(path_) || QFile::remove(path_);
        QFile::remove(path_ + kNameSuffix);
        writtenName_.reset();
        if (ok) {
            lock_.reset();
        } else {
            reason = QStringLiteral("cannot remove %1").arg(QDir::toNativeSeparators(path_));
        }
    } else {
        // The name after the snapshot, so that no name file stands without one.
        ok = TakeLock(&reason) &&
             SaveDurably(
                 path_,
                 [&bytes](QIODevice& out, QString* why) {
                     if (out.write(bytes) == bytes.size()) return true;
                     *why = out.errorString();
                     return false;
                 },
                 &reason) &&
             WriteName(archivePath, &reason);
    }
    if (outcome_) outcome_(ok, reason);
}

bool RecoveryWriter::WriteName(const QString& archivePath, QString* reason) {
    if (writtenName_ == archivePath) return true;
    const QString namePath = path_ + kNameSuffix;
    bool ok = true;
    if (archivePath.isEmpty()) {
        ok = !QFileInfo::exists(namePath) || QFile::remove(namePath);
        if (!ok)
            *reason = QStringLiteral("cannot remove %1").arg(QDir::toNativeSeparators(namePath));
    } else {
        const QByteArray text = archivePath.toUtf8();
        ok = SaveDurably(
            namePath,
            [&text](QIODevice& out, QString* why) {
                if (out.write(text) == text.size()) return true;
                *why = out.errorString();
                return false;
            },
            reason);
    }
    if (ok)
        writtenName_ = archivePath;
    else
        writtenName_.reset();
    return ok;
}

bool RecoveryWriter::TakeLock(QString* reason) {
    if (lock_) return true;
    const QDir folder(folder_);
    if (!folder.exists()) {
        if (!folder.mkpath(QStringLiteral("."))) {
            *reason = QStringLiteral("cannot create %1").arg(QDir::toNativeSeparators(folder_));
            return false;
        }
        // Unsaved measurements are the user's own business.
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    lock_ = TryLock(path_);
    if (!lock_)
        *reason =
            QStringLiteral("cannot lock %1").arg(QDir::toNativeSeparators(path_ + kLockSuffix));
    return lock_ != nullptr;
}

}  // namespace porvel
