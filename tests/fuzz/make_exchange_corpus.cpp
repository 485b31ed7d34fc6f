// Writes the seeds of the exchange fuzz target into the folder it is given:
//   porvel_make_exchange_corpus tests/fuzz/corpus/exchange
// Each seed is one sound exchange with the simulated instrument, every transfer written down as
// the fuzz target's input: an archive read with and without the lists, each list read and
// write, the screen read, and an archive read whose instrument is missing at first.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <cstdio>
#include <string>

#include "../instrument_link.h"
#include "../virtual_clock.h"
#include "fuzz_link.h"
#include "scenario.h"

namespace {

using namespace porvel;

// Records the entries asked for by a write the way the fuzz target reads them: the start
// entries, kept.
class SeedView : public ExchangeView {
public:
    SeedView(std::vector<std::uint8_t>& out, ListEdits edits) : out_(out), edits_(edits) {}
    void Update(const ExchangeProgress&) override {}
    void ShowMessage(const ExchangeMessage&) override {}
    void SetPriority(WorkerPriority) override {}
    void HandOverArchive(const ArchiveHandOver&) override {}
    void HandOverLists(const ListRead&) override {}
    ListEdits EditsToWrite(ListKind) override {
        out_.push_back(0);
        return edits_;
    }
    void CloseDialog() override {}
    void ExitProgram(int) override {}

private:
    std::vector<std::uint8_t>& out_;
    ListEdits edits_;
};

// A small archive, so that the seeds stay within the fuzzer's usual input sizes.
constexpr const char* kScenario =
    "version \"Porvel 1.0\"\n"
    "record date=2026-11-05 time=14:05 object=1 material=0 samples=120 rate=4 m=12.5\n"
    "record date=2026-11-05 time=14:30 object=2 material=1 samples=60 rate=4 m=3.1\n";

bool WriteSeed(const QDir& folder, const char* name, Operation operation, bool listsNeeded,
               int absentSearches) {
    sim::Scenario scenario;
    std::string error;
    if (!sim::ParseScenario(kScenario, &scenario, &error)) {
        std::fprintf(stderr, "scenario: %s\n", error.c_str());
        return false;
    }
    scenario.faults.absentSearches = static_cast<unsigned>(absentSearches);
    testing::VirtualClock clock;
    sim::Instrument device(scenario.memory, scenario.faults, std::string(), clock);
    testing::InstrumentLink real(device);

    std::vector<std::uint8_t> input = {static_cast<std::uint8_t>(operation),
                                       static_cast<std::uint8_t>(listsNeeded ? 1 : 0)};
    fuzz::LinkRecorder link(real, input);
    ExchangeState state;
    state.listsNeeded = listsNeeded;
    NameTable objects = DefaultObjectNames();
    NameTable materials = DefaultMaterialNames();
    SeedView view(input, fuzz::StartEdits(state, objects, materials));
    Exchange exchange(state, link, clock, view, objects, materials);
    exchange.Run(operation);
    QFile file(folder.filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(input.data()),
                      static_cast<qint64>(input.size())) == static_cast<qint64>(input.size());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = folder.exists();
    ok &= WriteSeed(folder, "archive_with_lists", Operation::ReadArchive, true, 0);
    ok &= WriteSeed(folder, "archive", Operation::ReadArchive, false, 0);
    ok &= WriteSeed(folder, "archive_after_absence", Operation::ReadArchive, false, 2);
    ok &= WriteSeed(folder, "read_materials", Operation::ReadMaterials, true, 0);
    ok &= WriteSeed(folder, "read_objects", Operation::ReadObjects, true, 0);
    ok &= WriteSeed(folder, "write_materials", Operation::WriteMaterials, false, 0);
    ok &= WriteSeed(folder, "write_objects", Operation::WriteObjects, false, 0);
    ok &= WriteSeed(folder, "screen", Operation::ReadScreen, false, 0);
    if (!ok) std::fprintf(stderr, "could not write every seed into %s\n", argv[1]);
    return ok ? 0 : 1;
}
