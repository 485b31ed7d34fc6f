// Files this program did not write, and files that cannot be read or written: each is refused
// or reported, and the table, the curves and any earlier file stay as they were.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "archive/archive_file.h"
#include "archive_bytes.h"
#include "file_system_faults.h"
#include "qt_printers.h"

namespace porvel {
namespace {

using namespace testing;

constexpr int kWatchedSlots = 4;

// What a refused read must leave alone.
struct Snapshot {
    QStringList cells;
    int slotCount = 0;
    std::vector<std::vector<std::uint16_t>> words;
    bool operator==(const Snapshot& other) const {
        return cells == other.cells && slotCount == other.slotCount && words == other.words;
    }
};

Snapshot Take(const ArchiveTable& table, const CurveStore& curves) {
    Snapshot shot{CellsOf(table), static_cast<int>(curves.CurveCount()), {}};
    for (int slot = 0; slot < kWatchedSlots; ++slot)
        shot.words.push_back(WordsIn(curves, slot, CurveStore::kMaxCurveWords));
    return shot;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A sound archive of two rows with curves of 5 and 3 words and an empty third row.
ArchiveBytes SoundArchive() {
    ArchiveBytes file;
    file.Count(13).Count(4);
    file.Row(MeasurementCells(1, 5, 0)).Words(CurveOf(1, 5));
    file.Row(MeasurementCells(2, 3, 1)).Words(CurveOf(2, 3));
    return file.Row(RowCells{});
}

// One row whose curve length and slot cells are given, followed by `words` curve words.
QByteArray OneRow(const QString& length, const QString& slot, int words) {
    RowCells cells = MeasurementCells(1, 0, 0);
    cells[column::kCurveLength] = length;
    cells[column::kSlot] = slot;
    return ArchiveBytes().Count(13).Count(2).Row(cells).Words(CurveOf(1, words)).Bytes();
}

class ArchiveRefusal : public ::testing::Test {
protected:
    void SetUp() override {
        FillArchive(table_, curves_, 3);
        before_ = Take(table_, curves_);
    }
    void ExpectRefused(const QByteArray& bytes, ArchiveFault fault, const char* what) {
        EXPECT_EQ(ReadArchiveBytes(bytes, table_, curves_).fault, fault) << what;
        EXPECT_TRUE(Take(table_, curves_) == before_) << what;
    }

    QTemporaryDir dir_;
    ArchiveTable table_;
    CurveStore curves_;
    Snapshot before_;
};

TEST_F(ArchiveRefusal, ImpossibleHeadersAndRows) {
    const QByteArray row = SoundArchive().Bytes().mid(8);
    const auto header = [&](std::int32_t columns, std::int32_t rows) {
        return ArchiveBytes().Count(columns).Count(rows).Raw(row).Bytes();
    };
    ExpectRefused(header(12, 4), ArchiveFault::ColumnCount, "12 columns");
    ExpectRefused(header(14, 4), ArchiveFault::ColumnCount, "14 columns");
    ExpectRefused(header(-13, 4), ArchiveFault::ColumnCount, "negative columns");
    ExpectRefused(header(13, 1), ArchiveFault::RowCount, "the header alone");
    ExpectRefused(header(13, 0), ArchiveFault::RowCount, "no rows");
    ExpectRefused(header(13, -4), ArchiveFault::RowCount, "negative rows");
    ExpectRefused(header(13, 5), ArchiveFault::PastEnd, "one row more than the file holds");
    ExpectRefused(header(13, 1000), ArchiveFault::PastEnd, "rows far beyond the file");
    ExpectRefused(SoundArchive().Raw(QByteArray(1, 0)).Bytes(), ArchiveFault::TrailingBytes,
                  "a byte after the last row");

    // Enough bytes behind each for a whole row, so that the cell itself is what is wrong.
    const QByteArray rest(ArchiveTable::kColumns * 8, 'x');
    ExpectRefused(ArchiveBytes().Count(13).Count(2).Count(-1).Raw(rest).Bytes(),
                  ArchiveFault::NegativeLength, "a negative cell length");
    ExpectRefused(ArchiveBytes().Count(13).Count(2).Count(rest.size() + 1).Raw(rest).Bytes(),
                  ArchiveFault::PastEnd, "a cell past the end");
    ExpectRefused(OneRow("-1", "0", 0), ArchiveFault::NegativeLength, "a negative curve length");
    ExpectRefused(OneRow("32769", "0", 32769), ArchiveFault::CurveTooLong,
                  "a curve longer than a slot");
    ExpectRefused(OneRow("6", "0", 5), ArchiveFault::PastEnd, "a curve past the end");
    ExpectRefused(OneRow("5", "x", 5), ArchiveFault::SlotNotWhole, "a slot that is no number");
    ExpectRefused(OneRow("5", "", 5), ArchiveFault::SlotNotWhole, "an empty slot cell");
    // The limits themselves are sound.
    EXPECT_TRUE(ReadArchiveBytes(OneRow("32768", "0", 32768), table_, curves_).Ok());
}

TEST(ArchiveCurveBudget, CurvesBeyondTheStoresBudgetChangeNothing) {
    ArchiveTable table;
    CurveStore curves(8);  // the sound archive's curves take 5 + 3 words
    ASSERT_TRUE(ReadArchiveBytes(SoundArchive().Bytes(), table, curves).Ok());
    const Snapshot before = Take(table, curves);
    const QByteArray nineWords = ArchiveBytes()
                                     .Count(13)
                                     .Count(3)
                                     .Row(MeasurementCells(1, 5, 0))
                                     .Words(CurveOf(1, 5))
                                     .Row(MeasurementCells(2, 4, 1))
                                     .Words(CurveOf(2, 4))
                                     .Bytes();
    const ArchiveFileResult read = ReadArchiveBytes(nineWords, table, curves);
    EXPECT_EQ(read.fault, ArchiveFault::CurvesBeyondBudget);
    EXPECT_TRUE(read.Refused());  // shown as a damaged file
    EXPECT_TRUE(Take(table, curves) == before);
}

// Rows take memory whether or not they carry curves: a file of more rows than may be held
// beside the curves the store may hold is refused before anything is sized, and said to be too
// large.
TEST(ArchiveMemoryBudget, RowsBeyondItAreToldAsTooLarge) {
    ArchiveTable table;
    CurveStore curves(8);  // leaves the rows their 256 MiB
    ASSERT_TRUE(ReadArchiveBytes(SoundArchive().Bytes(), table, curves).Ok());
    const Snapshot before = Take(table, curves);
    constexpr std::int32_t kRows = 400'000;  // 21 MB of empty rows, some 380 MB as rows
    const QByteArray emptyRows = ArchiveBytes()
                                     .Count(13)
                                     .Count(kRows + 1)
                                     .Raw(QByteArray(qsizetype{kRows} * 13 * 4, 0))
                                     .Bytes();
    const ArchiveFileResult read = ReadArchiveBytes(emptyRows, table, curves);
    EXPECT_EQ(read.fault, ArchiveFault::BeyondMemoryBudget);
    EXPECT_FALSE(read.Refused());
    EXPECT_TRUE(Take(table, curves) == before);
    const QString path = QStringLiteral("/archives/big.wpa");
    EXPECT_EQ(FileFaultMessage(FileOperation::Open, path, read, Language::Russian),
              QStringLiteral("Файл /archives/big.wpa слишком велик: его строки и кривые не "
                             "поместятся в памяти, которую программа отводит архиву"));
    EXPECT_EQ(FileFaultMessage(FileOperation::Open, path, read, Language::English),
              QStringLiteral("The file /archives/big.wpa is too large: its rows and curves would "
                             "not fit in the memory the program sets aside for an archive"));
}

// Two million empty rows, a file of 100 MB that would take some 2 GB as rows, opened as Open
// opens it by a process with no room for them: the message, not a crash.
TEST(ArchiveMemoryBudget, AFileOfEmptyRowsGetsItsMessageInLimitedMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not start under an address space limit";
#else
    constexpr std::int32_t kRows = 2'000'000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("empty rows.wpa"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ArchiveBytes().Count(13).Count(kRows + 1).Bytes());
    // An empty row is its 13 cell lengths of 0.
    ASSERT_TRUE(file.resize(file.size() + qint64{kRows} * 13 * 4));
    file.close();
    // Room for the file's bytes and a quarter of a gigabyte besides.
    const auto openWithLittleRoom = [&path, size = file.size()] {
        long pages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
            std::fclose(statm);
        }
        const rlim_t room =
            static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) +
            static_cast<rlim_t>(size) + (rlim_t{1} << 28);
        const rlimit limit{room, room};
        if (setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(2);
        ArchiveTable table;
        CurveStore curves;
        const ArchiveFileResult read = ReadArchiveFile(path, table, curves);
        std::fputs(FileFaultMessage(FileOperation::Open, path, read, Language::English).toUtf8(),
                   stderr);
        std::_Exit(0);
    };
    EXPECT_EXIT(openWithLittleRoom(), ::testing::ExitedWithCode(0), "empty rows.wpa is too large");
#endif
}

TEST(ArchiveZeroLengthCurve, NeedsNoSlotAndWritesBackTheSame) {
    // The slot cell of a row without curve words may say anything; no curve is kept for it.
    const QByteArray bytes = OneRow("0", "none", 0);
    ArchiveTable table;
    CurveStore curves;
    ASSERT_TRUE(ReadArchiveBytes(bytes, table, curves).Ok());
    EXPECT_EQ(table.Cell(column::kSlot, 1), QStringLiteral("none"));
    EXPECT_EQ(curves.CurveCount(), 0u);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteArchive(table, curves, out));
    EXPECT_EQ(out.data(), bytes);
}

TEST_F(ArchiveRefusal, EveryCutShortFileIsRefused) {
    const QByteArray sound = SoundArchive().Bytes();
    for (qsizetype size = 0; size < sound.size(); ++size) {
        ASSERT_FALSE(ReadArchiveBytes(sound.left(size), table_, curves_).Ok()) << size;
        ASSERT_TRUE(Take(table_, curves_) == before_) << size;
    }
    // Through a file as well, with the file state's view of it: a refusal, not a failure.
    const QString path = dir_.filePath(QStringLiteral("cut.wpa"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(sound.left(sound.size() - 1));
    file.close();
    const ArchiveFileResult read = ReadArchiveFile(path, table_, curves_);
    EXPECT_TRUE(read.Refused());
    EXPECT_TRUE(Take(table_, curves_) == before_);
}

TEST_F(ArchiveRefusal, PathsThatCannotBeRead) {
    const ArchiveFileResult missing =
        ReadArchiveFile(dir_.filePath(QStringLiteral("none.wpa")), table_, curves_);
    EXPECT_EQ(missing.fault, ArchiveFault::CannotOpen);
    EXPECT_FALSE(missing.reason.isEmpty());
    EXPECT_EQ(ReadArchiveFile(dir_.path(), table_, curves_).fault, ArchiveFault::NotOrdinaryFile);
    // A device that never ends is not read.
    EXPECT_EQ(ReadArchiveFile(QStringLiteral("/dev/zero"), table_, curves_).fault,
              ArchiveFault::NotOrdinaryFile);
    EXPECT_TRUE(Take(table_, curves_) == before_);
}

class ArchiveWriteFailure : public ArchiveRefusal {
protected:
    void SetUp() override {
        ArchiveRefusal::SetUp();
        path_ = dir_.filePath(QStringLiteral("Arhive 1.wpa"));
        ArchiveTable old;
        CurveStore oldCurves;
        FillArchive(old, oldCurves, 1);
        ASSERT_TRUE(WriteArchiveFile(old, oldCurves, path_).Ok());
        oldBytes_ = ReadAll(path_);
    }
    // The earlier file is whole and nothing else was left in the folder.
    void ExpectOldFileIntact() {
        EXPECT_EQ(ReadAll(path_), oldBytes_);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                  QStringList{QStringLiteral("Arhive 1.wpa")});
    }

    QString path_;
    QByteArray oldBytes_;
};

TEST_F(ArchiveWriteFailure, ADiskThatFillsUpLeavesTheOldFile) {
    ArchiveFileResult result;
    {
        const FileSizeLimit limit(oldBytes_.size() / 2);
        ASSERT_TRUE(limit.Ok());
        result = WriteArchiveFile(table_, curves_, path_);
    }
    EXPECT_EQ(result.fault, ArchiveFault::CannotWrite);
    EXPECT_FALSE(result.reason.isEmpty());
    ExpectOldFileIntact();
}

TEST_F(ArchiveWriteFailure, AReadOnlyFolderLeavesTheOldFile) {
    ArchiveFileResult result;
    {
        const UnwritableFolder readOnly(dir_.path());
        ASSERT_TRUE(readOnly.Ok());
        result = WriteArchiveFile(table_, curves_, path_);
    }
    EXPECT_EQ(result.fault, ArchiveFault::CannotOpen);
    EXPECT_FALSE(result.reason.isEmpty());
    ExpectOldFileIntact();
}

TEST_F(ArchiveWriteFailure, AFullDeviceIsNeverReplaced) {
    // Written to directly, the full device refuses the bytes and the writer says so.
    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_FALSE(WriteArchive(table_, curves_, full));
    // Named as the target, it is no ordinary file and stays the device it is.
    EXPECT_EQ(WriteArchiveFile(table_, curves_, full.fileName()).fault,
              ArchiveFault::NotOrdinaryFile);
    struct stat device {};
    ASSERT_EQ(::stat("/dev/full", &device), 0);
    EXPECT_TRUE(S_ISCHR(device.st_mode));
    // A folder as the target is refused the same way, and a missing folder cannot be created in.
    EXPECT_EQ(WriteArchiveFile(table_, curves_, dir_.path()).fault, ArchiveFault::NotOrdinaryFile);
    EXPECT_EQ(WriteArchiveFile(table_, curves_, dir_.filePath(QStringLiteral("no/a.wpa"))).fault,
              ArchiveFault::CannotOpen);
    ExpectOldFileIntact();
}

}  // namespace
}  // namespace porvel
