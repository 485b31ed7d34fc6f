#include "exchange_worker.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <cstdlib>

#include "archive/curve_store.h"
#include "archive/enter_records.h"
#include "device/exchange.h"
#include "device/libusb_binding.h"
#include "exchange_progress.h"
#include "main_thread.h"
#include "message_box.h"
#include "wire/name_tables.h"

namespace porvel {
namespace {

// An append that the curve store cannot take whole. The instrument still holds the measurements,
// so a new archive can take them.
constexpr TextPair kArchiveFull = {
    u"Таблица заполнена: для кривых давления новых измерений нет места (предел 1 ГиБ). "
    u"Не внесено измерений: %1. Сохраните архив, создайте новый и считайте архив прибора снова.",
    u"The table is full: there is no room for the pressure curves of the new measurements "
    u"(the limit is 1 GiB). Measurements not entered: %1. Save the archive, start a new one and "
    u"read the instrument's archive again."};

}  // namespace

QtExchangeView::QtExchangeView(ExchangeSession& session, ExchangeControls controls,
                               Language language)
    : session_(session), controls_(std::move(controls)), language_(language) {}

EditorGrid* QtExchangeView::LiveGrid() const {
    return controls_.gridOwner ? controls_.grid : nullptr;
}

void QtExchangeView::Update(const ExchangeProgress& progress) {
    const UpdateEffect effect = ComputeUpdate(progress, language_);
    RunOnMainThread([&] {
        if (controls_.gauge) {
            controls_.gauge->setValue(effect.gauge);
            if (effect.hideGauge) controls_.gauge->hide();
        }
        if (effect.status && controls_.statusLabel) controls_.statusLabel->setText(*effect.status);
        if (effect.caption && controls_.dialog) controls_.dialog->setWindowTitle(*effect.caption);
    });
}

void QtExchangeView::ShowMessage(const ExchangeMessage& message) {
    const QString text = MessageText(message, language_);
    const QString caption = TextIn(kWarningCaption, language_);
    // Over its progress dialog the box leaves Cancel free: a message that comes back after every
    // OK would otherwise keep the user from ending the exchange. A dialog its close box hid owns
    // nothing; the box is then application-modal.
    RunOnMainThread([&] {
        QWidget* dialog =
            controls_.dialog && controls_.dialog->isVisible() ? controls_.dialog.data() : nullptr;
        LocalizedMessageBox(text, caption, box::kError, language_, dialog, Qt::NonModal);
    });
}

void QtExchangeView::SetPriority(WorkerPriority priority) {
#ifdef Q_OS_WIN
    QThread* self = QThread::currentThread();
    if (self == QCoreApplication::instance()->thread()) return;
    self->setPriority(priority == WorkerPriority::Idle ? QThread::IdlePriority
                                                       : QThread::NormalPriority);
#else
    // Here the idle priority is SCHED_IDLE or a higher nice value, and a thread without
    // privileges never gets back from either: every later read would crawl on a busy desk. The
    // worker keeps the priority it started with.
    (void)priority;
#endif
}

void QtExchangeView::HandOverArchive(const ArchiveHandOver& read) {
    RunOnMainThread([&] {
        if (!controls_.archive || !controls_.curves) return;
        ArchiveTable& table = *controls_.archive;
        const auto rows = [&table] {
            return table.IsEmpty() ? 0u : static_cast<unsigned>(table.GridRowCount() - 1);
        };
        const unsigned before = rows();
        ArchiveReadReport report;
        if (table.IsEmpty())
            report.replacedRows = table.DataRows(1, table.GridRowCount() - 1);
        else
            report.firstAddedRow = table.GridRowCount();
        const std::vector<int> held =
            controls_.heldSlots ? controls_.heldSlots() : std::vector<int>{};
        report.leftOut =
            EnterRecords(table, *controls_.curves, read.count, read.records, read.curveArea,
                         session_.objects, session_.materials, language_, held, read.withoutCurve);
        report.reported = read.reported;  // this read's own count
        report.received = read.count;
        report.added = rows() - before;
        report.duplicates = read.count - report.added - report.leftOut;
        report.checkFailed = !read.linkLost;
        report.missed = read.missed;
        if (report.leftOut > 0)
            LocalizedMessageBox(TextIn(kArchiveFull, language_).arg(report.leftOut),
                                TextIn(kWarningCaption, language_), box::kError, language_);
        if (controls_.archiveRead) controls_.archiveRead(report);
    });
}

void QtExchangeView::HandOverLists(const ListRead& read) {
    RunOnMainThread([&] {
        if (EditorGrid* grid = LiveGrid()) grid->ShowLists(read);
    });
}

ListEdits QtExchangeView::EditsToWrite(ListKind kind) {
    ListEdits edits;
    edits.sound = 0;  // an editor that is gone has nothing to write
    RunOnMainThread([&] {
        if (EditorGrid* grid = LiveGrid()) edits = grid->Edits(kind);
    });
    return edits;
}

void QtExchangeView::CloseDialog() {
    RunOnMainThread([&] {
        if (!controls_.dialog) return;
        if (auto* dialog = qobject_cast<QDialog*>(controls_.dialog.data()))
            dialog->done(QDialog::Accepted);
        else
            controls_.dialog->close();
    });
}

void QtExchangeView::ExitProgram(int code) {
    // Out of memory with the user told: end at once. An orderly shutdown would wait for this
    // very thread, which still has the dialog to close through the main thread.
    std::_Exit(code);
}

ExchangeWorker::ExchangeWorker(ExchangeSession& session, Operation operation,
                               ExchangeControls controls, Language language, QObject* parent)
    : QThread(parent),
      session_(session),
      operation_(operation),
      controls_(std::move(controls)),
      language_(language) {}

void ExchangeWorker::run() {
    SystemClock clock;
    QtExchangeView view(session_, controls_, language_);
    Exchange exchange(session_.exchange, session_.usb, clock, view, session_.objects,
                      session_.materials);
    exchange.Run(operation_);
    session_.exchange.running = false;
}

ExchangeWorker* StartExchange(ExchangeSession& session, Operation operation, ListsFlag lists,
                              ExchangeControls controls, Language language) {
    ExchangeState& state = session.exchange;
    bool idle = false;
    if (!state.running.compare_exchange_strong(idle, true)) return nullptr;
    if (lists == ListsFlag::Set) state.listsNeeded = true;
    if (lists == ListsFlag::Cleared) state.listsNeeded = false;
    auto* worker = new ExchangeWorker(session, operation, std::move(controls), language);
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
    return worker;
}

bool ExchangeRunning(const ExchangeSession& session) {
    return session.exchange.running.load();
}

void CancelExchangeAndWait(ExchangeSession& session) {
    constexpr int kWaitStepMs = 10;
    if (!ExchangeRunning(session)) return;
    session.exchange.cancel = true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, &session] {
        if (!ExchangeRunning(session)) loop.quit();
    });
    poll.start(kWaitStepMs);
    loop.exec();
    session.exchange.cancel = false;
}

}  // namespace porvel
