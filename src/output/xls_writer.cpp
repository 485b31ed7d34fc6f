// The 97-2003 binary workbook: the workbook globals (fonts, formats, cell formats, sheet list,
// shared strings) and one worksheet substream per sheet, in one stream of a compound file.
#include <QHash>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <vector>

#include "cell_value.h"
#include "compound_file.h"
#include "spreadsheet_export.h"

namespace porvel {
namespace {

namespace record {
constexpr quint16 kBof = 0x0809;
constexpr quint16 kEof = 0x000A;
constexpr quint16 kCodePage = 0x0042;
constexpr quint16 kDateMode = 0x0022;
constexpr quint16 kWindow1 = 0x003D;
constexpr quint16 kFont = 0x0031;
constexpr quint16 kFormat = 0x041E;
constexpr quint16 kXf = 0x00E0;
constexpr quint16 kStyle = 0x0293;
constexpr quint16 kBoundSheet = 0x0085;
constexpr quint16 kSst = 0x00FC;
constexpr quint16 kContinue = 0x003C;
constexpr quint16 kExtSst = 0x00FF;
constexpr quint16 kColInfo = 0x007D;
constexpr quint16 kDimensions = 0x0200;
constexpr quint16 kNumber = 0x0203;
constexpr quint16 kLabelSst = 0x00FD;
constexpr quint16 kWindow2 = 0x023E;
}  // namespace record

constexpr qsizetype kMaxRecordData = 8224;
constexpr int kMaxStringChars = 32767;
constexpr int kProgressStep = 1024;
constexpr quint16 kFirstCustomFormat = 164;
constexpr int kStyleXfs = 15;
constexpr quint16 kCentredTextXf = 16;  // after the 15 style formats and the default cell format
constexpr quint16 kFirstNumberXf = 17;
// The index of the shared strings names where every n-th string starts, n at least 8 and large
// enough that the index has no more than 128 entries.
constexpr int kMinStringsPerBucket = 8;
constexpr int kMaxBuckets = 128;

class Bytes {
public:
    Bytes& U8(int v) {
        data_.append(static_cast<char>(v));
        return *this;
    }
    Bytes& U16(int v) {
        char b[2];
        qToLittleEndian(static_cast<quint16>(v), b);
        data_.append(b, 2);
        return *this;
    }
    Bytes& U32(quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        data_.append(b, 4);
        return *this;
    }
    Bytes& F64(double v) {
        char b[8];
        std::memcpy(b, &v, 8);
        if (QSysInfo::ByteOrder == QSysInfo::BigEndian) std::reverse(b, b + 8);
        data_.append(b, 8);
        return *this;
    }
    Bytes& Utf16(const QString& text) {
        for (const QChar c : text) U16(c.unicode());
        return *this;
    }
    const QByteArray& Data() const { return data_; }

private:
    QByteArray data_;
};

// Record-level writing onto the compound file's stream.
class BiffStream {
public:
    explicit BiffStream(QIODevice& out) : stream_(out) {}
    bool Record(quint16 type, const QByteArray& data) {
        char header[4];
        qToLittleEndian(type, header);
        qToLittleEndian(static_cast<quint16>(data.size()), header + 2);
        return stream_.Write(header, 4) && stream_.Write(data);
    }
    bool Record(quint16 type, const Bytes& data) { return Record(type, data.Data()); }
    CompoundStream& Stream() { return stream_; }

private:
    CompoundStream stream_;
};

// The shared string table, in SST and CONTINUE records with the EXTSST index.
class SharedStrings {
public:
    quint32 Index(const QString& text) {
        ++references_;
        auto found = index_.find(text);
        if (found == index_.end()) {
            found = index_.insert(text, static_cast<quint32>(strings_.size()));
            strings_.push_back(text);
        }
        return *found;
    }
    quint32 Find(const QString& text) const { return index_.value(text); }

    bool Write(BiffStream& out) {
        Bytes first;
        first.U32(references_).U32(static_cast<quint32>(strings_.size()));
        QByteArray data = first.Data();
        quint16 type = record::kSst;
        qint64 recordStart = out.Stream().Position();
        const int perBucket =
            std::max<int>(kMinStringsPerBucket,
                          static_cast<int>((strings_.size() + kMaxBuckets - 1) / kMaxBuckets));
        Bytes buckets;
        buckets.U16(perBucket);
        auto flush = [&]() {
            const bool ok = out.Record(type, data);
            type = record::kContinue;
            data.clear();
            recordStart = out.Stream().Position();
            return ok;
        };
        for (std::size_t i = 0; i < strings_.size(); ++i) {
            const QString& s = strings_[i];
            // The character count and flag byte stay together with at least one character.
            if (data.size() + 5 > kMaxRecordData && !flush()) return false;
            if (i % static_cast<std::size_t>(perBucket) == 0) {
                const qint64 at = recordStart + 4 + data.size();
                buckets.U32(static_cast<quint32>(at))
                    .U16(static_cast<int>(at - recordStart))
                    .U16(0);
            }
            Bytes head;
            head.U16(static_cast<int>(s.size())).U8(1);  // UTF-16LE characters
            data += head.Data();
            qsizetype done = 0;
            while (done < s.size()) {
                const qsizetype room = (kMaxRecordData - data.size()) / 2;
                if (room <= 0) {
                    // A string continued in the next record repeats its flag byte there.
                    if (!flush()) return false;
                    data.append('\x01');
                    continue;
                }
                const qsizetype take = std::min(room, s.size() - done);
                Bytes part;
                part.Utf16(s.mid(done, take));
                data += part.Data();
                done += take;
            }
        }
        if (!flush()) return false;
        return out.Record(record::kExtSst, buckets);
    }

private:
    QHash<QString, quint32> index_;
    std::vector<QString> strings_;
    quint32 references_ = 0;
};

Bytes Bof(int kind) {
    Bytes b;
    b.U16(0x0600).U16(kind).U16(0x0DBB).U16(0x07CC).U32(0).U32(0x00000006);
    return b;
}

Bytes Font() {
    Bytes b;
    b.U16(200).U16(0).U16(0x7FFF).U16(400).U16(0).U8(0).U8(0).U8(0).U8(0);
    b.U8(5).U8(0);
    for (const char c : {'A', 'r', 'i', 'a', 'l'}) b.U8(c);
    return b;
}

// A cell format record: font 0, number format `format`, the alignment byte `align` and the
// byte of attributes it sets itself.
Bytes Xf(int format, bool style, int align, int used) {
    Bytes b;
    b.U16(0).U16(format).U16(style ? 0xFFF5 : 0x0001).U8(align).U8(0).U8(0).U8(used);
    b.U32(0).U32(0).U16(0x20C0);
    return b;
}

constexpr int kAlignBottom = 0x20;
constexpr int kAlignCentred = 0x22;
constexpr int kUsesFormat = 0x04;
constexpr int kUsesAlignment = 0x10;
constexpr int kStyleIgnoresAll = 0xF4;

bool WriteGlobals(BiffStream& out, const std::vector<SheetPart>& sheets,
                  const std::vector<QString>& formats, SharedStrings& strings,
                  std::vector<qint64>* sheetOffsetFields) {
    if (!out.Record(record::kBof, Bof(0x0005)) ||
        !out.Record(record::kCodePage, Bytes().U16(1200)) ||
        !out.Record(record::kDateMode, Bytes().U16(0)) ||
        !out.Record(
            record::kWindow1,
            Bytes().U16(0).U16(0).U16(0x4000).U16(0x2000).U16(0x0038).U16(0).U16(0).U16(1).U16(
                0x0258)))
        return false;
    for (int i = 0; i < 5; ++i)
        if (!out.Record(record::kFont, Font())) return false;
    for (std::size_t i = 0; i < formats.size(); ++i) {
        Bytes f;
        f.U16(kFirstCustomFormat + static_cast<int>(i)).U16(static_cast<int>(formats[i].size()));
        f.U8(1).Utf16(formats[i]);
        if (!out.Record(record::kFormat, f)) return false;
    }
    if (!out.Record(record::kXf, Xf(0, true, kAlignBottom, 0))) return false;
    for (int i = 1; i < kStyleXfs; ++i)
        if (!out.Record(record::kXf, Xf(0, true, kAlignBottom, kStyleIgnoresAll))) return false;
    if (!out.Record(record::kXf, Xf(0, false, kAlignBottom, 0)) ||
        !out.Record(record::kXf, Xf(0, false, kAlignCentred, kUsesAlignment)))
        return false;
    for (std::size_t i = 0; i < formats.size(); ++i)
        if (!out.Record(record::kXf, Xf(kFirstCustomFormat + static_cast<int>(i), false,
                                        kAlignCentred, kUsesAlignment | kUsesFormat)))
            return false;
    if (!out.Record(record::kStyle, Bytes().U16(0x8000).U8(0).U8(0xFF))) return false;
    for (const SheetPart& sheet : sheets) {
        sheetOffsetFields->push_back(out.Stream().Position() + 4);
        Bytes b;
        b.U32(0).U8(0).U8(0).U8(static_cast<int>(sheet.name.size())).U8(1).Utf16(sheet.name);
        if (!out.Record(record::kBoundSheet, b)) return false;
    }
    return strings.Write(out) && out.Record(record::kEof, Bytes());
}

}  // namespace

bool WriteXls(const ArchiveTable& table, const QString& title, QIODevice& out,
              const ExportProgress& progress, QString* reason) {
    const std::vector<SheetPart> sheets = SplitIntoSheets(table.GridRowCount(), title);
    // First pass: the strings, the number formats and each sheet's column widths, all of which
    // come before the cells.
    CellClassifier classifier;
    SharedStrings strings;
    std::vector<ColumnWidths> widths(sheets.size());
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        for (int row = sheets[s].firstRow; row < sheets[s].firstRow + sheets[s].rows; ++row) {
            for (int col = 0; col < kExportColumns; ++col) {
                const QString text = table.ShownText(col, row);
                if (classifier.Classify(table, col, row).kind == CellKind::Text) {
                    if (text.size() > kMaxStringChars) {
                        *reason = QStringLiteral("a cell holds more than %1 characters")
                                      .arg(kMaxStringChars);
                        return false;
                    }
                    strings.Index(text);
                }
                widths[s].Take(col, text);
            }
        }
    }
    BiffStream biff(out);
    auto fail = [&]() {
        *reason = biff.Stream().Reason();
        return false;
    };
    std::vector<qint64> offsetFields;
    if (!WriteGlobals(biff, sheets, classifier.Formats(), strings, &offsetFields)) return fail();

    const int total = table.GridRowCount();
    int done = 0;
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        const SheetPart& part = sheets[s];
        if (!biff.Stream().Patch(
                offsetFields[s],
                Bytes().U32(static_cast<quint32>(biff.Stream().Position())).Data()) ||
            !biff.Record(record::kBof, Bof(0x0010)))
            return fail();
        for (int col = 0; col < kExportColumns; ++col) {
            const int width = static_cast<int>(widths[s].Width(col) * 256);
            if (!biff.Record(record::kColInfo, Bytes()
                                                   .U16(col)
                                                   .U16(col)
                                                   .U16(width)
                                                   .U16(kCentredTextXf)
                                                   .U16(0x0002)  // width set by hand
                                                   .U16(0)))
                return fail();
        }
        if (!biff.Record(record::kDimensions, Bytes()
                                                  .U32(0)
                                                  .U32(static_cast<quint32>(part.rows))
                                                  .U16(0)
                                                  .U16(kExportColumns)
                                                  .U16(0)))
            return fail();
        for (int r = 0; r < part.rows; ++r) {
            const int row = part.firstRow + r;
            for (int col = 0; col < kExportColumns; ++col) {
                const QString text = table.ShownText(col, row);
                const CellValue& value = classifier.Classify(table, col, row);
                bool ok = true;
                if (value.kind == CellKind::Number) {
                    ok = biff.Record(record::kNumber, Bytes()
                                                          .U16(r)
                                                          .U16(col)
                                                          .U16(kFirstNumberXf + value.format)
                                                          .F64(value.number));
                } else if (value.kind == CellKind::Text) {
                    ok = biff.Record(
                        record::kLabelSst,
                        Bytes().U16(r).U16(col).U16(kCentredTextXf).U32(strings.Find(text)));
                }
                if (!ok) return fail();
            }
            if (progress && ++done % kProgressStep == 0) progress(done, total);
        }
        if (!biff.Record(
                record::kWindow2,
                Bytes().U16(s == 0 ? 0x06B6 : 0x00B6).U16(0).U16(0).U32(64).U16(0).U16(0).U32(0)) ||
            !biff.Record(record::kEof, Bytes()))
            return fail();
    }
    if (!biff.Stream().Finish(QStringLiteral("Workbook"))) return fail();
    if (progress) progress(total, total);
    return true;
}

}  // namespace porvel
