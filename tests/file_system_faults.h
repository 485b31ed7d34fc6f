// File system failures made on purpose, for any user the tests run as.
#pragma once

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QString>
#include <csignal>

namespace porvel::testing {

// While it lives, nothing can be created in `folder` or replaced there: the folder is made
// read-only, and as the superuser passes every permission check, a superuser process acts as
// the unprivileged user "nobody" meanwhile. The folder's parent must be open to everybody (the
// system's temporary folder is).
class UnwritableFolder {
public:
    static constexpr mode_t kReadOnly = 0555;
    static constexpr mode_t kRestored = 0755;
    static constexpr uid_t kNobody = 65534;

    explicit UnwritableFolder(const QString& folder) : folder_(QFile::encodeName(folder)) {
        ok_ = ::chmod(folder_.constData(), kReadOnly) == 0;
        if (ok_ && ::geteuid() == 0) {
            ok_ = ::seteuid(kNobody) == 0;
            dropped_ = ok_;
        }
    }
    ~UnwritableFolder() {
        if (dropped_ && ::seteuid(0) != 0) std::abort();
        ::chmod(folder_.constData(), kRestored);
    }
    bool Ok() const { return ok_; }

private:
    QByteArray folder_;
    bool ok_ = false;
    bool dropped_ = false;
};

// While it lives, no file this process writes grows beyond `bytes`: a write past that point
// fails, as it does on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // the failed write is reported instead
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool Ok() const { return ok_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool ok_ = false;
};

}  // namespace porvel::testing
