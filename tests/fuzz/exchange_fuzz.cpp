// libFuzzer target of everything the instrument sends: one exchange of the operation the input
// names, whose every transfer is answered from the input (fuzz_link.h). Whatever arrives, the
// exchange never touches memory outside its buffers (AddressSanitizer), hands over only records
// and curves that pass their checks, ends within a few passes of a Cancel once the input has
// run out or the user has waited long enough, and releases its record array at the end.
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "device/exchange.h"
#include "fuzz_link.h"
#include "wire/frames.h"
#include "wire/name_tables.h"

namespace {

using namespace porvel;

// Every pass of an exchange takes at least one entry of the input until it runs out; after
// that a Cancel ends it at the top of the next pass, or the pass after a repeated state.
constexpr std::size_t kPassesAfterCancel = 4;
// The user cancels after this many passes. A sound exchange takes 7 at most; a failing one
// repeats itself, and a failing list write encodes the whole list again on every pass, so
// inputs of thousands of retries took a fifth of a second each and starved the fuzzer.
constexpr std::size_t kPassesBeforeCancel = 16;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

class NullClock : public Clock {
public:
    void SleepMs(int) override {}
};

// Texts a damaged editor grid may hold instead of a cell's own.
const QString kOddCells[] = {QString(),
                             QStringLiteral(" "),
                             QStringLiteral("abc"),
                             QStringLiteral("1e999"),
                             QStringLiteral("-1"),
                             QStringLiteral("65536"),
                             QStringLiteral("Ωmega"),
                             QStringLiteral("0,5"),
                             QString(40, QChar(u'Я'))};

class CheckingView : public ExchangeView {
public:
    CheckingView(fuzz::FuzzInput& in, EditorRows grid) : in_(in), grid_(std::move(grid)) {}

    void Update(const UpdateEffect& effect) override { Require(effect.gauge <= 100); }
    void ShowMessage(const QString&, const QString&) override {}
    void SetPriority(WorkerPriority) override {}
    void HandOverArchive(const ArchiveHandOver& read) override {
        Require(read.count <= protocol::kMaxRecords && read.count <= read.reported &&
                read.withoutCurve.size() == read.count);
        for (unsigned i = 0; i < read.count; ++i) {
            const std::uint8_t* record = read.records + std::size_t{i} * protocol::kRecordSize;
            const std::uint16_t length = CurveLength(record);
            Require(RecordValid(record));
            // A curve handed over as whole is whole; one that is not is named among the missed.
            if (!read.withoutCurve[i])
                Require(CurveLengthUsable(length) &&
                        CurveBlockValid(read.curveArea + std::size_t{i} * protocol::kCurveSlotBytes,
                                        length));
        }
    }
    void FillGrid(const EditorRows& rows) override { grid_ = rows; }
    EditorRows ReadGrid() override {
        std::uint8_t b = 0;
        EditorRows rows = grid_;
        if (in_.Byte(&b) && b != 0) {
            const std::size_t cell = b % 4;
            const std::size_t row = (b / 4) % protocol::kListEntries;
            rows[row][cell] = kOddCells[(b / 80) % std::size(kOddCells)];
        }
        return rows;
    }
    void CloseDialog() override {}
    void ExitProgram(int) override {}

private:
    fuzz::FuzzInput& in_;
    EditorRows grid_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < fuzz::kInputHeader) return 0;
    // Kept from input to input, as the program keeps its globals for the whole run; the curve
    // area is made once and cleaned after each input below.
    static ExchangeGlobals g;
    g.state = ExchangeState::Connect;
    g.operation = static_cast<Operation>(data[0] % 6);
    g.listsNeeded = (data[1] & 1) != 0;
    g.cancel = false;
    g.linkStatus = LinkStatus::Ok;
    // The blocks start empty, so that an input always runs the same way.
    g.parameters.fill(0);
    g.materials.fill(0);
    g.objects.fill(0);
    g.screen.fill(0);
    const Language language = (data[1] & 2) ? Language::English : Language::Russian;

    fuzz::FuzzInput in(data + fuzz::kInputHeader, size - fuzz::kInputHeader);
    fuzz::FuzzLink link(in);
    NullClock clock;
    NameTable objects = DefaultObjectNames();
    NameTable materials = DefaultMaterialNames();
    CheckingView view(in, fuzz::StartGrid(g.operation, g, objects, materials, language));
    Exchange exchange(g, link, clock, view, objects, materials, language);

    std::size_t passesAfterCancel = 0;
    bool running = true;
    for (std::size_t pass = 0; running; ++pass) {
        // A pass that takes nothing from the input while there is some would never end.
        Require(pass <= size + kPassesAfterCancel);
        if (in.Exhausted() || pass >= kPassesBeforeCancel) {
            g.cancel = true;
            Require(passesAfterCancel++ <= kPassesAfterCancel);
        }
        running = exchange.Pass();
    }
    Require(g.records.empty());
    // A short transfer leaves a slot's old bytes, which must not be another input's curve: a
    // finding would not repeat from its input alone. The exchange fills the slots in order and
    // stops at the first that fails.
    const std::size_t usedSlots =
        std::min<std::size_t>(exchange.ReceivedRecords() + 1, protocol::kMaxRecords);
    std::fill_n(g.curveArea.begin(),
                std::min(g.curveArea.size(), usedSlots * protocol::kCurveSlotBytes), 0);
    return 0;
}
