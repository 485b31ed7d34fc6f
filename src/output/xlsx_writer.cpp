// .xlsx through libxlsxwriter in its constant-memory mode. The library writes to a file name, so
// the workbook is made in a private temporary folder and then copied onto the device.
#include <xlsxwriter.h>
#include <zlib.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>
#include <QtEndian>
#include <memory>
#include <vector>

#include "cell_value.h"
#include "spreadsheet_export.h"

namespace porvel {
namespace {

constexpr int kProgressStep = 1024;
constexpr qint64 kCopyChunk = qint64{1} << 20;

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

// The centred formats of one workbook: one for text, one per number format.
class CentredFormats {
public:
    explicit CentredFormats(lxw_workbook* workbook) : workbook_(workbook) { text_ = Centred(); }
    lxw_format* Text() const { return text_; }
    lxw_format* Number(int index, const std::vector<QString>& formats) {
        while (numbers_.size() <= static_cast<std::size_t>(index)) {
            lxw_format* format = Centred();
            format_set_num_format(format, formats[numbers_.size()].toUtf8().constData());
            numbers_.push_back(format);
        }
        return numbers_[static_cast<std::size_t>(index)];
    }

private:
    lxw_format* Centred() {
        lxw_format* format = workbook_add_format(workbook_);
        format_set_align(format, LXW_ALIGN_CENTER);
        return format;
    }
    lxw_workbook* workbook_;
    lxw_format* text_;
    std::vector<lxw_format*> numbers_;
};

QString Reason(lxw_error error) {
    return QString::fromUtf8(lxw_strerror(error));
}

bool CopyInto(const QString& path, QIODevice& out, QString* reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(kCopyChunk);
        if (chunk.isEmpty() && file.error() != QFile::NoError) {
            *reason = file.errorString();
            return false;
        }
        if (out.write(chunk) != chunk.size()) {
            *reason = out.errorString();
            return false;
        }
    }
    return true;
}

// The library does not notice when a write to its own temporary files fails (a full disk): the
// workbook then closes without an error but with sheets cut short. So the finished workbook is
// read back before it is handed on: every worksheet part must inflate to the size and checksum
// its zip directory gives and end with the closing tag.
class ZipBytes {
public:
    explicit ZipBytes(const QByteArray& bytes) : bytes_(bytes) {}
    bool Has(qsizetype at, qsizetype size) const {
        return at >= 0 && size >= 0 && at <= bytes_.size() && size <= bytes_.size() - at;
    }
    quint32 U32(qsizetype at) const { return qFromLittleEndian<quint32>(bytes_.constData() + at); }
    quint16 U16(qsizetype at) const { return qFromLittleEndian<quint16>(bytes_.constData() + at); }
    const char* At(qsizetype at) const { return bytes_.constData() + at; }
    qsizetype Size() const { return bytes_.size(); }

private:
    const QByteArray& bytes_;
};

constexpr quint32 kEndOfDirectory = 0x06054b50;
constexpr quint32 kDirectoryEntry = 0x02014b50;
constexpr quint32 kLocalHeader = 0x04034b50;
constexpr qsizetype kEndRecordSize = 22;
constexpr qsizetype kEntrySize = 46;
constexpr qsizetype kLocalSize = 30;
constexpr quint16 kStored = 0;
constexpr quint16 kDeflated = 8;

// Inflates one part and checks its size, checksum and last bytes.
bool PartWhole(const ZipBytes& zip, qsizetype data, quint32 packed, quint32 size, quint32 crc,
               quint16 method) {
    if (!zip.Has(data, packed)) return false;
    QByteArray tail;
    uLong sum = crc32(0L, Z_NULL, 0);
    quint64 total = 0;
    auto take = [&](const char* bytes, std::size_t n) {
        sum = crc32(sum, reinterpret_cast<const Bytef*>(bytes), static_cast<uInt>(n));
        total += n;
        tail = (tail + QByteArray(bytes, static_cast<qsizetype>(n))).right(32);
    };
    if (method == kStored) {
        if (packed != size) return false;
        take(zip.At(data), packed);
    } else if (method == kDeflated) {
        z_stream stream{};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.At(data)));
        stream.avail_in = packed;
        char out[1 << 16];
        int status = Z_OK;
        while (status == Z_OK) {
            stream.next_out = reinterpret_cast<Bytef*>(out);
            stream.avail_out = sizeof out;
            status = inflate(&stream, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END) break;
            take(out, sizeof out - stream.avail_out);
        }
        inflateEnd(&stream);
        if (status != Z_STREAM_END) return false;
    } else {
        return false;
    }
    return total == size && sum == crc && tail.trimmed().endsWith("</worksheet>");
}

bool WorkbookWhole(const QString& path, int sheets, QString* reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    const ZipBytes zip(bytes);
    qsizetype end = zip.Size() - kEndRecordSize;
    while (end >= 0 && zip.U32(end) != kEndOfDirectory) --end;
    int whole = 0;
    if (end >= 0) {
        const int entries = zip.U16(end + 10);
        qsizetype at = zip.U32(end + 16);
        for (int e = 0; e < entries && zip.Has(at, kEntrySize) && zip.U32(at) == kDirectoryEntry;
             ++e) {
            const quint16 nameLength = zip.U16(at + 28);
            const qsizetype local = zip.U32(at + 42);
            if (!zip.Has(at + kEntrySize, nameLength)) break;
            const QByteArray name(zip.At(at + kEntrySize), nameLength);
            if (name.startsWith("xl/worksheets/sheet") && name.endsWith(".xml")) {
                if (!zip.Has(local, kLocalSize) || zip.U32(local) != kLocalHeader) break;
                const qsizetype data =
                    local + kLocalSize + zip.U16(local + 26) + zip.U16(local + 28);
                if (!PartWhole(zip, data, zip.U32(at + 20), zip.U32(at + 24), zip.U32(at + 16),
                               zip.U16(at + 10)))
                    break;
                ++whole;
            }
            at += kEntrySize + nameLength + zip.U16(at + 30) + zip.U16(at + 32);
        }
    }
    if (whole == sheets) return true;
    *reason = QStringLiteral("the workbook came out incomplete (is the disk of %1 full?)")
                  .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    return false;
}

}  // namespace

bool WriteXlsx(const ArchiveTable& table, const QString& title, QIODevice& out,
               const ExportProgress& progress, QString* reason) {
    // The library writes its numbers (cell values, column widths, page margins) with printf;
    // they must be "0.5" whatever the desktop's locale. Made first, so that it outlives the
    // workbook, whose close writes most of them.
    const CNumericScope classicNumbers;
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        *reason = scratch.errorString();
        return false;
    }
    const QByteArray folder = QFile::encodeName(scratch.path());
    const QString bookPath = QDir(scratch.path()).filePath(QStringLiteral("book.xlsx"));
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(folder.constData());
    options.use_zip64 = LXW_FALSE;
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(
        workbook_new_opt(QFile::encodeName(bookPath).constData(), &options));
    if (!workbook) {
        *reason = Reason(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return false;
    }
    CentredFormats formats(workbook.get());
    CellClassifier classifier;
    const int total = table.GridRowCount();
    int done = 0;
    const auto parts = SplitIntoSheets(total, title);
    const int sheetCount = static_cast<int>(parts.size());
    for (const SheetPart& part : parts) {
        lxw_worksheet* sheet =
            workbook_add_worksheet(workbook.get(), part.name.toUtf8().constData());
        if (!sheet) {
            *reason = Reason(LXW_ERROR_PARAMETER_VALIDATION);
            return false;
        }
        ColumnWidths widths;
        for (int r = 0; r < part.rows; ++r) {
            const int row = part.firstRow + r;
            for (int col = 0; col < kExportColumns; ++col) {
                const QString text = table.ShownText(col, row);
                const CellValue& value = classifier.Classify(table, col, row);
                lxw_error error = LXW_NO_ERROR;
                if (value.kind == CellKind::Number) {
                    error = worksheet_write_number(
                        sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(col), value.number,
                        formats.Number(value.format, classifier.Formats()));
                } else if (value.kind == CellKind::Text) {
                    error = worksheet_write_string(sheet, static_cast<lxw_row_t>(r),
                                                   static_cast<lxw_col_t>(col),
                                                   text.toUtf8().constData(), formats.Text());
                }
                if (error != LXW_NO_ERROR) {
                    *reason = Reason(error);
                    return false;
                }
                widths.Take(col, text);
            }
            if (progress && ++done % kProgressStep == 0) progress(done, total);
        }
        for (int col = 0; col < kExportColumns; ++col)
            worksheet_set_column(sheet, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col),
                                 widths.Width(col), formats.Text());
    }
    const lxw_error closed = workbook_close(workbook.release());
    if (closed != LXW_NO_ERROR) {
        *reason = Reason(closed);
        return false;
    }
    if (!WorkbookWhole(bookPath, sheetCount, reason)) return false;
    if (progress) progress(total, total);
    return CopyInto(bookPath, out, reason);
}

}  // namespace porvel
