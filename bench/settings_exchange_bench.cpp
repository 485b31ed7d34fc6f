// The device settings' exchanges through the real binding and libporvel-sim.so: a material list
// written back as the editor writes it, and a read of the instrument's screen. Each prints its
// wall time against the protocol's floor: the pauses the protocol demands plus the time the
// simulator itself spends in its transfers, both measured in the same run.
#include <dlfcn.h>
#include <QCoreApplication>
#include <chrono>
#include <cstdio>

#include "bench_goal.h"
#include "device/exchange.h"
#include "device/exchange_session.h"
#include "timed_exchange.h"
#include "wire/name_tables.h"

using namespace porvel;
using namespace porvel::bench;

namespace {

constexpr double kRatioGoal = 1.05;

// The editor as the exchange sees it: the list its read brought is what its write sends.
class EditorView : public ExchangeView {
public:
    void Update(const ExchangeProgress&) override {}
    void ShowMessage(const ExchangeMessage& message) override {
        std::fprintf(stderr, "message of kind %d\n", static_cast<int>(message.kind));
        failed = true;
    }
    void SetPriority(WorkerPriority) override {}
    void HandOverArchive(const ArchiveHandOver&) override {}
    void HandOverLists(const ListRead& read) override {
        if (read.materials) edits.materials = *read.materials;
    }
    ListEdits EditsToWrite(ListKind) override { return edits; }
    void CloseDialog() override {}
    void ExitProgram(int) override { failed = true; }
    ListEdits edits;
    bool failed = false;
};

struct Run {
    double wall = 0, pauses = 0, transfers = 0;
    double Floor() const { return pauses + transfers; }
};

Run Exchange1(ExchangeSession& session, Operation operation, EditorView& view) {
    ExchangeState& state = session.exchange;
    state.listsNeeded = false;
    TimedLink link(session.usb);
    CountingClock clock;
    Exchange exchange(state, link, clock, view, session.objects, session.materials);
    const auto start = Steady::now();
    exchange.Run(operation);
    return {Seconds(Steady::now() - start), Seconds(clock.asked), Seconds(link.inside)};
}

void Report(const char* what, const Run& run) {
    const double ratio = run.wall / run.Floor();
    std::printf(
        "%-22s wall %.3f s, floor %.3f s (pauses %.3f s + simulator %.3f s), "
        "ratio %.3f (goal <= %.2f) %s\n",
        what, run.wall, run.Floor(), run.pauses, run.transfers, ratio, kRatioGoal,
        ratio <= kRatioGoal ? "ok" : "ABOVE GOAL");
    porvel::bench::Goal("settings_exchange", what, ratio, " x", kRatioGoal);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qputenv("PORVEL_USB_LIBRARY", PORVEL_SIM_LIBRARY);
    void* sim = dlopen(PORVEL_SIM_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    auto load = sim ? reinterpret_cast<int (*)(const char*)>(dlsym(sim, "porvel_sim_load_scenario"))
                    : nullptr;
    if (!load || load("demo\n") != 0) {
        std::fprintf(stderr, "cannot load the simulated instrument\n");
        return 1;
    }
    EditorView view;
    ExchangeSession session;
    Exchange1(session, Operation::ReadMaterials, view);  // the editor's read fills its grid
    const Run write = Exchange1(session, Operation::WriteMaterials, view);
    const Run screen = Exchange1(session, Operation::ReadScreen, view);
    if (view.failed) return 1;
    std::printf("device settings through libporvel-sim.so\n");
    Report("material list write", write);
    Report("screen read", screen);
    return 0;
}
