#include "durable_save.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace porvel {

bool SyncToDisk(QSaveFile& file, QString* reason) {
    if (!file.flush()) {
        *reason = file.errorString();
        return false;
    }
#ifndef Q_OS_WIN
    // The commit syncs as well but does not report a failure; a full disk may show only here.
    int result;
    do {
        result = ::fsync(file.handle());
    } while (result != 0 && errno == EINTR);
    if (result != 0 && errno != EINVAL) {
        *reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
#endif
    return true;
}

bool SyncFolderOf(const QString& filePath, QString* reason) {
#ifdef Q_OS_WIN
    // NTFS journals the rename itself; a folder cannot be opened for syncing there.
    Q_UNUSED(filePath);
    Q_UNUSED(reason);
    return true;
#else
    // The folder that really holds the file, symbolic links followed.
    QFileInfo file(filePath);
    const QString canonical = file.canonicalFilePath();
    const QString folder = QFileInfo(canonical.isEmpty() ? filePath : canonical).absolutePath();
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        // A folder we may write into but not read cannot be synced by us; the rename stands.
        if (errno == EACCES) return true;
        if (reason) *reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    const int error = errno;
    ::close(fd);
    if (result == 0 || error == EINVAL || error == ENOTSUP) return true;
    if (reason) *reason = QString::fromLocal8Bit(std::strerror(error));
    return false;
#endif
}

bool SaveDurably(const QString& path, const std::function<bool(QIODevice&, QString*)>& write,
                 QString* reason) {
    QSaveFile file(path);
    // A folder that refuses the temporary file refuses the save: writing over the old file in
    // place could leave half of each.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    if (!write(file, reason)) {
        file.cancelWriting();
        return false;
    }
    // A writer that does not report its own failures (the PDF writer) leaves them in the file.
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!SyncToDisk(file, reason)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return SyncFolderOf(path, reason);
}

}  // namespace porvel
