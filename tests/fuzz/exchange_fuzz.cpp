// libFuzzer target of everything the instrument sends: one exchange of the operation the input
// names, whose every transfer is answered from the input (fuzz_link.h). Whatever arrives, the
// exchange never touches memory outside its buffers (AddressSanitizer), hands over only records
// and curves that pass their checks, and ends within a few reports of a Cancel once the input
// has run out or the user has waited long enough, taking the Cancel back.
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "device/exchange.h"
#include "fuzz_link.h"
#include "wire/frames.h"
#include "wire/name_tables.h"

namespace {

using namespace porvel;

// Every step of an exchange reports its progress, and none takes more than a bounded part of
// the input without reporting. The user cancels once the input has run out or after this many
// reports: a sound exchange makes fewer than 200; a failing one repeats its steps, and a failing
// list write builds its whole list again on every round, so inputs of thousands of retries
// would starve the fuzzer.
constexpr std::size_t kReportsBeforeCancel = 400;
// After a Cancel the exchange ends at the top of its next step: a list write finishes building
// and sending its block first, two reports per entry and one per piece.
constexpr std::size_t kReportsAfterCancel = 64;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

class NullClock : public Clock {
public:
    void SleepMs(int) override {}
};

// Names a damaged editor may give instead of an entry's own.
const QString kOddNames[] = {QString(), QStringLiteral(" "), QStringLiteral("Ωmega"),
                             QString(40, QChar(u'Я'))};

class CheckingView : public ExchangeView {
public:
    CheckingView(fuzz::FuzzInput& in, ExchangeState& state, ListEdits edits)
        : in_(in), state_(state), edits_(std::move(edits)) {}

    void Update(const ExchangeProgress& progress) override {
        Require(progress.done <= progress.total);
        if (state_.cancel.load()) {
            Require(++reportsAfterCancel_ <= kReportsAfterCancel);
        } else if (in_.Exhausted() || ++reports_ >= kReportsBeforeCancel) {
            state_.cancel = true;
        }
    }
    void ShowMessage(const ExchangeMessage&) override {}
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
    void HandOverLists(const ListRead& read) override {
        if (read.materials) edits_.materials = *read.materials;
        if (read.objects) edits_.objects = *read.objects;
    }
    ListEdits EditsToWrite(ListKind) override {
        std::uint8_t b = 0;
        ListEdits edits = edits_;
        if (in_.Byte(&b) && b != 0) {
            const std::size_t row = (b / 4) % protocol::kListEntries;
            const QString& name = kOddNames[(b / 80) % std::size(kOddNames)];
            switch (b % 4) {
                case 0:
                    edits.sound = row;  // a cell that holds no number
                    break;
                case 1:
                    edits.materials[row].russian = edits.objects[row].russian = name;
                    break;
                case 2:
                    edits.materials[row].a0 = std::numeric_limits<float>::infinity();
                    edits.objects[row].material = 0xFFFF;
                    break;
                default:
                    edits.materials[row].english = edits.objects[row].english = name;
                    break;
            }
        }
        return edits;
    }
    void CloseDialog() override {}
    void ExitProgram(int) override {}

private:
    fuzz::FuzzInput& in_;
    ExchangeState& state_;
    ListEdits edits_;
    std::size_t reports_ = 0;
    std::size_t reportsAfterCancel_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < fuzz::kInputHeader) return 0;
    // Kept from input to input, as the program keeps its session for the whole run; the curve
    // area is made once and cleaned after each input below.
    static ExchangeState state;
    const auto operation = static_cast<Operation>(data[0] % 6);
    state.listsNeeded = (data[1] & 1) != 0;
    state.cancel = false;
    // The blocks start empty, so that an input always runs the same way.
    state.materials.fill(0);
    state.objects.fill(0);
    state.screen.fill(0);

    fuzz::FuzzInput in(data + fuzz::kInputHeader, size - fuzz::kInputHeader);
    fuzz::FuzzLink link(in);
    NullClock clock;
    NameTable objects = DefaultObjectNames();
    NameTable materials = DefaultMaterialNames();
    CheckingView view(in, state, fuzz::StartEdits(state, objects, materials));
    Exchange exchange(state, link, clock, view, objects, materials);
    exchange.Run(operation);
    Require(!state.cancel.load());
    // A short transfer leaves a slot's old bytes, which must not be another input's curve: a
    // finding would not repeat from its input alone. The exchange fills the slots in order and
    // stops at the first that fails.
    const std::size_t usedSlots =
        std::min<std::size_t>(exchange.ReceivedRecords() + 1, protocol::kMaxRecords);
    std::fill_n(state.curveArea.begin(),
                std::min(state.curveArea.size(), usedSlots * protocol::kCurveSlotBytes), 0);
    return 0;
}
