// An archive read of 128 records with curves of 32767 words from the simulated instrument, the
// way the program does it: worker thread, hand-offs to the main thread, the table filled there.
// Prints the wall time against the protocol floor (the pauses the protocol demands plus the
// time the simulator itself spends in its transfers, both measured in this run), and the
// longest gap between 10 ms timer ticks of the main thread meanwhile.
#include <dlfcn.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>

#include "archive/archive_table.h"
#include "bench_goal.h"
#include "device/exchange.h"
#include "device/exchange_session.h"
#include "timed_exchange.h"
#include "ui/exchange_worker.h"
#include "ui/progress_dialog.h"
#include "wire/name_tables.h"

using namespace porvel;
using namespace porvel::bench;

namespace {

constexpr const char* kScenario = "generate count=128 samples=32765\n";
constexpr double kRatioGoal = 1.03;
constexpr double kGapGoalMs = 50.0;
constexpr int kTickMs = 10;

class Worker : public QThread {
public:
    Worker(ExchangeSession& session, ExchangeControls controls)
        : session_(session), controls_(controls) {}
    void run() override {
        TimedLink link(session_.usb);
        QtExchangeView view(session_, controls_, Language::Russian);
        Exchange exchange(session_.exchange, link, clock, view, session_.objects,
                          session_.materials);
        const auto start = Steady::now();
        exchange.Run(Operation::ReadArchive);
        wall = Steady::now() - start;
        transfers = link.inside;
        received = exchange.ReceivedRecords();
    }
    CountingClock clock;
    Steady::duration wall{}, transfers{};
    unsigned received = 0;

private:
    ExchangeSession& session_;
    ExchangeControls controls_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qputenv("PORVEL_USB_LIBRARY", PORVEL_SIM_LIBRARY);
    void* sim = dlopen(PORVEL_SIM_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    auto load = sim ? reinterpret_cast<int (*)(const char*)>(dlsym(sim, "porvel_sim_load_scenario"))
                    : nullptr;
    if (!load || load(kScenario) != 0) {
        std::fprintf(stderr, "cannot load the simulated instrument\n");
        return 1;
    }

    ArchiveTable table;
    ExchangeSession session;
    ExchangeProgressDialog dialog(session.exchange.cancel);
    ExchangeControls controls;
    controls.gauge = dialog.progressGauge;
    controls.dialog = &dialog;
    controls.statusLabel = dialog.statusLabel;
    controls.archive = &table;

    QElapsedTimer sinceTick;
    double longestGapMs = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (sinceTick.isValid())
            longestGapMs = std::max(longestGapMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });

    Worker worker(session, controls);
    QObject::connect(&worker, &QThread::finished, &app, &QApplication::quit);
    ticker.start(kTickMs);
    worker.start();
    app.exec();
    worker.wait();

    const double wall = Seconds(worker.wall);
    const double pauses = Seconds(worker.clock.asked);
    const double transfers = Seconds(worker.transfers);
    const double floor = pauses + transfers;
    const double ratio = wall / floor;
    std::printf("archive read of %u records x 32767 words through libporvel-sim.so\n",
                worker.received);
    std::printf("  wall %.3f s, floor %.3f s (pauses %.3f s + simulator transfers %.3f s)\n", wall,
                floor, pauses, transfers);
    std::printf("  wall / floor = %.4f (goal <= %.2f)\n", ratio, kRatioGoal);
    std::printf("  longest gap between %d ms ticks of the main thread: %.1f ms (goal < %.0f ms)\n",
                kTickMs, longestGapMs - kTickMs, kGapGoalMs);
    porvel::bench::Goal("exchange_read", "wall / floor", ratio, " x", kRatioGoal);
    porvel::bench::Goal("exchange_read", "longest main-thread gap", longestGapMs - kTickMs, " ms",
                        kGapGoalMs, true);
    std::printf("  table rows: %d\n", table.GridRowCount() - 1);
    return worker.received == 128 ? 0 : 1;
}
