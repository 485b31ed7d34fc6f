// Writes the seed archives of the archive file fuzz target into the folder it is given:
//   porvel_make_archive_corpus tests/fuzz/corpus/archive_file
// Each is a file as the program saves it, small enough for the fuzzer's default input size.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "../archive_samples.h"
#include "archive/archive_file.h"
#include "wire/crc16.h"
#include "wire/protocol.h"

namespace {

using namespace porvel;
using namespace porvel::testing;

// A chamber pressure rising from a vacuum back towards the atmosphere, then the end marker and
// the CRC of the samples, as a curve block holds it.
std::vector<std::uint16_t> PressureCurve(int samples, int start) {
    std::vector<std::uint16_t> words;
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < samples; ++i) {
        const auto value = static_cast<std::uint16_t>(start + (13000 - start) * i / (i + 40));
        words.push_back(value);
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    words.push_back(protocol::kEndMarker);
    words.push_back(Crc16(bytes.data(), bytes.size()));
    return words;
}

void PutMeasurement(ArchiveTable& table, CurveStore& curves, int row, int number, int samples,
                    int slot) {
    const std::vector<std::uint16_t> curve = PressureCurve(samples, 4000 + 97 * number);
    PutRow(table, row, MeasurementCells(number, static_cast<int>(curve.size()), slot));
    PutCurve(curves, slot, curve);
}

bool Save(const ArchiveTable& table, const CurveStore& curves, const QDir& folder,
          const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    const ArchiveFileResult result = WriteArchiveFile(table, curves, path);
    if (!result.Ok()) std::fprintf(stderr, "%s: %s\n", name, qPrintable(result.reason));
    return result.Ok();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    CurveStore curves;
    bool ok = true;

    ArchiveTable twoRows;  // the two-row example: curves of 5 and 3 words
    twoRows.SetGridRowCount(3);
    PutMeasurement(twoRows, curves, 1, 12, 3, 0);
    PutMeasurement(twoRows, curves, 2, 13, 1, 1);
    twoRows.SetCell(column::kH, 2, QString());
    ok &= Save(twoRows, curves, folder, "two_rows.wpa");

    ArchiveTable fresh;  // a fresh read of five measurements
    fresh.SetGridRowCount(6);
    for (int row = 1; row <= 5; ++row)
        PutMeasurement(fresh, curves, row, 40 + row, 20 * row, row - 1);
    fresh.SetCell(column::kObject, 3, QStringLiteral("Slab A"));
    fresh.SetCell(column::kGrade, 4, QStringLiteral(" - "));
    ok &= Save(fresh, curves, folder, "fresh_read.wpa");

    ArchiveTable sorted;  // sorted: slots out of order, empty cells blank, an emptied row
    sorted.SetGridRowCount(4);
    PutMeasurement(sorted, curves, 1, 7, 12, 2);
    PutMeasurement(sorted, curves, 2, 5, 8, 0);
    RowCells blanks;
    blanks.fill(QStringLiteral(" "));
    PutRow(sorted, 3, blanks);
    sorted.SetCell(column::kH, 1, QStringLiteral(" "));
    ok &= Save(sorted, curves, folder, "sorted.wpa");

    ArchiveTable single;  // one measurement whose curve is its end marker and CRC alone
    single.SetGridRowCount(2);
    PutMeasurement(single, curves, 1, 1, 0, 0);
    ok &= Save(single, curves, folder, "single.wpa");
    return ok ? 0 : 1;
}
