// One exchange with the instrument from the command line: the same operations the windows
// run, on the tool's own thread, reporting into the console. Progress goes to stderr (a bar
// with the record count on a terminal, plain lines otherwise); Ctrl+C sets the cancel flag, so
// the exchange ends as the Cancel button ends it; an instrument that is missing, or an exchange
// that stops moving, is given up after a timeout.
#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

#include "base/language.h"
#include "device/exchange.h"
#include "device/exchange_session.h"
#include "device/exchange_types.h"
#include "ui/exchange_progress.h"

namespace porvel::cli {

struct CliContext;

// How long a missing instrument or an exchange without progress is waited for. The window
// waits for ever; a script must come to an end. Ten seconds cover an instrument that is being
// plugged in, and a healthy exchange moves its progress far more often than that.
constexpr int kDefaultTimeoutSeconds = 10;

// Takes the end of the archive read: the records received, with their curves.
using ArchiveReceiver = std::function<void(const ArchiveHandOver& read)>;

// How an exchange ended.
struct ExchangeOutcome {
    enum class End {
        Done,          // ran to its end; the link status and counts say how well
        Interrupted,   // Ctrl+C
        NoLibrary,     // the USB library could not be loaded
        NoInstrument,  // not on the bus within the timeout
        Stalled,       // no progress within the timeout (link errors, a block failing its check)
    };
    End end = End::Done;
    LinkStatus link = LinkStatus::Ok;  // at the end
    unsigned reported = 0;             // records the instrument reported
    unsigned received = 0;             // records received (some perhaps without their curve)
    int failedChecks = 0;              // records or curves that failed their check (CRC16)
    std::vector<MissedRecord> missed;  // what the read could not take whole, and why
    bool linkLost = false;             // the read stopped early because the link failed
    QString stallReason;               // the status text the exchange last showed
};

// The console as the exchange's view.
class ConsoleView : public ExchangeView {
public:
    ConsoleView(ExchangeState& state, Language language, std::chrono::milliseconds timeout,
                ArchiveReceiver handOver);

    const ExchangeOutcome& Outcome() const { return outcome_; }

    void Update(const ExchangeProgress& progress) override;
    void ShowMessage(const ExchangeMessage& message) override;
    void SetPriority(WorkerPriority) override {}
    void HandOverArchive(const ArchiveHandOver& read) override;
    void HandOverLists(const ListRead&) override {}
    ListEdits EditsToWrite(ListKind) override { return {}; }
    void CloseDialog() override {}
    void ExitProgram(int code) override;

private:
    using Clock = std::chrono::steady_clock;

    // Ends the exchange as Cancel does, for `end`.
    void GiveUp(ExchangeOutcome::End end);
    void Show(const ExchangeProgress& progress, const UpdateEffect& effect);

    ExchangeState& state_;
    Language language_;
    std::chrono::milliseconds timeout_;
    ArchiveReceiver handOver_;
    ExchangeOutcome outcome_;
    bool terminal_;
    Clock::time_point lastMove_;
    int lastGauge_ = -1;
    QString caption_;
    QString status_;
    QString lastLine_;
    int lastTenth_ = -1;
};

// Runs one exchange of `operation` with the instrument (the lists are read first, as at the
// program's first read). `handOver` receives the archive of a read that was not cancelled.
ExchangeOutcome RunDeviceExchange(ExchangeSession& session, Operation operation, Language language,
                                  std::chrono::milliseconds timeout,
                                  const ArchiveReceiver& handOver = {});

// The failure line and exit code of an exchange that was interrupted or given up; nothing for
// one that ran to its end.
void FailIfAborted(const ExchangeOutcome& outcome, Language language,
                   std::chrono::milliseconds timeout);

// The --timeout of a command that talks to the instrument; a usage fault when it is no
// number of seconds above 0 (at most a day).
std::chrono::milliseconds TimeoutOf(const CliContext& context);

// Ctrl+C (SIGINT) and SIGTERM from now on set `cancel` (an exchange's flag, when one is to run)
// and the tool's own flag instead of ending the tool.
void CatchInterrupts(std::atomic<bool>* cancel = nullptr);
bool Interrupted();

// Ends a progress bar's line on the terminal before anything else is written to stderr.
void FinishProgressLine();

}  // namespace porvel::cli
