// A compound file (the container of 97-2003 office documents) holding one stream, version 3 with
// 512-byte sectors. The stream is written first, from the first sector on, straight onto the
// device; the directory, the allocation table and its extension sectors follow it, and the
// header is written last.
#pragma once

#include <QIODevice>
#include <QString>
#include <QtGlobal>

namespace porvel {

class CompoundStream {
public:
    static constexpr qint64 kSectorBytes = 512;
    // Streams below this size would belong in the mini stream; the stream is padded up to it.
    static constexpr qint64 kMiniStreamCutoff = 4096;

    explicit CompoundStream(QIODevice& out) : out_(out) {}

    // Appends to the stream; false with the device's reason on a failure.
    bool Write(const char* bytes, qint64 size);
    bool Write(const QByteArray& bytes) { return Write(bytes.constData(), bytes.size()); }
    qint64 Position() const { return size_ + buffer_.size(); }
    // Rewrites bytes written earlier at stream position `at`.
    bool Patch(qint64 at, const QByteArray& bytes);
    // Writes the container around the stream named `name`.
    bool Finish(const QString& name);
    QString Reason() const { return reason_; }

private:
    bool Flush();
    bool Put(qint64 fileOffset, const QByteArray& bytes);
    bool Fail();

    QIODevice& out_;
    QByteArray buffer_;
    qint64 size_ = 0;  // stream bytes on the device
    QString reason_;
};

}  // namespace porvel
