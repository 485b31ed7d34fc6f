#include "compound_file.h"

#include <QtEndian>
#include <vector>

namespace porvel {
namespace {

constexpr quint32 kFreeSector = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFatSector = 0xFFFFFFFD;
constexpr quint32 kDifatSector = 0xFFFFFFFC;
constexpr quint32 kNoStream = 0xFFFFFFFF;
constexpr int kEntriesPerSector = 128;       // 32-bit sector numbers in a sector
constexpr int kHeaderDifatEntries = 109;     // allocation sectors named in the header
constexpr int kDifatEntriesPerSector = 127;  // the last entry chains to the next one
constexpr int kDirectoryEntryBytes = 128;
constexpr qint64 kBufferBytes = qint64{1} << 20;

void Put16(QByteArray& bytes, int at, quint16 value) {
    qToLittleEndian(value, bytes.data() + at);
}
void Put32(QByteArray& bytes, int at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}

qint64 SectorsFor(qint64 bytes) {
    return (bytes + CompoundStream::kSectorBytes - 1) / CompoundStream::kSectorBytes;
}

// One directory entry: a name, its type (5 root, 2 stream), child, first sector and size.
void PutEntry(QByteArray& sector, int index, const QString& name, int type, quint32 child,
              quint32 start, quint64 size) {
    const int at = index * kDirectoryEntryBytes;
    for (int i = 0; i < name.size(); ++i) Put16(sector, at + 2 * i, name[i].unicode());
    Put16(sector, at + 64, static_cast<quint16>((name.size() + 1) * 2));
    sector[at + 66] = static_cast<char>(type);
    sector[at + 67] = 1;  // black
    Put32(sector, at + 68, kNoStream);
    Put32(sector, at + 72, kNoStream);
    Put32(sector, at + 76, child);
    Put32(sector, at + 116, start);
    Put32(sector, at + 120, static_cast<quint32>(size));
}

}  // namespace

bool CompoundStream::Fail() {
    if (reason_.isEmpty()) reason_ = out_.errorString();
    return false;
}

bool CompoundStream::Put(qint64 fileOffset, const QByteArray& bytes) {
    if (!out_.seek(fileOffset) || out_.write(bytes) != bytes.size()) return Fail();
    return true;
}

bool CompoundStream::Flush() {
    if (buffer_.isEmpty()) return true;
    if (!Put(kSectorBytes + size_, buffer_)) return false;
    size_ += buffer_.size();
    buffer_.clear();
    return true;
}

bool CompoundStream::Write(const char* bytes, qint64 size) {
    buffer_.append(bytes, size);
    return buffer_.size() < kBufferBytes || Flush();
}

bool CompoundStream::Patch(qint64 at, const QByteArray& bytes) {
    if (at >= size_) {
        buffer_.replace(at - size_, bytes.size(), bytes);
        return true;
    }
    return Flush() && Put(kSectorBytes + at, bytes);
}

bool CompoundStream::Finish(const QString& name) {
    if (Position() < kMiniStreamCutoff) buffer_.append(kMiniStreamCutoff - Position(), '\0');
    const qint64 streamSize = Position();
    const qint64 streamSectors = SectorsFor(streamSize);
    buffer_.append(streamSectors * kSectorBytes - streamSize, '\0');
    if (!Flush()) return false;

    // The allocation table covers itself and its extension sectors too.
    qint64 fatSectors = 0;
    qint64 difatSectors = 0;
    for (;;) {
        const qint64 total = streamSectors + 1 + fatSectors + difatSectors;
        const qint64 fat = (total + kEntriesPerSector - 1) / kEntriesPerSector;
        const qint64 difat =
            fat > kHeaderDifatEntries
                ? (fat - kHeaderDifatEntries + kDifatEntriesPerSector - 1) / kDifatEntriesPerSector
                : 0;
        if (fat == fatSectors && difat == difatSectors) break;
        fatSectors = fat;
        difatSectors = difat;
    }
    const auto directory = static_cast<quint32>(streamSectors);
    const quint32 firstFat = directory + 1;
    const auto firstDifat = static_cast<quint32>(firstFat + fatSectors);

    QByteArray dir(kSectorBytes, '\0');
    PutEntry(dir, 0, QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    PutEntry(dir, 1, name, 2, kNoStream, 0, static_cast<quint64>(streamSize));
    for (int i = 2; i < 4; ++i) {
        Put32(dir, i * kDirectoryEntryBytes + 68, kNoStream);
        Put32(dir, i * kDirectoryEntryBytes + 72, kNoStream);
        Put32(dir, i * kDirectoryEntryBytes + 76, kNoStream);
    }

    std::vector<quint32> fat(static_cast<std::size_t>(fatSectors * kEntriesPerSector), kFreeSector);
    for (qint64 s = 0; s < streamSectors; ++s)
        fat[static_cast<std::size_t>(s)] =
            s + 1 < streamSectors ? static_cast<quint32>(s + 1) : kEndOfChain;
    fat[directory] = kEndOfChain;
    for (qint64 f = 0; f < fatSectors; ++f)
        fat[static_cast<std::size_t>(firstFat + f)] = kFatSector;
    for (qint64 d = 0; d < difatSectors; ++d)
        fat[static_cast<std::size_t>(firstDifat + d)] = kDifatSector;
    QByteArray fatBytes(static_cast<qsizetype>(fat.size() * 4), '\0');
    for (std::size_t i = 0; i < fat.size(); ++i) Put32(fatBytes, static_cast<int>(i * 4), fat[i]);

    QByteArray difatBytes(difatSectors * kSectorBytes, '\xFF');
    for (qint64 f = kHeaderDifatEntries; f < fatSectors; ++f) {
        const qint64 k = f - kHeaderDifatEntries;
        const qint64 sector = k / kDifatEntriesPerSector;
        Put32(difatBytes,
              static_cast<int>(sector * kSectorBytes + (k % kDifatEntriesPerSector) * 4),
              static_cast<quint32>(firstFat + f));
    }
    for (qint64 d = 0; d < difatSectors; ++d)
        Put32(difatBytes, static_cast<int>(d * kSectorBytes + kDifatEntriesPerSector * 4),
              d + 1 < difatSectors ? static_cast<quint32>(firstDifat + d + 1) : kEndOfChain);

    QByteArray header(kSectorBytes, '\0');
    static const unsigned char kSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (int i = 0; i < 8; ++i) header[i] = static_cast<char>(kSignature[i]);
    Put16(header, 24, 0x003E);  // minor version
    Put16(header, 26, 0x0003);  // major version 3
    Put16(header, 28, 0xFFFE);  // little-endian
    Put16(header, 30, 9);       // 2^9-byte sectors
    Put16(header, 32, 6);       // 2^6-byte mini sectors
    Put32(header, 44, static_cast<quint32>(fatSectors));
    Put32(header, 48, directory);
    Put32(header, 56, static_cast<quint32>(kMiniStreamCutoff));
    Put32(header, 60, kEndOfChain);  // no mini allocation table
    Put32(header, 68, difatSectors > 0 ? firstDifat : kEndOfChain);
    Put32(header, 72, static_cast<quint32>(difatSectors));
    for (int i = 0; i < kHeaderDifatEntries; ++i)
        Put32(header, 76 + 4 * i,
              i < fatSectors ? firstFat + static_cast<quint32>(i) : kFreeSector);

    const qint64 afterStream = kSectorBytes * (1 + streamSectors);
    return Put(afterStream, dir + fatBytes + difatBytes) && Put(0, header);
}

}  // namespace porvel
