// The recovery file's writer and its orphans: what is written reads back whole, the newest write
// wins, a running program's file is never an orphan, a failing folder is reported.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <mutex>

#include "archive/archive_file.h"
#include "archive/recovery_file.h"
#include "archive_samples.h"
#include "file_system_faults.h"

using namespace porvel;
using namespace porvel::testing;

namespace {

struct Outcomes {
    std::mutex mutex;
    std::vector<std::pair<bool, QString>> seen;
    RecoveryWriter::Outcome Recorder() {
        return [this](bool ok, const QString& reason) {
            std::lock_guard<std::mutex> guard(mutex);
            seen.emplace_back(ok, reason);
        };
    }
};

QByteArray SnapshotOf(int rows) {
    ArchiveTable table;
    CurveStore curves;
    FillArchive(table, curves, rows);
    return ArchiveSnapshot(table, curves);
}

}  // namespace

TEST(RecoveryFile, WritesTheNewestSnapshotWholeAndRemovesIt) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/state/porvel");
    Outcomes outcomes;
    RecoveryWriter writer(folder, outcomes.Recorder());
    for (int rows = 1; rows <= 5; ++rows) writer.Write(SnapshotOf(rows));
    writer.WaitIdle();

    ArchiveTable table;
    CurveStore curves;
    const ArchiveFileResult read = ReadArchiveFile(writer.Path(), table, curves);
    ASSERT_TRUE(read.Ok());
    EXPECT_EQ(read.dataRows, 5);
    EXPECT_EQ(QFile(folder).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
    EXPECT_TRUE(QFileInfo::exists(writer.Path() + QStringLiteral(".lock")));

    writer.Remove();
    writer.WaitIdle();
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    for (const auto& [ok, reason] : outcomes.seen) EXPECT_TRUE(ok) << reason.toStdString();
}

TEST(RecoveryFile, OnlyFilesOfProgramsThatAreGoneAreOrphansNewestFirst) {
    QTemporaryDir dir;
    QString older;
    {
        RecoveryWriter first(dir.path());
        first.Write(SnapshotOf(2));
        first.WaitIdle();
        older = first.Path();
        QFile file(older);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                         QFileDevice::FileModificationTime);
        RecoveryWriter running(dir.path());
        running.Write(SnapshotOf(3));
        running.WaitIdle();
        EXPECT_TRUE(FindOrphanedRecoveries(dir.path()).empty());  // both still run
    }
    RecoveryWriter third(dir.path());
    third.Write(SnapshotOf(1));
    third.WaitIdle();

    std::vector<OrphanedRecovery> orphans = FindOrphanedRecoveries(dir.path());
    ASSERT_EQ(orphans.size(), 2u);
    EXPECT_EQ(orphans[1].path, older);
    // Held while being offered: a second start finds none of them.
    EXPECT_TRUE(FindOrphanedRecoveries(dir.path()).empty());

    const QString aside = SetAsideDamaged(orphans[0].path);
    EXPECT_TRUE(QFileInfo(aside).fileName().startsWith(QStringLiteral("damaged-")));
    RemoveOrphan(orphans[1]);
    orphans.clear();
    EXPECT_TRUE(FindOrphanedRecoveries(dir.path()).empty());
    EXPECT_TRUE(QFileInfo::exists(aside));
    EXPECT_TRUE(QFileInfo::exists(third.Path()));
}

TEST(RecoveryFile, AFolderThatTakesNothingIsReportedAndLaterWritten) {
    QTemporaryDir dir;
    Outcomes outcomes;
    RecoveryWriter writer(dir.path() + QStringLiteral("/porvel"), outcomes.Recorder());
    {
        UnwritableFolder readOnly(dir.path());
        ASSERT_TRUE(readOnly.Ok());
        writer.Write(SnapshotOf(1));
        writer.WaitIdle();
    }
    writer.Write(SnapshotOf(1));
    writer.WaitIdle();
    ASSERT_EQ(outcomes.seen.size(), 2u);
    EXPECT_FALSE(outcomes.seen[0].first);
    EXPECT_FALSE(outcomes.seen[0].second.isEmpty());
    EXPECT_TRUE(outcomes.seen[1].first);
    EXPECT_TRUE(QFileInfo::exists(writer.Path()));
}
