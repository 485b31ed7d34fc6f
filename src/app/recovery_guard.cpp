#include "recovery_guard.h"

#include <QDir>
#include <QFileInfo>

#include "archive/archive_table.h"
#include "base/locale_format.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"

namespace porvel {

namespace {

constexpr TextPair kRestoreQuestion = {u"Восстановить несохранённый архив от %1?",
                                       u"Restore the unsaved archive of %1?"};
constexpr TextPair kRestoreNamedQuestion = {u"Восстановить несохранённый архив %1 от %2?",
                                            u"Restore the unsaved archive %1 of %2?"};
constexpr TextPair kDamaged = {u"Файл восстановления повреждён и отложен:\n%1",
                               u"The recovery file is damaged and was set aside:\n%1"};
constexpr TextPair kDamagedStays = {u"Файл восстановления повреждён:\n%1",
                                    u"The recovery file is damaged:\n%1"};
constexpr TextPair kWriteFailed = {u"Файл восстановления не записан: %1",
                                   u"The recovery file was not written: %1"};

}  // namespace

QString RestoreQuestion(const QDateTime& written, const QString& archiveName, Language language) {
    const QString when =
        FormatDate(written.date()) + QLatin1Char(' ') + written.toString(QStringLiteral("HH:mm"));
    if (archiveName.isEmpty()) return TextIn(kRestoreQuestion, language).arg(when);
    return TextIn(kRestoreNamedQuestion, language).arg(archiveName, when);
}

RecoveryGuard::RecoveryGuard(ArchiveTable& table, CurveStore& curves, const QString& folder,
                             LanguageSource language, QObject* parent)
    : QObject(parent),
      table_(table),
      curves_(curves),
      folder_(folder),
      language_(std::move(language)),
      writer_(folder, [this](bool ok, const QString& reason) {
          // On the writer's thread: the text is made and shown on the main thread.
          if (lastWriteOk_.exchange(ok) && !ok)
              QMetaObject::invokeMethod(
                  this,
                  [this, reason] {
                      emit WriteFailed(TextIn(kWriteFailed, language_()).arg(reason));
                  },
                  Qt::QueuedConnection);
      }) {
    snapshotTimer_.setSingleShot(true);
    snapshotTimer_.setInterval(0);
    connect(&snapshotTimer_, &QTimer::timeout, this, &RecoveryGuard::WriteSnapshot);

    // Every way the table's rows change (the header's language change is not one of them).
    connect(&table, &QAbstractItemModel::modelReset, this, &RecoveryGuard::TableChanged);
    connect(&table, &QAbstractItemModel::layoutChanged, this, &RecoveryGuard::TableChanged);
    connect(&table, &QAbstractItemModel::rowsInserted, this, &RecoveryGuard::TableChanged);
    connect(&table, &QAbstractItemModel::rowsRemoved, this, &RecoveryGuard::TableChanged);
    connect(&table, &QAbstractItemModel::rowsMoved, this, &RecoveryGuard::TableChanged);
    connect(&table, &QAbstractItemModel::dataChanged, this, &RecoveryGuard::TableChanged);
}

void RecoveryGuard::TableChanged() {
    snapshotTimer_.start();
}

void RecoveryGuard::TableInFile() {
    snapshotTimer_.stop();
    writer_.Remove();
}

void RecoveryGuard::Close() {
    TableInFile();
    writer_.WaitIdle();
}

void RecoveryGuard::WriteSnapshot() {
    if (table_.IsEmpty())
        writer_.Remove();
    else
        writer_.Write(ArchiveSnapshot(table_, curves_), archivePath_ ? archivePath_() : QString());
}

bool RecoveryGuard::OfferRestore(const Restore& restore) {
    const Language lang = language_();
    const QString caption = TextIn(kWarningCaption, lang);
    for (OrphanedRecovery& orphan : FindOrphanedRecoveries(folder_)) {
        // Cancel, and Escape, decide later: only No gives the work up.
        const QString name = QFileInfo(orphan.archivePath).fileName();
        const int answer = LocalizedMessageBox(RestoreQuestion(orphan.written, name, lang), caption,
                                               box::kQuestion, lang);
        if (answer == box::kIdNo) {
            RemoveOrphan(orphan);
            continue;
        }
        if (answer != box::kIdYes) return false;  // everything stays for a later start
        if (!restore(orphan.path, orphan.archivePath).Ok()) {
            const QString aside = SetAsideDamaged(orphan.path);
            const QString text =
                aside.isEmpty()
                    ? TextIn(kDamagedStays, lang).arg(QDir::toNativeSeparators(orphan.path))
                    : TextIn(kDamaged, lang).arg(QDir::toNativeSeparators(aside));
            LocalizedMessageBox(text, caption, box::kOk | box::kIconWarning, lang);
            continue;
        }
        // The restored work is in this program's own file before the orphan goes; if it could
        // not be written there, the orphan stays, to be offered again rather than lost.
        snapshotTimer_.stop();
        WriteSnapshot();
        writer_.WaitIdle();
        if (lastWriteOk_) RemoveOrphan(orphan);
        return true;
    }
    return false;
}

}  // namespace porvel
