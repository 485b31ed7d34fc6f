#include "console_exchange.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <io.h>
#define PORVEL_ISATTY _isatty
#define PORVEL_FILENO _fileno
#else
#include <unistd.h>
#define PORVEL_ISATTY isatty
#define PORVEL_FILENO fileno
#endif

#include "cli_tool.h"
#include "device/libusb_binding.h"
#include "wire/name_tables.h"

namespace porvel::cli {
namespace {

constexpr int kBarWidth = 30;
constexpr int kTenths = 10;  // plain lines show the progress in steps of a tenth

// What the signal handler touches: a flag of its own, and the cancel flag of the exchange. Both
// are lock-free atomics, which a handler may store to.
std::atomic<bool> gInterrupted{false};
std::atomic<bool>* gCancel = nullptr;
static_assert(std::atomic<bool>::is_always_lock_free);

// Whether a progress bar's line on the terminal is still open.
bool gBarOpen = false;
int gBarLength = 0;

extern "C" void OnInterrupt(int) {
    gInterrupted.store(true);
    if (gCancel) gCancel->store(true);
}

void WriteError(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

QString Seconds(std::chrono::milliseconds time) {
    return QString::number(static_cast<double>(time.count()) / 1000.0);
}

}  // namespace

void CatchInterrupts(std::atomic<bool>* cancel) {
    gCancel = cancel;
#ifdef _WIN32
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
#else
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

bool Interrupted() {
    return gInterrupted.load();
}

void FinishProgressLine() {
    if (!gBarOpen) return;
    gBarOpen = false;
    gBarLength = 0;
    WriteError(QStringLiteral("\n"));
}

ConsoleView::ConsoleView(ExchangeState& state, Language language, std::chrono::milliseconds timeout,
                         ArchiveReceiver handOver)
    : state_(state),
      language_(language),
      timeout_(timeout),
      handOver_(std::move(handOver)),
      terminal_(PORVEL_ISATTY(PORVEL_FILENO(stderr)) != 0),
      lastMove_(Clock::now()) {}

void ConsoleView::Update(const ExchangeProgress& progress) {
    const UpdateEffect effect = ComputeUpdate(progress, language_);
    const Clock::time_point now = Clock::now();
    if (effect.gauge != lastGauge_) {
        lastGauge_ = effect.gauge;
        lastMove_ = now;
    }
    if (effect.caption) caption_ = *effect.caption;
    if (effect.status) status_ = *effect.status;
    Show(progress, effect);

    const LinkStatus link = progress.link;
    if (link == LinkStatus::LibraryNotReady) {
        GiveUp(ExchangeOutcome::End::NoLibrary);
    } else if (now - lastMove_ > timeout_) {
        outcome_.stallReason = status_.isEmpty() ? outcome_.stallReason : status_;
        GiveUp(link == LinkStatus::NotOnBus ? ExchangeOutcome::End::NoInstrument
                                            : ExchangeOutcome::End::Stalled);
    }
}

void ConsoleView::Show(const ExchangeProgress& progress, const UpdateEffect& effect) {
    QString counter;
    if (progress.recordsReported > 0 && progress.step == ExchangeStep::ReadRecords)
        counter = QStringLiteral("  ") + Text(CliText::RecordCounter, language_)
                                             .arg(progress.recordsReceived)
                                             .arg(progress.recordsReported);
    // The status label's text where it has one ("Archive Read", "Check Connection"), else the
    // dialog's caption ("Connection").
    const QString& words = status_.isEmpty() ? caption_ : status_;

    if (terminal_) {
        const int filled = effect.gauge * kBarWidth / 100;
        QString line = QStringLiteral("\r%1 [%2%3] %4%")
                           .arg(words, QString(filled, QLatin1Char('#')),
                                QString(kBarWidth - filled, QLatin1Char('-')))
                           .arg(effect.gauge, 3) +
                       counter;
        const int length = static_cast<int>(line.size());
        if (length < gBarLength) line += QString(gBarLength - length, QLatin1Char(' '));
        gBarLength = length;
        gBarOpen = true;
        WriteError(line);
        return;
    }
    // Plain lines: when the words change, and at every tenth of the progress.
    const int tenth = effect.gauge / kTenths;
    if (words == lastLine_ && tenth == lastTenth_) return;
    lastLine_ = words;
    lastTenth_ = tenth;
    WriteError(QStringLiteral("%1 %2%").arg(words, QString::number(effect.gauge)) + counter +
               QLatin1Char('\n'));
}

void ConsoleView::ShowMessage(const ExchangeMessage& message) {
    // Damaged list entries are reported before the records; only a record or curve that failed
    // its check explains a read that ended short.
    if (message.kind == ExchangeMessage::Kind::RecordCheck) ++outcome_.failedChecks;
    outcome_.stallReason = MessageText(message, language_);
}

void ConsoleView::HandOverArchive(const ArchiveHandOver& read) {
    outcome_.missed = read.missed;
    outcome_.linkLost = read.linkLost;
    if (handOver_) handOver_(read);
}

void ConsoleView::ExitProgram(int code) {
    FinishProgressLine();
    PrintError(outcome_.stallReason);
    std::_Exit(code);
}

void ConsoleView::GiveUp(ExchangeOutcome::End end) {
    if (outcome_.end == ExchangeOutcome::End::Done) outcome_.end = end;
    state_.cancel = true;
}

ExchangeOutcome RunDeviceExchange(ExchangeSession& session, Operation operation, Language language,
                                  std::chrono::milliseconds timeout,
                                  const ArchiveReceiver& handOver) {
    ExchangeState& state = session.exchange;
    state.listsNeeded = true;
    state.cancel = Interrupted();
    SystemClock clock;
    ConsoleView view(state, language, timeout, handOver);
    Exchange exchange(state, session.usb, clock, view, session.objects, session.materials);
    exchange.Run(operation);
    FinishProgressLine();

    ExchangeOutcome outcome = view.Outcome();
    if (Interrupted()) outcome.end = ExchangeOutcome::End::Interrupted;
    outcome.link = exchange.Link();
    outcome.reported = exchange.ReportedRecords();
    outcome.received = exchange.ReceivedRecords();
    return outcome;
}

void FailIfAborted(const ExchangeOutcome& outcome, Language language,
                   std::chrono::milliseconds timeout) {
    switch (outcome.end) {
        case ExchangeOutcome::End::Done:
            return;
        case ExchangeOutcome::End::Interrupted:
            throw CliFailure{kExitInterrupted, Text(CliText::Interrupted, language)};
        case ExchangeOutcome::End::NoLibrary:
            throw CliFailure{kExitNoInstrument,
                             Text(CliText::NoLibrary, language)
                                 .arg(QString::fromStdString(LibUsbBinding::LibraryFileName()))};
        case ExchangeOutcome::End::NoInstrument:
            throw CliFailure{kExitNoInstrument,
                             Text(CliText::NoInstrument, language).arg(Seconds(timeout))};
        case ExchangeOutcome::End::Stalled:
            throw CliFailure{
                kExitLinkFault,
                Text(CliText::Stalled, language).arg(Seconds(timeout), outcome.stallReason)};
    }
}

std::chrono::milliseconds TimeoutOf(const CliContext& context) {
    if (!context.parser.isSet(kTimeoutOption)) return std::chrono::seconds(kDefaultTimeoutSeconds);
    const QString text = context.parser.value(kTimeoutOption);
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    constexpr double kLongest = 24.0 * 3600;  // a day
    if (!ok || !(seconds > 0) || seconds > kLongest)
        throw CliFailure{kExitUsage, Text(CliText::BadTimeout, context.language).arg(text)};
    return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

}  // namespace porvel::cli
