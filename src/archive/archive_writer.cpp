// Writing the archive file.
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSysInfo>
#include <QtEndian>
#include <algorithm>
#include <vector>

#include "archive_file.h"
#include "archive_layout.h"
#include "archive_table.h"
#include "base/durable_save.h"
#include "curve_store.h"
#include "wire/cp1251.h"

namespace porvel {

namespace {

namespace layout = archive_layout;

void AppendCount(std::vector<char>& out, qint32 value) {
    char bytes[layout::kCountBytes];
    qToLittleEndian(value, bytes);
    out.insert(out.end(), bytes, bytes + layout::kCountBytes);
}

// The row's curve: words 0 to n-1 of the slot its slot cell names, n being its curve length.
// A row with no curve length, or one beyond a slot, carries none. The words lie in the store
// as the file holds them on a little-endian machine; elsewhere, and for a curve the store holds
// fewer words of (or none), they are put into `scratch`, the missing ones as zeros, so that
// nothing outside the store is read and the file stays whole.
QByteArrayView CurveBytes(const ArchiveTable& table, const CurveStore& curves, int row,
                          std::vector<char>& scratch) {
    const Measurement& values = table.Values(row);
    const std::optional<int> words = values.curveLength;
    if (!words || !layout::CurveFitsSlot(*words)) return {};
    const auto size = static_cast<qsizetype>(*words) * layout::kWordBytes;
    const std::optional<int> slot = values.slot;
    const std::uint16_t* source = slot ? curves.Words(*slot) : nullptr;
    const qsizetype held = slot ? std::min<qsizetype>(curves.WordCount(*slot), *words) : 0;
    if (source && held == *words && QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        return {reinterpret_cast<const char*>(source), size};
    scratch.assign(static_cast<std::size_t>(size), 0);
    if (source) qToLittleEndian<quint16>(source, held, scratch.data());
    return {scratch.data(), size};
}

bool WriteAll(QIODevice& out, const char* bytes, qsizetype size) {
    return size == 0 || out.write(bytes, size) == size;
}

}  // namespace

bool WriteArchive(const ArchiveTable& table, const CurveStore& curves, QIODevice& out) {
    // Rows are gathered into pieces of about this size, so that a large archive goes to the
    // device in few writes.
    constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
    std::vector<char> piece;
    piece.reserve(kPieceBytes + layout::kMaxCurveWords * layout::kWordBytes);
    std::vector<char> scratch;
    AppendCount(piece, layout::kColumns);
    AppendCount(piece, table.GridRowCount());
    for (int row = 1; row < table.GridRowCount(); ++row) {
        for (int col = 0; col < layout::kColumns; ++col) {
            const QString text = table.Cell(col, row);
            AppendCount(piece, static_cast<qint32>(text.size()));
            const std::size_t at = piece.size();
            piece.resize(at + static_cast<std::size_t>(text.size()));
            EncodeCp1251(text, piece.data() + at);
        }
        const QByteArrayView curve = CurveBytes(table, curves, row, scratch);
        piece.insert(piece.end(), curve.data(), curve.data() + curve.size());
        if (piece.size() >= kPieceBytes) {
            if (!WriteAll(out, piece.data(), static_cast<qsizetype>(piece.size()))) return false;
            piece.clear();
        }
    }
    return WriteAll(out, piece.data(), static_cast<qsizetype>(piece.size()));
}

ArchiveFileResult WriteArchiveFile(const ArchiveTable& table, const CurveStore& curves,
                                   const QString& path) {
    ArchiveFileResult result;
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        result.fault = ArchiveFault::NotOrdinaryFile;
        return result;
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        result.fault = ArchiveFault::CannotOpen;
        result.reason = file.errorString();
        return result;
    }
    if (!WriteArchive(table, curves, file) || !SyncToDisk(file, &result.reason) || !file.commit()) {
        if (result.reason.isEmpty()) result.reason = file.errorString();
        file.cancelWriting();
        result.fault = ArchiveFault::CannotWrite;
        return result;
    }
    if (!SyncFolderOf(path, &result.reason)) result.fault = ArchiveFault::CannotWrite;
    return result;
}

}  // namespace porvel
