// The Qt side of an exchange with the instrument: the worker thread ExchangeWorker, the controls a
// window hands it, and the view through which it touches them on the main thread.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QThread>
#include <QWidget>
#include <functional>
#include <vector>

#include "archive/archive_table.h"
#include "base/language.h"
#include "device/exchange.h"
#include "device/exchange_session.h"
#include "device/exchange_types.h"

namespace porvel {

class CurveStore;
class EditorGrid;

// The controls a starter hands to the worker of its exchange. Any of them may be absent, and any
// may go away while the exchange runs: the worker then no longer reports into it.
// What an archive read brought into the table.
struct ArchiveReadReport {
    unsigned reported = 0;             // measurements the instrument said it holds
    unsigned received = 0;             // of them, those that arrived whole
    unsigned added = 0;                // rows entered
    unsigned duplicates = 0;           // a row of the same date, hour and minute was there already
    unsigned leftOut = 0;              // no room for their curves
    bool checkFailed = false;          // the read ended short for a failed check, not for the link
    std::vector<MissedRecord> missed;  // what it could not read whole, and why
    // Where the rows entered are: the added rows from this grid row on, to the table's end. A
    // read into an empty table replaces its empty rows, kept here so that it can be undone.
    int firstAddedRow = 1;
    std::vector<ArchiveTable::Row> replacedRows;
};

struct ExchangeControls {
    QPointer<QProgressBar> gauge;
    QPointer<QWidget> dialog;
    QPointer<QLabel> statusLabel;
    QPointer<ArchiveTable> archive;  // the archive read fills it
    CurveStore* curves = nullptr;    // its curves go here; lives as long as `archive`
    // Told on the main thread, once the records are in the table.
    std::function<void(const ArchiveReadReport&)> archiveRead;
    // Curve slots that rows kept outside the table still name; the read leaves them alone.
    std::function<std::vector<int>()> heldSlots;
    QPointer<QObject> gridOwner;  // keeps track of the editor that owns `grid`
    EditorGrid* grid = nullptr;
};

// A list editor as an exchange sees it: it shows what a list read brought and gives the entries
// a list write sends.
class EditorGrid {
public:
    virtual ~EditorGrid() = default;
    virtual void ShowLists(const ListRead& read) = 0;
    virtual ListEdits Edits(ListKind kind) const = 0;
};

// The exchange's view in the program: every touch of a control or of the archive table is
// handed to the main thread, and the worker waits until it has run there.

class QtExchangeView : public ExchangeView {
public:
    QtExchangeView(ExchangeSession& session, ExchangeControls controls, Language language);

    void Update(const ExchangeProgress& progress) override;
    void ShowMessage(const ExchangeMessage& message) override;
    void SetPriority(WorkerPriority priority) override;
    void HandOverArchive(const ArchiveHandOver& read) override;
    void HandOverLists(const ListRead& read) override;
    ListEdits EditsToWrite(ListKind kind) override;
    void CloseDialog() override;
    void ExitProgram(int code) override;

private:
    EditorGrid* LiveGrid() const;

    ExchangeSession& session_;
    ExchangeControls controls_;
    Language language_;
};

// ExchangeWorker: the worker thread of one exchange with the instrument.

class ExchangeWorker : public QThread {
    Q_OBJECT
public:
    ExchangeWorker(ExchangeSession& session, Operation operation, ExchangeControls controls,
                   Language language, QObject* parent = nullptr);

protected:
    void run() override;

private:
    ExchangeSession& session_;
    Operation operation_;
    ExchangeControls controls_;
    Language language_;
};

// Which way a starter moves the lists-needed flag before its exchange.
enum class ListsFlag { Unchanged, Set, Cleared };

// Starts an exchange of `operation` unless one is running: the flag, then a worker with the
// controls it reports into. The worker deletes itself when it has finished. Null
// when another exchange still runs.
ExchangeWorker* StartExchange(ExchangeSession& session, Operation operation, ListsFlag lists,
                              ExchangeControls controls, Language language);

bool ExchangeRunning(const ExchangeSession& session);

// Asks the running exchange, if any, to stop at its next step and waits until it has ended,
// with the event loop running, since the worker hands its last steps to this thread. The
// cancel is taken back afterwards: one that came after the worker's last look at it would end
// the next exchange at once.
void CancelExchangeAndWait(ExchangeSession& session);

}  // namespace porvel
