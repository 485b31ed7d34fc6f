// The exchange on a worker thread of its own while the main thread serves its view, the way the
// program runs it: every view call is handed to the main thread and the worker waits until it
// has run there; the main thread presses Cancel while it shows the progress. Built under
// ThreadSanitizer too, where this shows that the exchange shares nothing with the main thread
// except through its flags and the hand-off.
#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "exchange_harness.h"

namespace porvel::testing {
namespace {

// Forwards every call to a view that lives on the main thread and waits until it has run.
class MainThreadView : public ExchangeView {
public:
    explicit MainThreadView(ExchangeView& target) : target_(target) {}

    void Update(const ExchangeProgress& progress) override {
        RunOnMain([&] { target_.Update(progress); });
    }
    void ShowMessage(const ExchangeMessage& message) override {
        RunOnMain([&] { target_.ShowMessage(message); });
    }
    void SetPriority(WorkerPriority priority) override {
        RunOnMain([&] { target_.SetPriority(priority); });
    }
    void HandOverArchive(const ArchiveHandOver& read) override {
        RunOnMain([&] { target_.HandOverArchive(read); });
    }
    void HandOverLists(const ListRead& read) override {
        RunOnMain([&] { target_.HandOverLists(read); });
    }
    ListEdits EditsToWrite(ListKind kind) override {
        ListEdits edits;
        RunOnMain([&] { edits = target_.EditsToWrite(kind); });
        return edits;
    }
    void CloseDialog() override {
        RunOnMain([&] { target_.CloseDialog(); });
    }
    void ExitProgram(int code) override {
        RunOnMain([&] { target_.ExitProgram(code); });
    }

    // The worker has finished: Serve returns once no call is waiting.
    void Finish() {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        changed_.notify_all();
    }

    // The main thread's loop: runs the handed calls until the worker has finished.
    void Serve() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            changed_.wait(lock, [&] { return task_ || finished_; });
            if (!task_) return;
            std::function<void()> task = std::move(task_);
            task_ = nullptr;
            lock.unlock();
            task();
            lock.lock();
            ++served_;
            changed_.notify_all();
        }
    }

private:
    void RunOnMain(std::function<void()> task) {
        std::unique_lock<std::mutex> lock(mutex_);
        const unsigned ticket = served_ + 1;
        task_ = std::move(task);
        changed_.notify_all();
        changed_.wait(lock, [&] { return served_ >= ticket; });
    }

    ExchangeView& target_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> task_;
    unsigned served_ = 0;
    bool finished_ = false;
};

class WorkerThread : public ExchangeHarness {};

TEST_F(WorkerThread, CancelPressedOnTheMainThreadStopsTheReadOnTheWorker) {
    Load("generate count=6 samples=200\n");
    state_.listsNeeded = true;
    // Pressed while the window shows half the archive read: 20 + 80 x 3 div 6 = 60.
    view_.onUpdate = [&](const RecordingView::Controls& controls) {
        if (controls.gauge >= 60) state_.cancel = true;
    };
    MainThreadView handOff(view_);
    std::thread worker([&] {
        Exchange exchange(state_, Link(), clock_, handOff, objects_, materials_);
        exchange.Run(Operation::ReadArchive);
        handOff.Finish();
    });
    handOff.Serve();
    worker.join();

    EXPECT_EQ(CountCommand("ReadRecord 2"), 1) << Log();
    EXPECT_EQ(CountCommand("ReadRecord 3"), 0) << Log();
    EXPECT_TRUE(view_.handOvers.empty());
    EXPECT_EQ(view_.dialogCloses, 1);
    EXPECT_FALSE(state_.cancel);
    EXPECT_TRUE(state_.listsNeeded);
    EXPECT_EQ(Device().Violations(), 0u) << Log();
}

}  // namespace
}  // namespace porvel::testing
